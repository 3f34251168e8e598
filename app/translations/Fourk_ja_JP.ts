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
        <source>Fourk</source>
        <translation>Fourk</translation>
    </message>
    <message>
        <source>Open Measured chi(k)…</source>
        <translation>測定した χ(k) を開く…</translation>
    </message>
    <message>
        <source>Close Measured Data</source>
        <translation>測定データを閉じる</translation>
    </message>
    <message>
        <source>Open Measured chi(k)</source>
        <translation>測定した χ(k) を開く</translation>
    </message>
    <message>
        <source>Measured chi(k) (*.chi *.chik *.dat *.txt *.csv)</source>
        <translation>測定した χ(k) (*.chi *.chik *.dat *.txt *.csv)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>すべてのファイル (*)</translation>
    </message>
    <message>
        <source>%1 · %2 rows · k %3 … %4 Å⁻¹ · misfit</source>
        <translation>%1 · %2 行 · k %3 … %4 Å⁻¹ · 不一致度</translation>
    </message>
    <message>
        <source>%1: the plot has no area to save; make its window larger</source>
        <translation>%1: グラフの描画領域がないため保存できません。ウィンドウを大きくしてください</translation>
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
    <message>
        <source>&amp;Data</source>
        <translation>実測</translation>
    </message>
</context>
<context>
    <name>ColumnsDialog</name>
    <message>
        <source>Columns of the Measured chi(k)</source>
        <translation>測定した χ(k) の列</translation>
    </message>
    <message>
        <source>&amp;k column:</source>
        <translation>k の列:</translation>
    </message>
    <message>
        <source>&amp;chi column:</source>
        <translation>χ の列:</translation>
    </message>
    <message>
        <source>First lines of the file:</source>
        <translation>ファイルの先頭の行:</translation>
    </message>
    <message>
        <source>First lines of %1:</source>
        <translation>%1 の先頭の行:</translation>
    </message>
</context>
<context>
    <name>MeasuredChi</name>
    <message>
        <source>k has %1 values and chi %2; they must be as many</source>
        <translation>k の値は %1 個、chi は %2 個です。同じ数でなければなりません</translation>
    </message>
    <message>
        <source>%1 rows of numbers; at least %2 are needed</source>
        <translation>数の行が %1 行しかありません。少なくとも %2 行必要です</translation>
    </message>
    <message>
        <source>more than %1 rows of numbers</source>
        <translation>数の行が %1 行を超えています</translation>
    </message>
    <message>
        <source>k is not a finite number</source>
        <translation>k が有限の数ではありません</translation>
    </message>
    <message>
        <source>chi is not a finite number</source>
        <translation>chi が有限の数ではありません</translation>
    </message>
    <message>
        <source>k is negative (%1)</source>
        <translation>k が負です（%1）</translation>
    </message>
    <message>
        <source>k %1 does not rise above the k before it (%2)</source>
        <translation>k %1 が前の行の k（%2）より大きくありません</translation>
    </message>
