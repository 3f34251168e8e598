#include "connectionguard.h"
#include "tools/exportoptions.h"

#include <QtTest>

class TestExportOptions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void accepts_data();
    void accepts();
    void rejects_data();
    void rejects();
    void helpAndVersionWin();
};

void TestExportOptions::initTestCase()
{
    ConnectionGuard::install();
}

// Each row: arguments, then the settings they must give, written back as text so that one
// column covers every kind of option.
void TestExportOptions::accepts_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("expected");

    const QStringList out { "--chik", "-" };
    QTest::newRow("defaults") << out
                              << "n=2 r=2 p0=0 p2=0 sigma=0.05 window=3,4,15,16 size=800x600";
    QTest::newRow("between slider steps")
        << out + QStringList { "--r", "2.55", "--sigma", "0.0125", "--p2", "-0.333" }
        << "r=2.55 sigma=0.0125 p2=-0.333";
    QTest::newRow("range ends") << out + QStringList { "--r", "0", "--p0", "-10", "--n", "3" }
                                << "r=0 p0=-10 n=3";
    QTest::newRow("value after =")
        << QStringList { "--p0=-3.5", "--chir=x.csv", "--n=1" } << "p0=-3.5 n=1";
    QTest::newRow("exponent") << out + QStringList { "--sigma", "1e-3" } << "sigma=0.001";
    QTest::newRow("window kept as given")
        << out + QStringList { "--window", "16,-3,4.5,1e2" } << "window=16,-3,4.5,100";
    QTest::newRow("envelope") << out + QStringList { "--envelope", "0:0.5,8:-2,3:1" }
                              << "envelope=0:0.5,8:-2,3:1";
    QTest::newRow("one node") << out + QStringList { "--envelope", "4:2" } << "envelope=4:2";
    QTest::newRow("factors") << out + QStringList { "--no-envelope", "--no-debye", "--pm" }
                             << "factors=0,1,0 pm=1";
    QTest::newRow("show") << out + QStringList { "--show", "real,F,total,F" }
                          << "show=real,F,total,F";
    QTest::newRow("show none") << out + QStringList { "--show", "none" } << "show=";
    QTest::newRow("pointer and size")
        << QStringList { "--plot-r", "a.SVG", "--pointer", "-25.5", "--size", "1x8192" }
        << "pointer=-25.5 size=1x8192";
    QTest::newRow("last one wins") << out + QStringList { "--r", "3", "--r", "4" } << "r=4";
    QTest::newRow("four outputs") << QStringList { "--chik",   "-",     "--chir",   "r.csv",
                                                   "--plot-k", "k.png", "--plot-r", "r.svg" }
                                  << "";
}

void TestExportOptions::accepts()
{
    QFETCH(QStringList, args);
    QFETCH(QString, expected);

    ExportOptions o;
    QCOMPARE(o.parse(args), ExportOptions::Run);
    QVERIFY(o.error.isEmpty());

    const auto num
        = [](double v) { return QString::number(v, 'g', QLocale::FloatingPointShortest); };
    QStringList win, env;
    for (double e : qAsConst(o.window))
        win << num(e);
    for (const QPointF &p : qAsConst(o.envelope))
        env << num(p.x()) + ':' + num(p.y());
    const QMap<QString, QString> actual {
        { "n", QString::number(o.n) },
        { "r", num(o.r) },
        { "p0", num(o.p0) },
        { "p2", num(o.p2) },
        { "sigma", num(o.sigma) },
        { "window", win.join(',') },
        { "envelope", env.join(',') },
        { "factors",
          QStringLiteral("%1,%2,%3").arg(o.useEnvelope).arg(o.useWindow).arg(o.useDebye) },
        { "pm", QString::number(o.pm) },
        { "show", o.show.join(',') },
        { "pointer", num(o.pointer) },
        { "size", QStringLiteral("%1x%2").arg(o.size.width()).arg(o.size.height()) }
    };
    for (const QString &pair : expected.split(' ', Qt::SkipEmptyParts)) {
        const QString key = pair.section('=', 0, 0);
        QVERIFY2(actual.contains(key), qPrintable(key));
        QCOMPARE(actual.value(key), pair.section('=', 1));
    }
}

