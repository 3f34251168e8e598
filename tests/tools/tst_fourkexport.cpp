#include "connectionguard.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The built program, run as a user runs it.
class TestFourkExport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void run_data();
    void run();
};

void TestFourkExport::initTestCase()
{
    ConnectionGuard::install();
}

void TestFourkExport::run_data()
{
    QTest::addColumn<QString>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("word"); // named by the one error line
    QTest::newRow("good") << "" << 0 << "";
    QTest::newRow("out of range") << "--r 10.0001" << 2 << "--r";
    QTest::newRow("not a number") << "--r two" << 2 << "--r";
    QTest::newRow("NaN") << "--sigma nan" << 2 << "--sigma";
    QTest::newRow("infinity") << "--p2 -inf" << 2 << "--p2";
    QTest::newRow("malformed list") << "--window 3,,15,16" << 2 << "--window";
    QTest::newRow("unknown option") << "--radius 2" << 2 << "--radius";
    QTest::newRow("unknown selector") << "--show abs,phase" << 2 << "--show";
    QTest::newRow("unwritable path") << "--plot-r no/such/r.png" << 1 << "no/such/r.png";
}

// Good outputs come first, so that a check made too late, or a file written before the others
// are known to work, would leave something behind.
void TestFourkExport::run()
{
    QFETCH(QString, args);
    QFETCH(int, status);
    QFETCH(QString, word);
    QTemporaryDir dir;
    QProcess p;
    p.setWorkingDirectory(dir.path());
    // Without a platform of its own the program must choose the offscreen one itself.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(FOURK_EXPORT_BINARY),
            ("--chik - --plot-k k.png --size 320x240 " + args).split(' ', Qt::SkipEmptyParts));
    QVERIFY(p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit);
    QCOMPARE(p.exitCode(), status);
    const QByteArray out = p.readAllStandardOutput(), err = p.readAllStandardError();
    const QStringList files = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    if (status != 0) {
        QCOMPARE(out, QByteArray());
        QCOMPARE(err.count('\n'), 1);
        QVERIFY2(err.startsWith("fourk-export: ") && err.contains(word.toUtf8()), err);
        QCOMPARE(files, QStringList());
    } else {
        QCOMPARE(err, QByteArray());
        QVERIFY(out.startsWith("k,chi,wave,envelope,window\n0,0,0,1,0\n"));
        QCOMPARE(files, QStringList { "k.png" });
        QCOMPARE(QImage(dir.filePath("k.png")).size(), QSize(320, 240));
    }
}

QTEST_MAIN(TestFourkExport)
#include "tst_fourkexport.moc"
