#include "connectionguard.h"
#include "model/scenariofile.h"
#include "model/spectrumfile.h"

#include <QtTest>

using Values = QVector<double>;

class tst_Spectrum : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ConnectionGuard::install(); }
    void reads_data();
    void reads();
    void scenarioRoundTrip();
    void scenarioRefuses_data();
    void scenarioRefuses();
};

void tst_Spectrum::reads_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("kColumn");
    QTest::addColumn<int>("chiColumn");
    QTest::addColumn<Values>("expected"); // rows, then the first and the last k and chi
    QTest::newRow("Athena, # header, blank line")
        << "athena.chik" << 1 << 2 << Values { 5, 0, 0, 0.2, 0.04 };
    QTest::newRow("Athena, chi k^2") << "athena.chik" << 1 << 4 << Values { 5, 0, 0, 0.2, 0.0016 };
    QTest::newRow("FEFF chi.dat, text header")
        << "feff_chi.dat" << 1 << 2 << Values { 5, 1, 0.15, 3, 0.075 };
    QTest::newRow("FEFF chi.dat, mag")
        << "feff_chi.dat" << 1 << 3 << Values { 5, 1, 0.15, 3, 0.075 };
    QTest::newRow("BOM, CRLF, semicolons and commas")
        << "semicolon.csv" << 1 << 2 << Values { 4, 0.5, 0.25, 2, -0.1 };
    QTest::newRow("columns swapped") << "semicolon.csv" << 2 << 1 << Values();
}

void tst_Spectrum::reads()
{
    QFETCH(QString, file);
    QFETCH(int, kColumn);
    QFETCH(int, chiColumn);
    QFETCH(Values, expected);
    Spectrum s;
    QString error;
    const bool ok = SpectrumFile::read(QStringLiteral(FOURK_FIXTURES "/") + file, kColumn,
                                       chiColumn, &s, &error);
    if (expected.isEmpty()) {
        // k would fall from 0.25 to -0.5.
        QVERIFY(!ok && s.isEmpty());
        QVERIFY2(error.contains(file) && error.contains("line 3:"), qPrintable(error));
        return;
    }
    QVERIFY2(ok, qPrintable(error));
    QCOMPARE(Values({ double(s.k.size()), s.k.first(), s.chi.first(), s.k.last(), s.chi.last() }),
             expected);
    QCOMPARE(s.file, file);
    QCOMPARE(QPoint(s.kColumn, s.chiColumn), QPoint(kColumn, chiColumn));
}

void tst_Spectrum::scenarioRoundTrip()
{
    Scenario saved;
    // Numbers a short decimal form would not give back.
    saved.data.k = { 0.0, 0.1, 1.0 / 3.0, 1.0 + 2.220446049250313e-16, 17.25 };
    saved.data.chi = { -0.0, 1e-300, -2.5e300, 0.1 + 0.2, 123456789.123456789 };
    saved.data.file = QStringLiteral("cu foil.chi");
    saved.data.kColumn = 3;
    saved.data.chiColumn = 7;
    Scenario read;
    QString error;
    QVERIFY2(ScenarioFile::parse(ScenarioFile::toJson(saved), &read, &error), qPrintable(error));
    QVERIFY(read.data.k == saved.data.k && read.data.chi == saved.data.chi);
    QCOMPARE(read.data.file, saved.data.file);
    QCOMPARE(QPoint(read.data.kColumn, read.data.chiColumn), QPoint(3, 7));
    // Without data the file has no "data" key, and reads back without data.
    QVERIFY(!ScenarioFile::toJson(Scenario()).contains("\"data\""));
}

void tst_Spectrum::scenarioRefuses_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("problem");
    const QByteArray columns = R"("columns": [1, 2], "file": "x.chi", )";
    QTest::newRow("not an object") << QByteArray("[]") << "\"data\" must be";
    QTest::newRow("no k") << "{" + columns + R"("chi": [1, 2, 3, 4]})"
                          << "\"data.k\" is missing";
    QTest::newRow("column 0") << QByteArray(
        R"({"columns": [0, 2], "file": "x", "k": [], "chi": []})")
                              << "\"data.columns\" must be";
    QTest::newRow("a string among k")
        << "{" + columns + R"("k": [1, "2", 3, 4], "chi": [1, 2, 3, 4]})"
        << "value 2 of \"data.k\"";
    QTest::newRow("chi shorter") << "{" + columns + R"("k": [1, 2, 3, 4], "chi": [1, 2, 3]})"
                                 << "4 values and chi 3";
    QTest::newRow("k repeats") << "{" + columns + R"("k": [1, 2, 2, 4], "chi": [1, 2, 3, 4]})"
                               << "row 3: k 2 does not rise";
    QTest::newRow("three rows") << "{" + columns + R"("k": [1, 2, 3], "chi": [1, 2, 3]})"
                                << "3 rows of numbers";
}

void tst_Spectrum::scenarioRefuses()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, problem);
    QByteArray json = ScenarioFile::toJson(Scenario());
    json.insert(json.indexOf('{') + 1, "\"data\": " + data + ",");
    Scenario s;
    s.r = 7.0;
    QString error;
    QVERIFY(!ScenarioFile::parse(json, &s, &error));
    QVERIFY2(error.contains(problem), qPrintable(error));
    QVERIFY(s.r == 7.0 && s.data.isEmpty());
}

QTEST_MAIN(tst_Spectrum)
#include "tst_spectrum.moc"