// Each row: arguments, then a word the error line must contain (the option it names).
void TestExportOptions::rejects_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("names");

    const QStringList out { "--chik", "t.csv" };
    const auto row = [&](const char *name, const QStringList &args, const char *names) {
        QTest::newRow(name) << out + args << QString::fromLatin1(names);
    };
    row("r above range", { "--r", "10.0001" }, "--r");
    row("r below range", { "--r", "-0.1" }, "--r");
    row("p0 above range", { "--p0", "10.5" }, "--p0");
    row("p2 below range", { "--p2", "-1.01" }, "--p2");
    row("sigma above range", { "--sigma", "0.21" }, "--sigma");
    row("not a number", { "--r", "two" }, "--r");
    row("trailing garbage", { "--r", "2.5x" }, "--r");
    row("decimal comma", { "--r", "2,5" }, "--r");
    row("empty value", { "--r=" }, "--r");
    row("NaN", { "--sigma", "nan" }, "--sigma");
    row("infinity", { "--p2", "-inf" }, "--p2");
    row("n not whole", { "--n", "2.5" }, "--n");
    row("n out of range", { "--n", "0" }, "--n");
    row("n hex", { "--n", "0x2" }, "--n");
    row("pointer NaN", { "--pointer", "NaN" }, "--pointer");
    row("pointer infinite", { "--pointer", "1e400" }, "--pointer");
    row("three edges", { "--window", "3,4,15" }, "--window");
    row("five edges", { "--window", "3,4,15,16,17" }, "--window");
    row("empty edge", { "--window", "3,,15,16" }, "--window");
    row("infinite edge", { "--window", "3,4,inf,16" }, "--window");
    row("node without F", { "--envelope", "0:1,2" }, "--envelope");
    row("node with three parts", { "--envelope", "0:1:2" }, "--envelope");
    row("trailing comma", { "--envelope", "0:1," }, "--envelope");
    row("empty envelope", { "--envelope", "" }, "--envelope");
    row("NaN node", { "--envelope", "0:nan" }, "--envelope");
    row("unknown selector", { "--show", "abs,phase" }, "--show");
    row("selector case", { "--show", "Abs" }, "--show");
    row("empty selector", { "--show", "abs,,F" }, "--show");
    row("zero width", { "--size", "0x600" }, "--size");
    row("too tall", { "--size", "800x8193" }, "--size");
    row("negative side", { "--size", "-800x600" }, "--size");
    row("size separator", { "--size", "800*600" }, "--size");
    row("size overflow", { "--size", "4294967297x1" }, "--size");
    row("plot suffix", { "--plot-k", "k.jpg" }, "--plot-k");
    row("plot to stdout", { "--plot-r", "-" }, "--plot-r");
    row("empty file name", { "--chir", "" }, "--chir");
    row("unknown option", { "--radius", "2" }, "--radius");
    row("single dash", { "-r", "2" }, "-r");
    row("positional", { "2.5" }, "2.5");
    row("missing value", { "--r" }, "--r");
    row("flag with value", { "--pm=1" }, "--pm");
    row("same file twice", { "--chir", "./t.csv" }, "--chir");
    QTest::newRow("both to stdout") << QStringList { "--chik", "-", "--chir", "-" } << "--chir";
    QTest::newRow("nothing to write") << QStringList { "--r", "3" } << "--plot-k";
}

void TestExportOptions::rejects()
{
    QFETCH(QStringList, args);
    QFETCH(QString, names);

    ExportOptions o;
    QCOMPARE(o.parse(args), ExportOptions::Invalid);
    QVERIFY2(o.error.contains(names), qPrintable(o.error));
    QVERIFY(!o.error.contains('\n'));
}

void TestExportOptions::helpAndVersionWin()
{
    ExportOptions o;
    QCOMPARE(o.parse({ "--r", "99", "--help" }), ExportOptions::Help);
    QCOMPARE(o.parse({ "--bogus", "--version" }), ExportOptions::Version);
    for (const QString &name : ExportOptions::selectorNames())
        QVERIFY(ExportOptions::usage().contains(name));
}

QTEST_MAIN(TestExportOptions)
#include "tst_exportoptions.moc"
