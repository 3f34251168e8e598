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
    <message>
        <source>Shells</source>
        <translation>シェル</translation>
    </message>
    <message>
        <source>FEFF paths not added: %1 more shells would pass the %2 the model takes (it has %3)</source>
        <translation>FEFF パスを追加しませんでした: シェルがさらに %1 個増えると上限の %2 個を超えます（現在 %3 個）</translation>
    </message>
    <message>
        <source>Add FEFF Paths</source>
        <translation>FEFF パスを追加</translation>
    </message>
    <message>
        <source>FEFF path files (feff*.dat)</source>
        <translation>FEFF パスファイル (feff*.dat)</translation>
    </message>
    <message>
        <source>the scenario opened</source>
        <translation>開いたシナリオ</translation>
    </message>
    <message>
        <source>%1: a picture of %2x%3 pixels does not fit in memory; make the window smaller</source>
        <translation>%1: %2×%3 ピクセルの画像はメモリーに収まりません。ウィンドウを小さくしてください</translation>
    </message>
    <message>
        <source>the measured chi(k) file shown</source>
        <translation>表示中の測定 χ(k) のファイル</translation>
    </message>
    <message>
        <source>the FEFF path file %1</source>
        <translation>FEFF パスファイル %1</translation>
    </message>
    <message>
        <source>&lt;p&gt;Fits use the Levenberg-Marquardt module of Eigen (Mozilla Public License 2.0), which derives from MINPACK. This product includes software developed by the University of Chicago, as Operator of Argonne National Laboratory.&lt;/p&gt;</source>
        <translation>&lt;p&gt;フィットには Eigen の Levenberg-Marquardt モジュール（Mozilla Public License 2.0）を使っています。これは MINPACK に由来します。本製品には、アルゴンヌ国立研究所の運営者としてのシカゴ大学が開発したソフトウェアが含まれています（This product includes software developed by the University of Chicago, as Operator of Argonne National Laboratory.）。&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>編集</translation>
    </message>
    <message>
        <source>Undo Fit</source>
        <translation>フィットを取り消す</translation>
    </message>
    <message>
        <source>Put back the shells as they were before the last fit</source>
        <translation>最後のフィットの前のシェルに戻します</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>フィット</translation>
    </message>
    <message>
        <source>Fit the checked parameters to the measured chi(k)</source>
        <translation>チェックしたパラメータを測定した χ(k) にフィットします</translation>
    </message>
    <message>
        <source>View</source>
        <translation>表示</translation>
    </message>
    <message>
        <source>Axis Titles and Legend</source>
        <translation>軸ラベルと凡例</translation>
    </message>
    <message>
        <source>Give both plots axis titles with units, values along both axes and a legend</source>
        <translation>両方のグラフに単位付きの軸ラベル、両軸の目盛りの値、凡例を付けます</translation>
    </message>
    <message>
        <source>chi(k), the sum</source>
        <translation>χ(k)（合計）</translation>
    </message>
    <message>
        <source>The scenario has changed since it was last saved or opened. Save the changes?</source>
        <translation>シナリオは最後に保存または開いたときから変更されています。変更を保存しますか?</translation>
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
    <message>
        <source>&amp;Shells</source>
        <translation>シェル(&amp;S)</translation>
    </message>
    <message>
        <source>View</source>
        <translation>表示</translation>
    </message>
    <message>
        <source>Axis Titles and Legend</source>
        <translation>軸ラベルと凡例</translation>
    </message>
    <message>
        <source>Give both plots axis titles with units, values along both axes and a legend</source>
        <translation>両方のグラフに単位付きの軸ラベル、両軸の目盛りの値、凡例を付けます</translation>
    </message>
    <message>
        <source>sin(2kR+phi)</source>
        <translation>sin(2kR+Φ(k))</translation>
    </message>
    <message>
        <source>The magnitude of the transform of the window W(k)</source>
        <translation>窓関数 W(k) の変換の絶対値</translation>
    </message>
    <message>
        <source>Draw the imaginary part of the transforms chosen on the right</source>
        <translation>右で選んだ変換の虚部を描きます</translation>
    </message>
    <message>
        <source>R of the red pointer line in Å; drag the line on the plot or type a value</source>
        <translation>赤いポインタ線の R (Å)。プロット上で線をドラッグするか、値を入力します</translation>
    </message>
    <message>
        <source>R at the pointer and the value there of each part of chi(R) shown</source>
        <translation>ポインタ位置の R と、表示中の chi(R) の各成分のそこでの値</translation>
    </message>
    <message>
        <source>Draw the magnitude of the transforms chosen on the right</source>
        <translation>右で選んだ変換の絶対値を描きます</translation>
    </message>
    <message>
        <source>Draw the real part of the transforms chosen on the right</source>
        <translation>右で選んだ変換の実部を描きます</translation>
    </message>
    <message>
        <source>The transform of the simulated chi(k), all shells summed, in the parts chosen on the left</source>
        <translation>全シェルを合計したシミュレーション chi(k) の変換 (左で選んだ成分)</translation>
    </message>
    <message>
        <source>The transform of the measured chi(k), in the parts chosen on the left</source>
        <translation>測定 chi(k) の変換 (左で選んだ成分)</translation>
    </message>
    <message>
        <source>The magnitude of the transform of the envelope F(k)</source>
        <translation>包絡線 F(k) の変換の絶対値</translation>
    </message>
    <message>
        <source>The magnitude of the transform of the bare wave sin(2kR+phi)</source>
        <translation>単純な波 sin(2kR+phi) の変換の絶対値</translation>
    </message>
    <message>
        <source>The transform of each shell on its own, in its colour, in the parts chosen on the left</source>
        <translation>各シェル単独の変換をそのシェルの色で (左で選んだ成分)</translation>
    </message>
    <message>
        <source>R %1</source>
        <translation>R %1</translation>
    </message>
    <message>
        <source>   |chi(R)| %1</source>
        <translation>   |chi(R)| %1</translation>
    </message>
    <message>
        <source>   Re %1</source>
        <translation>   実部 %1</translation>
    </message>
    <message>
        <source>   Im %1</source>
        <translation>   虚部 %1</translation>
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
    <name>FeffPath</name>
    <message>
        <source>a path has 2 to 100 legs, not %1</source>
        <translation>パスの脚の数は 2 から 100 です（%1 ではありません）</translation>
    </message>
    <message>
        <source>the degeneracy %1 is not %2</source>
        <translation>縮重度 %1 は %2 ではありません</translation>
    </message>
    <message>
        <source>reff must be a positive number, not %1</source>
        <translation>reff は正の数でなければなりません（%1 ではありません）</translation>
    </message>
    <message>
        <source>the columns have different lengths</source>
        <translation>列の長さがそろっていません</translation>
    </message>
    <message>
        <source>%1 rows in the table; at least %2 are needed</source>
        <translation>表の行が %1 行です。少なくとも %2 行必要です</translation>
    </message>
    <message>
        <source>more than %1 rows in the table</source>
        <translation>表の行が %1 行を超えています</translation>
    </message>
    <message>
        <source>k is not a finite number</source>
        <translation>k が有限の数ではありません</translation>
    </message>
    <message>
        <source>%1 is not a finite number</source>
        <translation>%1 が有限の数ではありません</translation>
    </message>
    <message>
        <source>k %1 does not rise above the k before it (%2)</source>
        <translation>k %1 が前の k（%2）より大きくありません</translation>
    </message>
    <message>
        <source>lambda must be positive, not %1</source>
        <translation>lambda は正でなければなりません（%1 ではありません）</translation>
    </message>
