<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>ChiK</name>
    <message>
        <source>chi(k)</source>
        <translation>χ(k)</translation>
    </message>
    <message>
        <source>File</source>
        <translation>ファイル</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>ヘルプ</translation>
    </message>
    <message>
        <source>Open Scenario…</source>
        <translation>シナリオを開く…</translation>
    </message>
    <message>
        <source>Save Scenario…</source>
        <translation>シナリオを保存…</translation>
    </message>
    <message>
        <source>Export chi(k) Table…</source>
        <translation>χ(k) の表を書き出す…</translation>
    </message>
    <message>
        <source>Export Chi(R) Table…</source>
        <translation>Χ(R) の表を書き出す…</translation>
    </message>
    <message>
        <source>Save chi(k) Plot…</source>
        <translation>χ(k) のグラフを保存…</translation>
    </message>
    <message>
        <source>Save Chi(R) Plot…</source>
        <translation>Χ(R) のグラフを保存…</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>終了</translation>
    </message>
    <message>
        <source>About Fourk</source>
        <translation>Fourk について</translation>
    </message>
    <message>
        <source>Fourk scenarios (*.fourk)</source>
        <translation>Fourk シナリオ (*.fourk)</translation>
    </message>
    <message>
        <source>%1: a plot is saved as a .png or an .svg file</source>
        <translation>%1: グラフは .png か .svg のファイルに保存します</translation>
    </message>
    <message>
        <source>Open Scenario</source>
        <translation>シナリオを開く</translation>
    </message>
    <message>
        <source>Save Scenario</source>
        <translation>シナリオを保存</translation>
    </message>
    <message>
        <source>Export chi(k) Table</source>
        <translation>χ(k) の表を書き出す</translation>
    </message>
    <message>
        <source>Export Chi(R) Table</source>
        <translation>Χ(R) の表を書き出す</translation>
    </message>
    <message>
        <source>CSV tables (*.csv)</source>
        <translation>CSV の表 (*.csv)</translation>
    </message>
    <message>
        <source>Save chi(k) Plot</source>
        <translation>χ(k) のグラフを保存</translation>
    </message>
    <message>
        <source>Save Chi(R) Plot</source>
        <translation>Χ(R) のグラフを保存</translation>
    </message>
    <message>
        <source>PNG images (*.png)</source>
        <translation>PNG 画像 (*.png)</translation>
    </message>
    <message>
        <source>SVG drawings (*.svg)</source>
        <translation>SVG 図 (*.svg)</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Fourk %1&lt;/h3&gt;&lt;p&gt;Simulates the EXAFS oscillation chi(k) of one scattering shell and shows it beside its Fourier transform chi(R).&lt;/p&gt;&lt;p&gt;Qt %2&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Fourk %1&lt;/h3&gt;&lt;p&gt;一つの散乱殻の EXAFS 振動 χ(k) を計算し、そのフーリエ変換 Χ(R) と並べて表示します。&lt;/p&gt;&lt;p&gt;Qt %2&lt;/p&gt;</translation>
    </message>
    <message>
        <source>%1: not a scenario; Fourk opens .fourk files</source>
        <translation>%1: シナリオではありません。Fourk が開くのは .fourk ファイルです</translation>
    </message>
    <message>
        <source>Fourk</source>
        <translation>Fourk</translation>
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
    <message>
        <source>File</source>
        <translation>ファイル</translation>
    </message>
    <message>
        <source>Export Chi(R) Table…</source>
        <translation>Χ(R) の表を書き出す…</translation>
    </message>
    <message>
        <source>Save Chi(R) Plot…</source>
        <translation>Χ(R) のグラフを保存…</translation>
    </message>
</context>
<context>
    <name>OutputFiles</name>
    <message>
        <source>cannot write &apos;%1&apos;: %2</source>
        <translation>&apos;%1&apos; に書き込めません: %2</translation>
    </message>
    <message>
        <source>it is a directory</source>
        <translation>フォルダです</translation>
    </message>
    <message>
        <source>standard output is closed</source>
        <translation>標準出力が閉じています</translation>
    </message>
</context>
<context>
    <name>Scenario</name>
    <message>
        <source>a finite number</source>
        <translation>有限の数</translation>
    </message>
    <message>
        <source>a whole number from %1 to %2</source>
        <translation>%1 から %2 までの整数</translation>
    </message>
    <message>
        <source>a number from %1 to %2</source>
        <translation>%1 から %2 までの数</translation>
    </message>
    <message>
        <source>four finite numbers</source>
        <translation>四つの有限の数</translation>
    </message>
    <message>
        <source>1 to %1 nodes, each k and F a finite number</source>
        <translation>1 から %1 個の節点で、k と F はどれも有限の数</translation>
    </message>
    <message>
        <source>names from %1</source>
        <translation>%1 の中の名前</translation>
    </message>
</context>
<context>
    <name>ScenarioFile</name>
    <message>
        <source>a list</source>
        <translation>リスト</translation>
    </message>
    <message>
        <source>an object</source>
        <translation>オブジェクト</translation>
    </message>
    <message>
        <source>%1 is missing</source>
        <translation>%1 がありません</translation>
    </message>
    <message>
        <source>%1 must be %2, not %3</source>
        <translation>%1 は %2 でなければなりません（%3 になっています）</translation>
    </message>
    <message>
        <source>a list of [k, F] pairs, %1</source>
        <translation>[k, F] の組のリストで、%1</translation>
    </message>
    <message>
        <source>true or false</source>
        <translation>true か false</translation>
    </message>
    <message>
        <source>a list of %1</source>
        <translation>%1 のリスト</translation>
    </message>
    <message>
        <source>line %1, column %2</source>
        <translation>%1 行 %2 列</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>this is a folder, not a scenario file</source>
        <translation>シナリオファイルではなくフォルダです</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>通常のファイルではありません</translation>
    </message>
    <message>
        <source>larger than %1 MiB, too large for a scenario</source>
        <translation>%1 MiB を超えていて、シナリオとしては大きすぎます</translation>
    </message>
    <message>
        <source>cannot be read (%1)</source>
        <translation>読み込めません（%1）</translation>
    </message>
    <message>
        <source>not a Fourk scenario: the JSON text breaks off or is broken at %1 (%2)</source>
        <translation>Fourk のシナリオではありません: JSON の記述が %1 で途切れているか壊れています（%2）</translation>
    </message>
    <message>
        <source>not a Fourk scenario (it has no &quot;format&quot;: &quot;%1&quot;)</source>
        <translation>Fourk のシナリオではありません（&quot;format&quot;: &quot;%1&quot; がありません）</translation>
    </message>
    <message>
        <source>&quot;version&quot; must be a whole number from 1, not %1</source>
        <translation>&quot;version&quot; は 1 以上の整数でなければなりません（%1 になっています）</translation>
    </message>
    <message>
        <source>written by a newer Fourk (scenario version %1; this one reads version %2)</source>
        <translation>新しい Fourk で書かれています（シナリオの版 %1。この Fourk が読めるのは版 %2 まで）</translation>
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
    <message>
        <source>Use Env. Shape Selecter for PM</source>
        <translation>Use Env. Shape Selecter for PM</translation>
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
