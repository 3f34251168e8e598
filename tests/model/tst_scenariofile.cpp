#include "connectionguard.h"
#include "model/scenariofile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

namespace {

// Every value of a scenario, so that two compare exactly (QVector compares doubles with ==).
QVector<double> values(const Scenario &s)
{
    QVector<double> v { double(s.n), s.r, s.p0, s.p2, s.sigma, s.pointer };
    v << s.window << double(s.useEnvelope) << double(s.useWindow) << double(s.useDebye)
      << double(s.pm) << double(s.envelope.size()) << double(s.show.size());
    for (const QPointF &node : s.envelope)
        v << node.x() << node.y();
    for (const QString &name : s.show)
        v << double(Scenario::selectorNames().indexOf(name));
    return v;
}

// The default scenario's file with one key replaced, or removed when the value is undefined.
QByteArray edited(const QString &key, const QJsonValue &value)
{
    QJsonObject o = QJsonDocument::fromJson(ScenarioFile::toJson(Scenario())).object();
    if (value.isUndefined())
        o.remove(key);
    else
        o.insert(key, value);
    return QJsonDocument(o).toJson();
}

} // namespace

class tst_ScenarioFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ConnectionGuard::install(); }
    void roundTrip();
    void badInput_data();
    void badInput();
};

void tst_ScenarioFile::roundTrip()
{
    Scenario s;
    s.n = 3;
    s.r = 0.1 + 0.2;
    s.p0 = -9.999999999999998;
    s.p2 = 5e-324;
    s.sigma = 0.2;
    s.pointer = -1e300;
    s.window = { 16, 3.25, 1e-300, -0.5 };
    s.envelope.clear();
    for (int i = 0; i < Scenario::maxNodes; ++i)
        s.envelope.append(QPointF(i / 3.0, std::sqrt(i) - 7));
    s.useEnvelope = s.useWindow = s.useDebye = false;
    s.pm = true;
    s.show = QStringList { "total", "real" };

    // A key of a later version is passed over.
    QByteArray json = ScenarioFile::toJson(s);
    json.replace('{', "{ \"later\": [1, { \"x\": 2 }],");
    Scenario back;
    QString error;
    QVERIFY2(ScenarioFile::parse(json, &back, &error), qPrintable(error));
    QVERIFY(values(back) == values(s));
}

void tst_ScenarioFile::badInput_data()
{
    QTest::addColumn<QByteArray>("content"); // written to the file, unless a path is given
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("named"); // what the message must name
    const QString none;
    QTest::newRow("not JSON") << QByteArray("r = 2") << none << "line 1, column";
    QTest::newRow("truncated") << edited("r", 2.5).left(120) << none << "breaks off";
    QTest::newRow("not an object") << QByteArray("[1, 2]") << none << "format";
    QTest::newRow("another format") << edited("format", "fourk") << none << "format";
    QTest::newRow("newer version") << edited("version", 2) << none << "version 2";
    QTest::newRow("version 0") << edited("version", 0) << none << "\"version\"";
    QTest::newRow("missing number")
        << edited("sigma", QJsonValue::Undefined) << none << "\"sigma\" is missing";
    QTest::newRow("number as text") << edited("r", "2") << none << "\"r\" must be";
    QTest::newRow("NaN as text") << edited("p2", "nan") << none << "\"p2\"";
    QTest::newRow("overflowing number")
        << edited("p0", 1).replace("\"p0\": 1", "\"p0\": 1e999") << none << "line";
    QTest::newRow("R out of range") << edited("r", 10.5) << none << "from 0 to 10";
    QTest::newRow("n not whole") << edited("n", 2.5) << none << "whole number";
    QTest::newRow("three edges") << edited("window", QJsonArray { 3, 4, 15 }) << none
                                 << "\"window\"";
    QTest::newRow("no nodes") << edited("envelope", QJsonArray()) << none << "\"envelope\"";
    QJsonArray many;
    for (int i = 0; i <= Scenario::maxNodes; ++i)
        many.append(QJsonArray { i, 1 });
    QTest::newRow("1,001 nodes") << edited("envelope", many) << none << "1000";
    QTest::newRow("node of three")
        << edited("envelope", QJsonArray { QJsonArray { 1, 2, 3 } }) << none << "[k, F]";
    QTest::newRow("switch as number") << edited(
        "factors",
        QJsonObject { { "envelope", 1 }, { "window", true }, { "debye", true }, { "pm", false } })
                                      << none << "\"factors.envelope\"";
    QTest::newRow("unknown selector")
        << edited("show", QJsonArray { "abs", "phase" }) << none << "\"show\"";
    QTest::newRow("folder") << QByteArray() << "."
                            << "folder";
    QTest::newRow("missing file") << QByteArray() << "no/such.fourk"
                                  << "no/such.fourk";
    QTest::newRow("device") << QByteArray() << "/dev/zero"
                            << "regular";
    QTest::newRow("over 16 MiB") << QByteArray(ScenarioFile::maxBytes + 1, ' ') << none << "16 MiB";
}

// Every problem is named in one line with the file, and the scenario read into stays as it was.
void tst_ScenarioFile::badInput()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, path);
    QFETCH(QString, named);
    QTemporaryDir dir;
    if (path.isEmpty()) {
        path = dir.filePath("lesson.fourk");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    } else if (!path.startsWith('/')) {
        path = dir.filePath(path);
    }
    Scenario s;
    s.r = 7.5;
    const QVector<double> before = values(s);
    QString error;
    QVERIFY(!ScenarioFile::read(path, &s, &error));
    QVERIFY2(error.startsWith(path + ": ") && error.contains(named) && !error.contains('\n'),
             qPrintable(error));
    QVERIFY(values(s) == before);
}

QTEST_MAIN(tst_ScenarioFile)
#include "tst_scenariofile.moc"