</context>
<context>
    <name>FeffPathFile</name>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>this is a folder, not a FEFF path file</source>
        <translation>FEFF のパスファイルではなくフォルダです</translation>
    </message>
    <message>
        <source>larger than %1 MiB, too large for a FEFF path file</source>
        <translation>%1 MiB を超えており、FEFF のパスファイルとしては大きすぎます</translation>
    </message>
    <message>
        <source>cannot be read (%1)</source>
        <translation>読み込めません（%1）</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>%1 行目: %2</translation>
    </message>
    <message>
        <source>not a FEFF path file: no line of dashes ends the header</source>
        <translation>FEFF のパスファイルではありません: ヘッダーを終える破線の行がありません</translation>
    </message>
    <message>
        <source>the file ends after the line of dashes</source>
        <translation>破線の行の後でファイルが終わっています</translation>
    </message>
    <message>
        <source>expected the number of legs, the degeneracy and reff</source>
        <translation>脚の数、縮重度、reff が必要です</translation>
    </message>
    <message>
        <source>no column heads &quot;k real[2*phc] mag[feff] phase[feff] red factor lambda real[p]&quot; after the path&apos;s atoms</source>
        <translation>パスの原子の後に列見出し &quot;k real[2*phc] mag[feff] phase[feff] red factor lambda real[p]&quot; がありません</translation>
    </message>
    <message>
        <source>a row needs %1 numbers, this line has %2</source>
        <translation>1 行には %1 個の数が必要ですが、この行には %2 個しかありません</translation>
    </message>
    <message>
        <source>column %1 is not a number (“%2”)</source>
        <translation>%1 列目が数ではありません（“%2”）</translation>
    </message>
