#include "connectionguard.h"
#include "panels/wavectrl.h"
#include "panels/windowfunc.h"

#include <QtTest>

#include <cmath>

class tst_Panels : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ConnectionGuard::install(); }

    void sliders_data()
    {
        // A slider moved: its read-out and the value announced, in the slider's step.
        QTest::addColumn<QString>("slider");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("signal");
        QTest::addColumn<double>("value");
        QTest::newRow("n") << "NBar" << 3 << "newN(int)" << 3.0;
        QTest::newRow("R") << "RBar" << 25 << "newR(double)" << 2.5;
        QTest::newRow("P0") << "Phi0Bar" << -12 << "newPhi0(double)" << -1.2;
        QTest::newRow("P2") << "Phi2Bar" << -33 << "newPhi2(double)" << -0.33;
        QTest::newRow("Sigma") << "SigBar" << 123 << "newSig(double)" << 0.123;
    }

    void sliders()
    {
        QFETCH(QString, slider);
        QFETCH(int, position);
        QFETCH(QString, signal);
        QFETCH(double, value);
        WaveCtrl panel;
        QSignalSpy announced(&panel, qPrintable('2' + signal));
        panel.findChild<QAbstractSlider *>(slider)->setValue(position);
        QCOMPARE(announced.count(), 1);
        QCOMPARE(announced.first().first().toDouble(), value);
        QCOMPARE(panel.findChild<QLineEdit *>(QString(slider).replace("Bar", "Val"))->text(),
                 QString::number(value));
    }

    void window_data()
    {
        // From the edges 3 4 15 16, one set through the wave panel (setWindowPos), the window
        // panel (setPos) or typed into its field, or all four (setPositions). Afterwards the
        // fields, how often W(k) announced a change, and W at one k: 0 outside the outer edges,
        // 1 between the inner ones, (1 -+ cos(pi t)) / 2 a fraction t into a taper.
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("emitted");
        QTest::addColumn<double>("k");
        QTest::addColumn<double>("w");
        const auto row = [](const char *name, const char *change, const char *shown, int emitted,
                            double k, double w) {
            QTest::newRow(name) << QString(change) << QString(shown) << emitted << k << w;
        };
        const double quarter = (1 - std::sqrt(0.5)) / 2;
        const char *same = "3 4 15 16";
        row("before the first edge", "window 2 15", same, 0, 2, 0);
        row("a quarter up", "window 1 nan", same, 0, 3.25, quarter);
        row("index below", "wave -1 1", same, 0, 9, 1);
        row("past the last edge", "wave 4 1", same, 0, 17, 0);
        row("wider rise", "wave 1 5", "3 5 15 16", 1, 4, 0.5);
        row("sorted to the front", "wave 3 1.25", "1.25 3 4 15", 1, 2.125, 0.5);
        row("past a lowered last edge", "window 3 15.5", "3 4 15 15.5", 1, 15.7, 0);
        row("shared rise edge", "window 1 3", "3 3 15 16", 1, 3, 1);
        row("typed past the others", "typed 0 20", "4 15 16 20", 1, 15.5, 1);
        row("typed garbage", "typed 1 abc", "0 3 15 16", 1, 1.5, 0.5);
        row("typed infinity", "typed 1 1e999", "0 3 15 16", 1, 1.5, 0.5);
        row("all at once", "all 20 1 8 2", "1 2 8 20", 1, 14, 0.5);
        row("all, one infinite", "all 20 1 inf 2", same, 0, 9, 1);
        // So narrow that pi over the width overflows: the old factor must stay.
        row("narrowest rise", "all 0 5e-324 15 16", "0 4.94066e-324 15 16", 1, 0, 0);
    }

    void window()
    {
        QFETCH(QString, change);
        QFETCH(QString, shown);
        QFETCH(int, emitted);
        QFETCH(double, k);
        QFETCH(double, w);
        WaveCtrl panel;
        WindowFunc *window = panel.WindowCtrl;
        QSignalSpy updated(window, SIGNAL(updated()));
        QStringList args = change.split(' ');
        const QString via = args.takeFirst();
        QVector<double> values;
        for (const QString &a : args)
            values << a.toDouble();
        const int i = int(values[0]);
        if (via == "typed") {
            window->posEdits[i]->clear();
            QTest::keyClicks(window->posEdits[i], args[1] + '\r');
        } else if (via == "all") {
            window->setPositions(values);
        } else if (via == "wave") {
            panel.setWindowPos(i, values[1]);
        } else {
            window->setPos(i, values[1]);
        }
        QStringList fields;
        for (int j = 0; j < 4; ++j) {
            fields << window->posEdits[j]->text();
            QCOMPARE(window->positions[j], fields.last().toDouble());
        }
        QCOMPARE(fields.join(' '), shown);
        QCOMPARE(updated.count(), emitted);
        QVERIFY(std::abs(window->windowValue(k) - w) < 1e-9);
    }
};

QTEST_MAIN(tst_Panels)
#include "tst_panels.moc"
