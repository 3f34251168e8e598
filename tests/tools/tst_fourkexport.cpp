#include "connectionguard.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

// The built program, run as a user runs it.
class TestFourkExport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyOutputAtOnce();
    void badInputWritesNothing_data();
    void badInputWritesNothing();

private:
    struct Run
    {
        int status;
        QByteArray out, err;
    };
    static Run run(const QStringList &args, const QString &dir);
    static QMap<QString, QByteArray> contents(const QString &dir);
};

void TestFourkExport::initTestCase()
{
    ConnectionGuard::install();
}

TestFourkExport::Run TestFourkExport::run(const QStringList &args, const QString &dir)
{
    QProcess p;
    p.setWorkingDirectory(dir);
    // Without a platform of its own the program must choose the offscreen one itself.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(FOURK_EXPORT_BINARY), args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return { -1, {}, p.readAllStandardError() };
    return { p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError() };
}

QMap<QString, QByteArray> TestFourkExport::contents(const QString &dir)
{
    QMap<QString, QByteArray> files;
    for (const QFileInfo &info : QDir(dir).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
        QFile f(info.filePath());
        files[info.fileName()] = f.open(QIODevice::ReadOnly) ? f.readAll() : "<dir>";
    }
    return files;
}

void TestFourkExport::everyOutputAtOnce()
{
    QTemporaryDir dir;
    const Run r = run({ "--chik", "-", "--chir", "r.csv", "--plot-k", "k.svg", "--plot-r", "r.png",
                        "--size", "320x240", "--r", "2.5" },
                      dir.path());
    QCOMPARE(r.status, 0);
    QCOMPARE(r.err, QByteArray());
    QVERIFY(r.out.startsWith("k,chi,wave,envelope,window\n0,0,0,1,0\n"));
    QCOMPARE(r.out.count('\n'), 1 + 160);
    const auto files = contents(dir.path());
    QCOMPARE(files.keys(), QStringList({ "k.svg", "r.csv", "r.png" }));
    QCOMPARE(files["r.csv"].count('\n'), 1 + 512);
    QCOMPARE(QImage::fromData(files["r.png"]).size(), QSize(320, 240));
    QXmlStreamReader svg(files["k.svg"]);
    QVERIFY(svg.readNextStartElement());
    QCOMPARE(svg.attributes().value("viewBox").toString(), QStringLiteral("0 0 320 240"));
}

// Each row: arguments (split at blanks), exit status, a word the one error line must hold.
// Every output points into a folder that already holds old.csv and an empty folder sub; after
// the run the folder must be exactly as before.
void TestFourkExport::badInputWritesNothing_data()
{
    QTest::addColumn<QString>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("word");

    const QString out = "--chik old.csv --plot-r r.png ";
    const auto row = [&](const char *args, int status, const char *word) {
        QTest::newRow(args) << out + args << status << QString::fromLatin1(word);
    };
    for (const char *args : { "--r 10.0001", "--r -0.1", "--r two", "--r 2,5", "--r=", "--r" })
        row(args, 2, "--r");
    row("--p0 10.5", 2, "--p0");
    row("--p2 -inf", 2, "--p2");
    row("--sigma nan", 2, "--sigma");
    row("--pointer 1e400", 2, "--pointer");
    for (const char *args : { "--n 1.5", "--n 4", "--n 0x2" })
        row(args, 2, "--n");
    for (const char *args : { "--window 1,2,3", "--window 3,,15,16", "--window 3,4,inf,16,17" })
        row(args, 2, "--window");
    for (const char *args : { "--envelope 0:1;1:1", "--envelope 0:1,", "--envelope 0:1:2" })
        row(args, 2, "--envelope");
    for (const char *args : { "--show abs,phase", "--show abs,,F", "--show Abs" })
        row(args, 2, "--show");
    for (const char *args : { "--size 800x0", "--size 800*600", "--size 4294967297x1" })
        row(args, 2, "--size");
    row("--plot-k k.jpeg", 2, "--plot-k");
    row("--plot-r -", 2, "--plot-r");
    row("--radius 2", 2, "--radius");
    row("-r 2", 2, "-r");
    row("2.5", 2, "2.5");
    row("--pm=1", 2, "--pm");
    row("--chir ./old.csv", 2, "--chir");
    row("--chir - --chik -", 2, "standard output");
    QTest::newRow("nothing to write") << "--r 3" << 2 << "nothing";
    row("--plot-k no/such/k.png", 1, "no/such/k.png");
    row("--chik no/k.csv --chir old.csv", 1, "no/k.csv");
    row("--chir sub", 1, "sub");
}

void TestFourkExport::badInputWritesNothing()
{
    QFETCH(QString, args);
    QFETCH(int, status);
    QFETCH(QString, word);

    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("sub"));
    QFile old(dir.filePath("old.csv"));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    const auto before = contents(dir.path());

    const Run r = run(args.split(' '), dir.path());
    QCOMPARE(r.status, status);
    QCOMPARE(r.out, QByteArray());
    QCOMPARE(r.err.count('\n'), 1);
    QVERIFY2(r.err.startsWith("fourk-export: ") && r.err.contains(word.toUtf8()), r.err);
    QCOMPARE(contents(dir.path()), before);
    QVERIFY(QDir(dir.filePath("sub")).isEmpty());
}

QTEST_MAIN(TestFourkExport)
#include "tst_fourkexport.moc"