</context>
<context>
    <name>FitPanel</name>
    <message>
        <source>Fit</source>
        <translation>フィット</translation>
    </message>
    <message>
        <source>Check the parameters the fit varies; the others stay as they are</source>
        <translation>フィットで動かすパラメータにチェックを入れます。ほかのパラメータはそのままです</translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation>パラメータ</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>値</translation>
    </message>
    <message>
        <source>Fitted</source>
        <translation>フィット結果</translation>
    </message>
    <message>
        <source>Fit in:</source>
        <translation>フィット空間:</translation>
    </message>
    <message>
        <source>R: the real and imaginary parts of chi(R) between the two R values. k: k^n W(k) chi(k) wherever the window is not 0</source>
        <translation>R: 二つの R の間の Χ(R) の実部と虚部。k: 窓関数が 0 でないところの k^n W(k) χ(k)</translation>
    </message>
    <message>
        <source>R</source>
        <translation>R</translation>
    </message>
    <message>
        <source>k</source>
        <translation>k</translation>
    </message>
    <message>
        <source>R from</source>
        <translation>R の範囲</translation>
    </message>
    <message>
        <source>The lower end of the R range fitted, drawn as a band on the chi(R) plot</source>
        <translation>フィットする R の範囲の下端（Χ(R) のグラフに帯で示します）</translation>
    </message>
    <message>
        <source>to</source>
        <translation>から</translation>
    </message>
    <message>
        <source>The upper end of the R range fitted</source>
        <translation>フィットする R の範囲の上端</translation>
    </message>
    <message>
        <source>Å</source>
        <translation>Å</translation>
    </message>
    <message>
        <source>Fit the checked parameters to the measured chi(k)</source>
        <translation>チェックしたパラメータを測定した χ(k) にフィットします</translation>
    </message>
    <message>
        <source>Put back the shells as they were before the last fit</source>
        <translation>最後のフィットの前のシェルに戻します</translation>
    </message>
    <message>
        <source>Undo Fit</source>
        <translation>フィットを取り消す</translation>
    </message>
    <message>
        <source>Fit again whenever something not varied changes: an edge, the R range, n, a fixed parameter, the window&apos;s shape</source>
        <translation>動かさないもの（窓の端、R の範囲、n、固定したパラメータ、窓の形）が変わるたびにフィットし直します</translation>
    </message>
    <message>
        <source>Fit live</source>
        <translation>常にフィット</translation>
    </message>
    <message>
        <source>The last fit&apos;s values with their uncertainties, the strong correlations and how well it fits</source>
        <translation>最後のフィットの値とその不確かさ、強い相関、フィットのよさ</translation>
    </message>
    <message>
        <source>S0²</source>
        <translation>S0²</translation>
    </message>
    <message>
        <source>ΔE0 (eV)</source>
        <translation>ΔE0 (eV)</translation>
    </message>
    <message>
        <source>N</source>
        <translation>N</translation>
    </message>
    <message>
        <source>R (Å)</source>
        <translation>R (Å)</translation>
    </message>
    <message>
        <source>Sigma (Å)</source>
        <translation>Sigma (Å)</translation>
    </message>
    <message>
        <source>P0</source>
        <translation>P0</translation>
    </message>
    <message>
        <source>P2 (Å²)</source>
        <translation>P2 (Å²)</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>%1 ± %2</source>
        <translation>%1 ± %2</translation>
    </message>
    <message>
        <source>%1 = %2</source>
        <translation>%1 = %2</translation>
    </message>
    <message>
        <source>%1 and %2 correlated: %3</source>
        <translation>%1 と %2 の相関: %3</translation>
    </message>
    <message>
        <source>R-factor %1 · N_idp %2 · N_var %3 · %4 evaluations · %5 ms</source>
        <translation>R 因子 %1 · N_idp %2 · N_var %3 · 評価 %4 回 · %5 ms</translation>
    </message>
    <message>
        <source>The parameters a fit can vary: check those it varies</source>
        <translation>フィットで変化させられるパラメータ: 変化させるものにチェックを入れます</translation>
    </message>
    <message>
        <source>The value each parameter has now</source>
        <translation>各パラメータの現在の値</translation>
    </message>
    <message>
        <source>The value the last fit found, with its uncertainty</source>
        <translation>前回のフィットで得られた値とその不確かさ</translation>
    </message>
    <message>
        <source>Checked, the fit varies %1</source>
        <translation>チェックするとフィットで %1 を変化させます</translation>
    </message>
    <message>
        <source>The parameters of shell %1 a fit can vary</source>
        <translation>シェル %1 のうちフィットで変化させられるパラメータ</translation>
    </message>
