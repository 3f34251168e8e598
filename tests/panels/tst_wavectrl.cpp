#include "connectionguard.h"
#include "panels/wavectrl.h"

#include <QtTest>

class tst_WaveCtrl : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ConnectionGuard::install(); }

    void sliders_data()
    {
        // Two presses of key on slider "<bar>Bar" from start: what "<bar>Val" shows at each
        // emission. A press at the end of the range changes nothing and announces nothing.
        QTest::addColumn<QString>("bar");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<QStringList>("texts");
        using L = QStringList;
        const int left = Qt::Key_Left, right = Qt::Key_Right, home = Qt::Key_Home;
        QTest::newRow("n lowest") << "N" << 2 << home << L { "1" };
        QTest::newRow("R highest") << "R" << 99 << right << L { "10" };
        QTest::newRow("R 0.3") << "R" << 2 << right << L { "0.3", "0.4" };
        QTest::newRow("P0 lowest") << "Phi0" << 0 << home << L { "-10" };
        QTest::newRow("P0 -0.7") << "Phi0" << -6 << left << L { "-0.7", "-0.8" };
        QTest::newRow("P2 lowest") << "Phi2" << 0 << home << L { "-1" };
        QTest::newRow("P2 0.35") << "Phi2" << 34 << right << L { "0.35", "0.36" };
        QTest::newRow("Sigma down to 0") << "Sig" << 2 << left << L { "0.001", "0" };
        QTest::newRow("Sigma 0.009") << "Sig" << 8 << right << L { "0.009", "0.01" };
    }

    void sliders()
    {
        QFETCH(QString, bar);
        QFETCH(int, start);
        QFETCH(int, key);
        QFETCH(QStringList, texts);
        WaveCtrl w;
        auto *slider = w.findChild<QSlider *>(bar + "Bar");
        slider->setValue(start);
        // What the read-out shows when the value arrives: it is written first.
        const QLineEdit *readOut = w.findChild<QLineEdit *>(bar + "Val");
        QStringList seen;
        auto record = [&](auto value) {
            seen << readOut->text();
            QVERIFY(value == seen.last().toDouble()); // exact, as a division gives it
        };
        connect(&w, &WaveCtrl::newN, record);
        connect(&w, &WaveCtrl::newR, record);
        connect(&w, &WaveCtrl::newPhi0, record);
        connect(&w, &WaveCtrl::newPhi2, record);
        connect(&w, &WaveCtrl::newSig, record);
        QTest::keyClick(slider, Qt::Key(key));
        QTest::keyClick(slider, Qt::Key(key));
        QCOMPARE(seen, texts);
    }

    void buttons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("key"); // the Alt mnemonic; 0 for none
        QTest::newRow("envelope") << "SelEnvelope" << int(Qt::Key_N);
        QTest::newRow("window") << "SelWindowF" << int(Qt::Key_I);
        QTest::newRow("Debye-Waller") << "SelDebye" << int(Qt::Key_D);
        QTest::newRow("PM") << "doPM" << 0;
        QTest::newRow("Flat") << "Flat" << 0;
    }

    void buttons()
    {
        // Each toggle of a switch announces a new selection, each click of "Flat" enFlat.
        QFETCH(QString, name);
        QFETCH(int, key);
        WaveCtrl w;
        w.show();
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        auto *button = w.findChild<QAbstractButton *>(name);
        const bool initial = button->isChecked();
        QSignalSpy selection(&w, SIGNAL(newSelection()));
        QSignalSpy flat(&w, SIGNAL(enFlat()));
        QSignalSpy &own = button == w.Flat ? flat : selection;
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(button->isChecked(), button->isCheckable() && !initial);
        QCOMPARE(own.count(), 1);
        if (key) // a mnemonic animates the click: the button toggles when it ends
            QTest::keyClick(&w, Qt::Key(key), Qt::AltModifier);
        else
            QTest::mouseClick(button, Qt::LeftButton);
        QTRY_COMPARE(own.count(), 2);
        QCOMPARE(button->isChecked(), initial);
        QCOMPARE(selection.count() + flat.count(), 2);
    }
};

QTEST_MAIN(tst_WaveCtrl)
#include "tst_wavectrl.moc"
