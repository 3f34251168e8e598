#include "connectionguard.h"
#include "tools/exportoptions.h"

#include <QtTest>

// Bad input is tried on the built program (tst_fourkexport); here, that good input means what
// it says.
class TestExportOptions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void accepts_data();
    void accepts();
};

void TestExportOptions::initTestCase()
{
    ConnectionGuard::install();
}

// Each row: arguments (split at blanks), then the settings they must give, written as text so
// that one column covers every kind of option.
void TestExportOptions::accepts_data()
{
    QTest::addColumn<QString>("args");
    QTest::addColumn<QString>("expected");

    QTest::newRow("defaults") << ""
                              << "n=2 r=2 p0=0 sigma=0.05 window=3,4,15,16 show=abs,F,W,wave,total";
    QTest::newRow("between steps") << "--r 2.55 --sigma 1.25e-2 --p2 -0.333 --n 3"
                                   << "r=2.55 sigma=0.0125 p2=-0.333 n=3";
    QTest::newRow("after =") << "--p0=-3.5 --n=1 --r=10"
                             << "p0=-3.5 n=1 r=10";
    QTest::newRow("lists") << "--window 16,-3,4.5,1e2 --envelope 0:0.5,8:-2,3:1 --show real,F"
                           << "window=16,-3,4.5,100 envelope=0:0.5,8:-2,3:1 show=real,F";
    QTest::newRow("switches") << "--no-envelope --no-debye --pm --show none"
                              << "factors=0,1,0 pm=1 show=";
    QTest::newRow("last wins") << "--r 3 --r 4 --pointer -25.5 --size 1x8192"
                               << "r=4 pointer=-25.5 size=1x8192";
}

void TestExportOptions::accepts()
{
    QFETCH(QString, args);
    QFETCH(QString, expected);

    ExportOptions o;
    QCOMPARE(o.parse(args.split(' ', Qt::SkipEmptyParts) + QStringList { "--plot-k", "a.SVG" }),
             ExportOptions::Run);
    QCOMPARE(o.plotKFile, QStringLiteral("a.SVG"));

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
    for (const QString &pair : expected.split(' ')) {
        const QString key = pair.section('=', 0, 0);
        QVERIFY2(actual.contains(key), qPrintable(key));
        QCOMPARE(actual.value(key), pair.section('=', 1));
    }
}

QTEST_MAIN(TestExportOptions)
#include "tst_exportoptions.moc"