</context>
<context>
    <name>FitReport</name>
    <message>
        <source>a list</source>
        <translation>リスト</translation>
    </message>
    <message>
        <source>an object</source>
        <translation>オブジェクト</translation>
    </message>
    <message>
        <source>nothing</source>
        <translation>何もない値</translation>
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
        <source>a number</source>
        <translation>数</translation>
    </message>
    <message>
        <source>a number of at least %1</source>
        <translation>%1 以上の数</translation>
    </message>
    <message>
        <source>%1, or null when unknown</source>
        <translation>%1（不明なときは null）</translation>
    </message>
    <message>
        <source>a whole number of at least 0</source>
        <translation>0 以上の整数</translation>
    </message>
    <message>
        <source>an object of names, each with &quot;value&quot; and &quot;uncertainty&quot;</source>
        <translation>名前ごとに &quot;value&quot; と &quot;uncertainty&quot; を持つオブジェクト</translation>
    </message>
    <message>
        <source>parameter %1</source>
        <translation>パラメータ %1</translation>
    </message>
    <message>
        <source>an object with &quot;value&quot; and &quot;uncertainty&quot;</source>
        <translation>&quot;value&quot; と &quot;uncertainty&quot; を持つオブジェクト</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%2 の %1</translation>
    </message>
    <message>
        <source>a list of objects with &quot;names&quot; and &quot;value&quot;</source>
        <translation>&quot;names&quot; と &quot;value&quot; を持つオブジェクトのリスト</translation>
    </message>
    <message>
        <source>correlation %1</source>
        <translation>相関 %1</translation>
    </message>
    <message>
        <source>an object with &quot;names&quot; and &quot;value&quot;</source>
        <translation>&quot;names&quot; と &quot;value&quot; を持つオブジェクト</translation>
    </message>
    <message>
        <source>&quot;names&quot; of %1</source>
        <translation>%1 の &quot;names&quot;</translation>
    </message>
    <message>
        <source>&quot;value&quot; of %1</source>
        <translation>%1 の &quot;value&quot;</translation>
    </message>
    <message>
        <source>two different names of &quot;parameters&quot;</source>
        <translation>&quot;parameters&quot; にある異なる二つの名前</translation>
    </message>
    <message>
        <source>a number from -1 to 1</source>
        <translation>-1 から 1 までの数</translation>
    </message>
    <message>
        <source>true or false</source>
        <translation>true か false</translation>
    </message>
    <message>
        <source>a text</source>
        <translation>文字列</translation>
    </message>
    <message>
        <source>&quot;n_var&quot; is %1, but &quot;parameters&quot; has %2</source>
        <translation>&quot;n_var&quot; は %1 ですが、&quot;parameters&quot; には %2 個あります</translation>
    </message>
</context>
<context>
    <name>FitSettings</name>
    <message>
        <source>two numbers from 0 to 10, the first below the second</source>
        <translation>0 から 10 の二つの数で、最初の数が二番目より小さいもの</translation>
    </message>