</context>
<context>
    <name>MeasuredChiFile</name>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>this is a folder, not a chi(k) file</source>
        <translation>χ(k) のファイルではなくフォルダです</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>通常のファイルではありません</translation>
    </message>
    <message>
        <source>larger than %1 MiB, too large for a measured chi(k)</source>
        <translation>%1 MiB を超えていて、測定した χ(k) としては大きすぎます</translation>
    </message>
    <message>
        <source>cannot be read (%1)</source>
        <translation>読み込めません（%1）</translation>
    </message>
    <message>
        <source>the columns must be whole numbers from 1 to %1</source>
        <translation>列は 1 から %1 までの整数でなければなりません</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>%1 行目: %2</translation>
    </message>
    <message>
        <source>column %1 is asked for, but the line has only %2</source>
        <translation>%1 列目を読むはずですが、この行には %2 列しかありません</translation>
    </message>
    <message>
        <source>column %1 is not a number (%2)</source>
        <translation>%1 列目が数ではありません（%2）</translation>
    </message>
    <message>
        <source>no rows of numbers</source>
        <translation>数の行がありません</translation>
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
    <name>Parameter</name>
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
</context>
<context>
    <name>ParameterField</name>
    <message>
        <source>Type %1, then press Return or leave the field.</source>
        <translation>%1を入力し、Return キーを押すか欄を離れると設定されます。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not %2.</source>
        <translation>「%1」は%2ではありません。</translation>
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
    <message>
        <source>an object with &quot;file&quot;, &quot;columns&quot;, &quot;k&quot; and &quot;chi&quot;</source>
        <translation>&quot;file&quot;、&quot;columns&quot;、&quot;k&quot;、&quot;chi&quot; を持つオブジェクト</translation>
    </message>
    <message>
        <source>a file name</source>
        <translation>ファイル名</translation>
    </message>
    <message>
        <source>two whole numbers [k, chi], each from 1 to %1</source>
        <translation>二つの整数 [k, chi]（どちらも 1 から %1 まで）</translation>
    </message>
    <message>
        <source>&quot;data&quot;: %1</source>
        <translation>&quot;data&quot;: %1</translation>
    </message>
    <message>
        <source>&quot;data&quot;, row %1: %2</source>
        <translation>&quot;data&quot; の %1 行目: %2</translation>
    </message>
    <message>
        <source>a list of numbers</source>
        <translation>数のリスト</translation>
    </message>
    <message>
        <source>value %1 of %2 must be a number, not %3</source>
        <translation>%2 の %1 番目の値は数でなければなりません（%3 になっています）</translation>
    </message>
    <message>
        <source>%1: not saved: with its measured chi(k) of %2 rows the scenario would be %3 MiB, more than the %4 MiB a scenario may have</source>
        <translation>%1: 保存しませんでした: 測定した χ(k) が %2 行あり、シナリオが %3 MiB になって、シナリオの上限 %4 MiB を超えます</translation>
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
    <message>
        <source>Constant phase P0 (rad)</source>
        <translation>0次の位相因子 P0 (rad)</translation>
    </message>
    <message>
        <source>Quadratic phase P2 (rad·Å²), the term P2·k² of the phase</source>
        <translation>2次の位相因子 P2 (rad·Å²)：位相の P2·k² の項</translation>
    </message>
    <message>
        <source>Shell distance R (Å)</source>
        <translation>原子間距離 R (Å)</translation>
    </message>
    <message>
        <source>Put every envelope node back at 1</source>
        <translation>包絡線の節点をすべて 1 に戻す</translation>
    </message>
    <message>
        <source>Debye-Waller factor Sigma (Å), damping by exp(−2·Sigma²·k²)</source>
        <translation>デバイ・ワラ因子 σ (Å)：exp(−2·σ²·k²) で減衰</translation>
    </message>
    <message>
        <source>k-weight n: chi(k) is shown multiplied by k^n</source>
        <translation>k の重み n：chi(k) に k^n を掛けて表示</translation>
    </message>
    <message>
        <source>Multiply chi(k) by the envelope F(k)</source>
        <translation>chi(k) に包絡線 F(k) を掛ける</translation>
    </message>
    <message>
        <source>Multiply chi(k) by the Debye-Waller damping exp(−2·Sigma²·k²)</source>
        <translation>chi(k) にデバイ・ワラ減衰 exp(−2·σ²·k²) を掛ける</translation>
    </message>
    <message>
        <source>Multiply chi(k) by the window W(k)</source>
        <translation>chi(k) に窓関数 W(k) を掛ける</translation>
    </message>
    <message>
        <source>Leave the envelope F(k) out of chi(k), whatever its switch says</source>
        <translation>スイッチにかかわらず包絡線 F(k) を chi(k) に掛けない</translation>
    </message>
</context>
<context>
    <name>WindowFunc</name>
    <message>
        <source>Frame</source>
        <translation>窓関数コントロールパネル</translation>
    </message>
    <message>
        <source>Shape of the window W(k) over its four edges a, b, c, d</source>
        <translation>4 つの端 a, b, c, d の間の窓関数 W(k) の形</translation>
    </message>
    <message>
        <source>Hanning</source>
        <translation>ハニング</translation>
    </message>
    <message>
        <source>Kaiser-Bessel</source>
        <translation>カイザー・ベッセル</translation>
    </message>
    <message>
        <source>Welch</source>
        <translation>ウェルチ</translation>
    </message>
    <message>
        <source>Parzen</source>
        <translation>パルツェン</translation>
    </message>
    <message>
        <source>Sine</source>
        <translation>サイン</translation>
    </message>
    <message>
        <source>Gaussian</source>
        <translation>ガウス</translation>
    </message>
    <message>
        <source>Window edge a in k (Å⁻¹): where W(k) starts to rise. Its handle on the plot drags it.</source>
        <translation>窓関数の端 a (k, Å⁻¹)：W(k) が立ち上がり始める位置。グラフ上のハンドルでドラッグできます。</translation>
    </message>
    <message>
        <source>Window edge b: where the rise ends (Kaiser-Bessel: β = b − a; Gaussian: width b − a).</source>
        <translation>窓関数の端 b：立ち上がりが終わる位置 (カイザー・ベッセルでは β = b − a、ガウスでは幅 b − a)。</translation>
    </message>
    <message>
        <source>Window edge c: where the fall begins.</source>
        <translation>窓関数の端 c：立ち下がりが始まる位置。</translation>
    </message>
    <message>
        <source>Window edge d: where W(k) has fallen to 0.</source>
        <translation>窓関数の端 d：W(k) が 0 まで下がる位置。</translation>
    </message>
</context>
</TS>
