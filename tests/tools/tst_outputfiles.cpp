#include "connectionguard.h"
#include "tools/outputfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestOutputFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void replacesEveryTarget();
    void failureLeavesEveryTarget_data();
    void failureLeavesEveryTarget();

private:
    static QByteArray read(const QString &path);
};

void TestOutputFiles::initTestCase()
{
    ConnectionGuard::install();
}

QByteArray TestOutputFiles::read(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void TestOutputFiles::replacesEveryTarget()
{
    QTemporaryDir dir;
    const QString a = dir.filePath("a.csv"), b = dir.filePath("b.png");
    QFile old(b);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("a much longer old content than the new one");
    old.close();

    OutputFiles out;
    out.add(a, "k,chi\n1,2\n");
    out.add(b, QByteArray("\x89PNG\0", 5));
    QVERIFY2(out.write(), qPrintable(out.error));
    QCOMPARE(read(a), QByteArray("k,chi\n1,2\n"));
    QCOMPARE(read(b), QByteArray("\x89PNG\0", 5));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

// A target that cannot be written, listed before, between or after good ones: the good targets
// must keep their old content (or stay absent) and no temporary file may stay behind.
void TestOutputFiles::failureLeavesEveryTarget_data()
{
    QTest::addColumn<QString>("bad");
    QTest::addColumn<int>("position");

    const QStringList bads { "missing/dir/x.csv", "sub", "plain.txt/x.csv" };
    for (const QString &bad : bads) {
        for (int position = 0; position < 3; ++position)
            QTest::addRow("%s at %d", qPrintable(bad), position) << bad << position;
    }
}

void TestOutputFiles::failureLeavesEveryTarget()
{
    QFETCH(QString, bad);
    QFETCH(int, position);

    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("sub"));
    QFile plain(dir.filePath("plain.txt"));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.write("old");
    plain.close();

    OutputFiles out;
    QStringList paths { dir.filePath("new.csv"), dir.filePath("plain.txt") };
    paths.insert(position, dir.filePath(bad));
    for (const QString &p : qAsConst(paths))
        out.add(p, "new");
    QVERIFY(!out.write());
    QVERIFY2(out.error.contains(bad), qPrintable(out.error));
    QVERIFY(!QFile::exists(dir.filePath("new.csv")));
    QCOMPARE(read(dir.filePath("plain.txt")), QByteArray("old"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 2);
    QVERIFY(QDir(dir.filePath("sub")).isEmpty());
}

QTEST_MAIN(TestOutputFiles)
#include "tst_outputfiles.moc"