</context>
<context>
    <name>Fitter</name>
    <message>
        <source>The model cannot be computed at %1: %2</source>
        <translation>%1 でモデルを計算できません: %2</translation>
    </message>
    <message>
        <source>no reason given</source>
        <translation>理由は示されていません</translation>
    </message>
    <message>
        <source>The model gives residual %1 that is not a finite number at %2.</source>
        <translation>%2 でモデルの残差 %1 が有限の数になりません。</translation>
    </message>
    <message>
        <source>No parameter is varied.</source>
        <translation>動かすパラメータがありません。</translation>
    </message>
    <message>
        <source>%1 is varied twice.</source>
        <translation>%1 が二度動かされています。</translation>
    </message>
    <message>
        <source>The range of %1, %2 … %3, is empty.</source>
        <translation>%1 の範囲 %2 … %3 は空です。</translation>
    </message>
    <message>
        <source>%1 starts at %2, outside its range %3 … %4.</source>
        <translation>%1 の開始値 %2 が範囲 %3 … %4 の外にあります。</translation>
    </message>
    <message>
        <source>There is no model to fit.</source>
        <translation>フィットするモデルがありません。</translation>
    </message>
    <message>
        <source>%1 parameters are varied but there are only %2 residuals to fit.</source>
        <translation>%1 個のパラメータを動かしますが、フィットする残差は %2 個しかありません。</translation>
    </message>
    <message>
        <source>%1 parameters are varied but the data hold only %2 independent points: vary fewer, or widen the ranges.</source>
        <translation>%1 個のパラメータを動かしますが、データの独立な点は %2 個しかありません。動かすパラメータを減らすか、範囲を広げてください。</translation>
    </message>
    <message>
        <source>The data are zero where they are fitted: there is nothing to fit.</source>
        <translation>フィットする範囲でデータがゼロです。フィットするものがありません。</translation>
    </message>
    <message>
        <source>The fit did not converge within %1 evaluations.</source>
        <translation>フィットは %1 回の評価で収束しませんでした。</translation>
    </message>
    <message>
        <source>The fit broke down in a numerical problem.</source>
        <translation>数値計算上の問題でフィットが止まりました。</translation>
    </message>
    <message>
        <source>The fit cannot determine %1: the residuals do not change with it. Fix it.</source>
        <translation>%1 を決められません。残差がそれによって変わりません。固定してください。</translation>
    </message>
    <message>
        <source>The fit cannot tell %1 apart: the residuals change the same way with each. Fix all but one of them.</source>
        <translation>%1 を区別できません。どれによっても残差が同じように変わります。一つを残して固定してください。</translation>
    </message>
    <message>
        <source>The fit converged after %1 evaluations.</source>
        <translation>フィットは %1 回の評価で収束しました。</translation>
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
    <message>
        <source>chi %1 is larger than %2 in magnitude; no chi(k) is</source>
        <translation>chi %1 は大きさが %2 を超えています。χ(k) がこれほど大きくなることはありません</translation>
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
        <source>%1 has a decimal comma; numbers need a decimal point</source>
        <translation>%1 は小数点にコンマを使っています。数の小数点はピリオド（.）で書いてください</translation>
    </message>
    <message>
        <source>no rows of numbers: line %1 is not one: %2</source>
        <translation>数の行がありません: %1 行目は数の行ではありません: %2</translation>
    </message>
    <message>
        <source>no rows of numbers: from line %1 (%2) on, every line is text or a comment</source>
        <translation>数の行がありません: %1 行目（%2）から後はすべて文字かコメントの行です</translation>
    </message>
    <message>
        <source>no rows of numbers: the file has only blank and comment lines</source>
        <translation>数の行がありません: 空行とコメント行しかありません</translation>
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
        <source>cannot write &apos;%1&apos;: it is %2</source>
        <translation>&apos;%1&apos; に書き込めません: %2です</translation>
    </message>
    <message>
        <source>%1 and %2 cannot both write to standard output</source>
        <translation>%1 と %2 の両方を標準出力に書くことはできません</translation>
    </message>
    <message>
        <source>%1 and %2 name the same file &apos;%3&apos;</source>
        <translation>%1 と %2 が同じファイル &apos;%3&apos; を指しています</translation>
    </message>
    <message>
        <source>%1 &apos;%2&apos; and %3 &apos;%4&apos; are the same file</source>
        <translation>%1 の &apos;%2&apos; と %3 の &apos;%4&apos; は同じファイルです</translation>
    </message>
    <message>
        <source>no program reads from this pipe</source>
        <translation>このパイプを読んでいるプログラムがありません</translation>
    </message>
    <message>
        <source>cannot write to standard output: %1</source>
        <translation>標準出力に書き込めません: %1</translation>
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
    <name>PlotLabels</name>
    <message numerus="yes">
        <source>(%n more)</source>
        <translation>
            <numerusform>（ほか %n 本）</numerusform>
        </translation>
    </message>
    <message>
        <source>k (%1)</source>
        <translation>k (%1)</translation>
    </message>
    <message>
        <source>R (%1)</source>
        <translation>R (%1)</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>%1 (normalised)</source>
        <translation>%1（規格化）</translation>
    </message>
    <message>
        <source>Re %1</source>
        <translation>%1 の実部</translation>
    </message>
    <message>
        <source>Im %1</source>
        <translation>%1 の虚部</translation>
    </message>
    <message>
        <source>F (envelope)</source>
        <translation>F（包絡線）</translation>
    </message>
    <message>
        <source>W (window)</source>
        <translation>W（窓関数）</translation>
    </message>
    <message>
        <source>chi(R)</source>
        <translation>Χ(R)</translation>
    </message>
    <message>
        <source>chi(k)</source>
        <translation>χ(k)</translation>
    </message>
