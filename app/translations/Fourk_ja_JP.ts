<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>ChiK</name>
    <message>
        <source>chi(k)</source>
        <translation>χ(k)</translation>
    </message>
</context>
<context>
    <name>ChiR</name>
    <message>
        <source>&amp;Abs.</source>
        <translation>絶対値</translation>
    </message>
    <message>
        <source>&amp;Imag.</source>
        <translation>虚部</translation>
    </message>
    <message>
        <source>&amp;Real</source>
        <translation>実部</translation>
    </message>
    <message>
        <source>&amp;Total</source>
        <translation>全体</translation>
    </message>
    <message>
        <source>Chi(R)</source>
        <translation>Χ(R)</translation>
    </message>
    <message>
        <source>F</source>
        <translation>後方散乱因子</translation>
    </message>
    <message>
        <source>Pointer : </source>
        <translation>指示位置</translation>
    </message>
    <message>
        <source>W</source>
        <translation>窓関数</translation>
    </message>
    <message>
        <source>sin(&amp;2kR+phi)</source>
        <translation>sin(2kR+Φ(k))</translation>
    </message>
</context>
<context>
    <name>WaveCtrl</name>
    <message>
        <source>&amp;Debye Waller</source>
        <translation>デバイ・ワラ因子</translation>
    </message>
    <message>
        <source>E&amp;nvelope</source>
        <translation>後方散乱振幅(包絡線)</translation>
    </message>
    <message>
        <source>Flat</source>
        <translation>包絡線平坦化</translation>
    </message>
    <message>
        <source>Frame</source>
        <translation>Waveコントロールパネル</translation>
    </message>
    <message>
        <source>P0 : </source>
        <translation>P0 (0次の位相因子) : </translation>
    </message>
    <message>
        <source>P2 : </source>
        <translation>P2 (2次の位相因子) : </translation>
    </message>
    <message>
        <source>R:</source>
        <translation>R (原子間距離) : </translation>
    </message>
    <message>
        <source>Select Factors : </source>
        <translation>効果選択 : </translation>
    </message>
    <message>
        <source>Sigma :</source>
        <translation>σ (デバイ・ワラ因子) : </translation>
    </message>
    <message>
        <source>W&amp;indow Function</source>
        <translation>窓関数</translation>
    </message>
    <message>
        <source>n:</source>
        <translation>n (k^nの次数)</translation>
    </message>
    <message>
        <source>k^n * W(k) * S0^2 * (1/k) * (1/R^2) * F(k) * sin( 2KR + P0 + P2*k^2 ) * exp( -2 * Sigma^2 * k^2 )   : S0 = 1.0</source>
        <translation>k^n 窓関数(k) * (1/k)*(1/R^2) *後方散乱振幅(k) * sin( 2KR + P0 + P2 * k^2 ) * exp( -σ^2 * k^2 )   : S0 = 1.0</translation>
    </message>
</context>
<context>
    <name>WindowFunc</name>
    <message>
        <source>&amp;Linear</source>
        <translation>線形</translation>
    </message>
    <message>
        <source>Frame</source>
        <translation>窓関数コントロールパネル</translation>
    </message>
    <message>
        <source>H&amp;anning</source>
        <translation>ハニング関数</translation>
    </message>
</context>
</TS>