</context>
<context>
    <name>Scenario</name>
    <message>
        <source>four finite numbers</source>
        <translation>四つの有限の数</translation>
    </message>
    <message>
        <source>names from %1</source>
        <translation>%1 の中の名前</translation>
    </message>
    <message>
        <source>1 to %1 nodes, each k a finite number and F a number from -1e100 to 1e100</source>
        <translation>1 から %1 個の節点で、k は有限の数、F は -1e100 から 1e100 の数</translation>
    </message>
    <message>
        <source>Shell %1</source>
        <translation>シェル %1</translation>
    </message>
</context>
<context>
    <name>ScenarioFile</name>
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
        <source>larger than %1 MiB, too large for a scenario</source>
        <translation>%1 MiB を超えていて、シナリオとしては大きすぎます</translation>
    </message>
    <message>
        <source>cannot be read (%1)</source>
        <translation>読み込めません（%1）</translation>
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
    <message>
        <source>one of %1</source>
        <translation>%1 のいずれか</translation>
    </message>
    <message>
        <source>a list of 1 to %1 shells</source>
        <translation>1 から %1 個のシェルのリスト</translation>
    </message>
    <message>
        <source>a name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>given for a drawn shell, or &quot;feff&quot; for a path shell, not both</source>
        <translation>描いたシェルには envelope、パスのシェルには &quot;feff&quot; のどちらか一方</translation>
    </message>
    <message>
        <source>a number</source>
        <translation>数</translation>
    </message>
    <message>
        <source>&quot;feff&quot;: %1</source>
        <translation>&quot;feff&quot;: %1</translation>
    </message>
    <message>
        <source>&quot;feff&quot;, row %1: %2</source>
        <translation>&quot;feff&quot; の %1 行目: %2</translation>
    </message>
    <message>
        <source>a list of s02, e0 and SHELL.KEY, SHELL a shell&apos;s number and KEY one of degen, r, sigma, p0, p2</source>
        <translation>s02、e0、SHELL.KEY（SHELL はシェルの番号、KEY は degen、r、sigma、p0、p2 のいずれか）のリスト</translation>
    </message>
    <message>
        <source>a list of names</source>
        <translation>名前のリスト</translation>
    </message>
    <message>
        <source>&quot;r&quot; or &quot;k&quot;</source>
        <translation>&quot;r&quot; か &quot;k&quot;</translation>
    </message>
    <message numerus="yes">
        <source>a list of %n value(s)</source>
        <translation>
            <numerusform>%n 個の値のリスト</numerusform>
        </translation>
    </message>
    <message>
        <source>value %1 of %2 must be %3, not %4</source>
        <translation>%2 の %1 番目の値は%3でなければなりません（%4 になっています）</translation>
    </message>
    <message>
        <source>&quot;window&quot; needs 4 numbers, got %1</source>
        <translation>&quot;window&quot; には数が 4 つ必要ですが、%1 つしかありません</translation>
    </message>
    <message>
        <source>&quot;show&quot;: %1 is not one of %2</source>
        <translation>&quot;show&quot;: %1 は %2 のどれでもありません</translation>
    </message>
    <message>
        <source>an object is not closed with }, or a , is missing</source>
        <translation>オブジェクトが } で閉じていないか、, が抜けています</translation>
    </message>
    <message>
        <source>a : is missing after a key</source>
        <translation>キーの後の : が抜けています</translation>
    </message>
    <message>
        <source>a list is not closed with ], or a , is missing</source>
        <translation>リストが ] で閉じていないか、, が抜けています</translation>
    </message>
    <message>
        <source>a , is missing between two values</source>
        <translation>二つの値の間の , が抜けています</translation>
    </message>
    <message>
        <source>this is no value: text needs double quotes, and true, false and null are written in lower case</source>
        <translation>値になっていません。文字は二重引用符で囲み、true、false、null は小文字で書きます</translation>
    </message>
    <message>
        <source>the file ends in a number</source>
        <translation>数の途中でファイルが終わっています</translation>
    </message>
    <message>
        <source>a number is written wrongly or is too large</source>
        <translation>数の書き方が誤っているか、数が大きすぎます</translation>
    </message>
    <message>
        <source>a text holds a backslash that JSON does not know</source>
        <translation>文字列に JSON にないバックスラッシュの書き方があります</translation>
    </message>
    <message>
        <source>a text is not valid UTF-8</source>
        <translation>文字列が正しい UTF-8 ではありません</translation>
    </message>
    <message>
        <source>a text is not closed with a double quote</source>
        <translation>文字列が二重引用符で閉じていません</translation>
    </message>
    <message>
        <source>the file does not start with {</source>
        <translation>ファイルが { で始まっていません</translation>
    </message>
    <message>
        <source>more text follows the last }</source>
        <translation>最後の } の後に文字が続いています</translation>
    </message>
    <message>
        <source>too deeply nested or too large</source>
        <translation>入れ子が深すぎるか、大きすぎます</translation>
    </message>
    <message>
        <source>not a Fourk scenario: the JSON text is broken at %1: %2</source>
        <translation>Fourk のシナリオではありません: JSON の書き方が %1 で誤っています: %2</translation>
    </message>
    <message>
        <source>the key %1 is given twice in one object (%2)</source>
        <translation>キー %1 が一つのオブジェクトに二度あります（%2）</translation>
    </message>
    <message>
        <source>%1: %2 is not a parameter of the shells</source>
        <translation>%1: %2 はシェルのパラメータではありません</translation>
    </message>
</context>
<context>
    <name>ShellFit</name>
    <message>
        <source>Nothing is varied: choose at least one parameter to fit.</source>
        <translation>動かすものがありません: フィットするパラメータを一つ以上選んでください。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a parameter of this model: it has s02, e0 and, for each shell from 1 to %2, SHELL.degen, .r, .sigma, .p0 and .p2.</source>
        <translation>「%1」はこのモデルのパラメータではありません: パラメータは s02、e0 と、1 から %2 までの各シェルの SHELL.degen、.r、.sigma、.p0、.p2 です。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; belongs to shell %2, which is off: it does not change the model.</source>
        <translation>「%1」はオフのシェル %2 のものです: モデルを変えません。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is varied twice.</source>
        <translation>「%1」が二度動かされています。</translation>
    </message>
    <message>
        <source>No bin of chi(R) lies in the R range %1 … %2 Å, whose bins are %3 Å apart: widen the range.</source>
        <translation>R 範囲 %1 … %2 Å に chi(R) のビンがありません（ビンの間隔は %3 Å）: 範囲を広げてください。</translation>
    </message>
    <message>
        <source>The window W(k) is 0 at every k computed: there is nothing to compare in k.</source>
        <translation>計算するすべての k で窓関数 W(k) が 0 です: k で比べるものがありません。</translation>
    </message>
    <message>
        <source>There is no measured chi(k) to fit the shells to.</source>
        <translation>シェルをフィットする測定 chi(k) がありません。</translation>
    </message>
    <message>
        <source>The measured chi(R) is 0 throughout the R range %1 … %2 Å: there is nothing to fit.</source>
        <translation>測定 chi(R) が R 範囲 %1 … %2 Å 全体で 0 です: フィットするものがありません。</translation>
    </message>
    <message>
        <source>The measured chi(k) is 0 wherever the window W(k) is not: there is nothing to fit.</source>
        <translation>窓関数 W(k) が 0 でないところで測定 chi(k) がすべて 0 です: フィットするものがありません。</translation>
    </message>
    <message>
        <source>The measured chi(k) covers k = %1 … %2 Å⁻¹, but the window W(k) spans %3 … %4 Å⁻¹: keep the window inside the data.</source>
        <translation>測定 chi(k) は k = %1 … %2 Å⁻¹ の範囲ですが、窓関数 W(k) は %3 … %4 Å⁻¹ にわたっています: 窓をデータの内側に収めてください。</translation>
    </message>
</context>
<context>
    <name>ShellModel</name>
    <message>
        <source>drawn</source>
        <translation>描画</translation>
    </message>
    <message>
        <source>FEFF path</source>
        <translation>FEFF パス</translation>
    </message>
    <message>
        <source>%1: %2 legs, degeneracy %3, reff %4 Å, %5 rows</source>
        <translation>%1: 脚 %2、縮重度 %3、reff %4 Å、%5 行</translation>
    </message>
    <message>
        <source>%1, exactly %2</source>
        <translation>%1、正確には %2</translation>
    </message>
    <message>
        <source>On</source>
        <translation>有効</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>種類</translation>
    </message>
    <message>
        <source>N</source>
        <translation>N</translation>
    </message>
    <message>
        <source>R (Å)</source>
        <translation>R (Å)</translation>
    </message>
    <message>
        <source>Sigma (Å)</source>
        <translation>Sigma (Å)</translation>
    </message>
    <message>
        <source>P0</source>
        <translation>P0</translation>
    </message>
    <message>
        <source>P2 (Å²)</source>
        <translation>P2 (Å²)</translation>
    </message>
    <message>
        <source>Whether the shell is part of the sum</source>
        <translation>シェルを和に含めるかどうか</translation>
    </message>
    <message>
        <source>A drawn shell takes its amplitude from its envelope F(k), a FEFF path from its file</source>
        <translation>描いたシェルは振幅を包絡線 F(k) から、FEFF パスはそのファイルから取ります</translation>
    </message>
    <message>
        <source>The number of equal neighbours or paths, N</source>
        <translation>等価な隣接原子またはパスの数 N</translation>
    </message>
    <message>
        <source>The distance of the shell</source>
        <translation>シェルの距離</translation>
    </message>
    <message>
        <source>The Debye-Waller factor: the damping exp(-2 Sigma² k²)</source>
        <translation>デバイ-ワラー因子: 減衰 exp(-2 Sigma² k²)</translation>
    </message>
    <message>
        <source>A constant added to the phase</source>
        <translation>位相に加える定数</translation>
    </message>
    <message>
        <source>A term P2 k² added to the phase</source>
        <translation>位相に加える項 P2 k²</translation>
    </message>
    <message>
        <source>The shell&apos;s name; double-click to change it</source>
        <translation>シェルの名前。ダブルクリックで変更します</translation>
    </message>
</context>
<context>
    <name>ShellPanel</name>
    <message>
        <source>Shells</source>
        <translation>シェル</translation>
    </message>
    <message>
        <source>The shells summed into chi(k); the sliders edit the selected one. Double-click a cell to type a value.</source>
        <translation>χ(k) に足し合わせるシェルです。スライダーは選んだシェルを変えます。セルをダブルクリックすると値を入力できます。</translation>
    </message>
    <message>
        <source>Add a drawn shell with a flat envelope</source>
        <translation>平らな包絡線の描画シェルを追加します</translation>
    </message>
    <message>
        <source>Add Shell</source>
        <translation>シェルを追加</translation>
    </message>
    <message>
        <source>Add a shell for each FEFF path file (feffNNNN.dat) chosen</source>
        <translation>選んだ FEFF パスファイル (feffNNNN.dat) ごとにシェルを追加します</translation>
    </message>
    <message>
        <source>Add FEFF Paths…</source>
        <translation>FEFF パスを追加…</translation>
    </message>
    <message>
        <source>Remove the selected shell</source>
        <translation>選んだシェルを削除します</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Draw each shell&apos;s part of chi(k) as a thin curve in its own colour</source>
        <translation>各シェルの χ(k) への寄与をそれぞれの色の細い線で描きます</translation>
    </message>
    <message>
        <source>S0²:</source>
        <translation>S0²:</translation>
    </message>
    <message>
        <source>The amplitude factor S0² of every shell, 0 to 2</source>
        <translation>すべてのシェルの振幅因子 S0²（0 から 2）</translation>
    </message>
    <message>
        <source>ΔE0 (eV):</source>
        <translation>ΔE0 (eV):</translation>
    </message>
    <message>
        <source>The shift of the edge energy for every shell, -30 to 30 eV: each shell is evaluated at q = sqrt(k² - 0.2625 ΔE0)</source>
        <translation>すべてのシェルの吸収端エネルギーのずれ（-30 から 30 eV）: 各シェルは q = sqrt(k² - 0.2625 ΔE0) で計算します</translation>
    </message>
    <message>
        <source>Scale:</source>
        <translation>目盛り:</translation>
    </message>
    <message>
        <source>Normalised: chi(k) within -1 … 1. Absolute: k^n chi(k) W(k) as computed, and chi(R) in the analysis programs&apos; units</source>
        <translation>規格化: χ(k) を -1 … 1 に収めます。絶対値: 計算したままの k^n χ(k) W(k) と、解析プログラムと同じ単位の Χ(R)</translation>
    </message>
    <message>
        <source>Normalised</source>
        <translation>規格化</translation>
    </message>
    <message>
        <source>Absolute</source>
        <translation>絶対値</translation>
    </message>
    <message>
        <source>Click a row to edit its shell with the sliders</source>
        <translation>行をクリックすると、そのシェルをスライダーで編集できます</translation>
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
