#include "connectionguard.h"
#include "panels/wavectrl.h"

#include <QSignalSpy>
#include <QTranslator>
#include <QtTest>

#include <cstdlib>

namespace {

// Records what a read-out shows at the moment a signal reaches it.
class ReadOutProbe : public QObject
{
    Q_OBJECT

public:
    QLineEdit *readOut = nullptr;
    QStringList seen;

public slots:
    void capture() { seen << readOut->text(); }
};

// Marks every text with the context it was looked up in.
class ContextTagger : public QTranslator
{
public:
    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        return QString::fromUtf8(context) + '|' + QString::fromUtf8(sourceText);
    }
    bool isEmpty() const override { return false; }
};

// A slider "XBar" shows its value in "XVal" and announces it with "newX(…)".
struct SliderRow
{
    explicit SliderRow(WaveCtrl &w, const QString &bar)
        : slider(w.findChild<QSlider *>(bar + "Bar"))
    {
        probe.readOut = w.findChild<QLineEdit *>(bar + "Val");
        const QByteArray type = bar == "N" ? "(int)" : "(double)";
        signal = QByteArray::number(QSIGNAL_CODE) + "new" + bar.toLatin1() + type;
    }

    // Listens from now on, so that moves made while setting up are not counted.
    void listen(WaveCtrl &w)
    {
        QObject::connect(&w, signal.constData(), &probe, SLOT(capture()));
        spy.reset(new QSignalSpy(&w, signal.constData()));
    }

    QSlider *slider;
    QByteArray signal;
    ReadOutProbe probe;
    QScopedPointer<QSignalSpy> spy;
};

// The read-out of slider value v divided by 10^decimals, spelt out without floating point.
QString decimal(int v, int decimals)
{
    const int scale = decimals == 1 ? 10 : decimals == 2 ? 100 : 1000;
    QString fraction = QString::number(std::abs(v) % scale).rightJustified(decimals, '0');
    while (fraction.endsWith('0'))
        fraction.chop(1);
    const QString whole = QString::number(std::abs(v) / scale);
    return (v < 0 ? "-" : "") + whole + (fraction.isEmpty() ? "" : "." + fraction);
}

} // namespace

class tst_WaveCtrl : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ConnectionGuard::install(); }
    void texts_data();
    void texts();
    void sliders_data();
    void sliders();
    void keyboardSteps_data();
    void keyboardSteps();
    void switches_data();
    void switches();
    void mnemonics_data();
    void mnemonics();
    void flat();
    void setWindowPos_data();
    void setWindowPos();
};

void tst_WaveCtrl::texts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");

    const char *formula = "k^n * W(k) * S0^2 * (1/k) * (1/R^2) * F(k) * sin( 2KR + P0 + P2*k^2 ) "
                          "* exp( -2 * Sigma^2 * k^2 )   : S0 = 1.0";
    const QList<QPair<const char *, const char *>> panelTexts {
        { "label_6", formula },
        { "label_7", "n:" },
        { "label_2", "R:" },
        { "label_3", "P0 : " },
        { "label", "P2 : " },
        { "label_4", "Sigma :" },
        { "Flat", "Flat" },
        { "label_5", "Select Factors : " },
        { "SelEnvelope", "E&nvelope" },
        { "SelWindowF", "W&indow Function" },
        { "SelDebye", "&Debye Waller" },
        { "doPM", "Use Env. Shape Selecter for PM" }
    };
    for (const auto &t : panelTexts)
        QTest::newRow(t.first) << t.first << QString("WaveCtrl|") + t.second;
    QTest::newRow("radioButton") << "radioButton"
                                 << "WindowFunc|&Linear";
    QTest::newRow("radioButton_2") << "radioButton_2"
                                   << "WindowFunc|H&anning";
    // The owner fills the read-outs; the form's own slider values must not.
    for (const char *readOut : { "NVal", "RVal", "Phi0Val", "Phi2Val", "SigVal" })
        QTest::newRow(readOut) << readOut << "";
}

void tst_WaveCtrl::texts()
{
    QFETCH(QString, name);
    QFETCH(QString, text);

    ContextTagger tagger;
    QCoreApplication::installTranslator(&tagger);
    WaveCtrl w;
    QCoreApplication::removeTranslator(&tagger);

    QObject *widget = w.findChild<QObject *>(name);
    QVERIFY(widget);
    QCOMPARE(widget->property("text").toString(), text);
    QCOMPARE(w.windowTitle(), QString("WaveCtrl|Frame"));
    QCOMPARE(w.WindowCtrl->windowTitle(), QString("WindowFunc|Frame"));
}

void tst_WaveCtrl::sliders_data()
{
    QTest::addColumn<QString>("bar");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("physical");

    QTest::newRow("n lowest") << "N" << 1 << "1" << 1.0;
    QTest::newRow("n highest") << "N" << 3 << "3" << 3.0;
    QTest::newRow("R zero") << "R" << 0 << "0" << 0.0;
    QTest::newRow("R 0.3") << "R" << 3 << "0.3" << 0.3;
    QTest::newRow("R 2.5") << "R" << 25 << "2.5" << 2.5;
    QTest::newRow("R highest") << "R" << 100 << "10" << 10.0;
    QTest::newRow("P0 lowest") << "Phi0" << -100 << "-10" << -10.0;
    QTest::newRow("P0 0.1") << "Phi0" << 1 << "0.1" << 0.1;
    QTest::newRow("P0 -0.7") << "Phi0" << -7 << "-0.7" << -0.7;
    QTest::newRow("P0 highest") << "Phi0" << 100 << "10" << 10.0;
    QTest::newRow("P2 lowest") << "Phi2" << -100 << "-1" << -1.0;
    QTest::newRow("P2 -0.35") << "Phi2" << -35 << "-0.35" << -0.35;
    QTest::newRow("P2 0.07") << "Phi2" << 7 << "0.07" << 0.07;
    QTest::newRow("P2 highest") << "Phi2" << 100 << "1" << 1.0;
    QTest::newRow("Sigma zero") << "Sig" << 0 << "0" << 0.0;
    QTest::newRow("Sigma 0.001") << "Sig" << 1 << "0.001" << 0.001;
    QTest::newRow("Sigma 0.003") << "Sig" << 3 << "0.003" << 0.003;
    QTest::newRow("Sigma highest") << "Sig" << 200 << "0.2" << 0.2;
}

void tst_WaveCtrl::sliders()
{
    QFETCH(QString, bar);
    QFETCH(int, value);
    QFETCH(QString, text);
    QFETCH(double, physical);

    WaveCtrl w;
    SliderRow row(w, bar);
    QVERIFY(row.slider && row.probe.readOut);
    // Start at the other end, so that moving to the value is a change.
    const QSlider *s = row.slider;
    row.slider->setValue(value == s->minimum() ? s->maximum() : s->minimum());
    row.listen(w);

    row.slider->setValue(value);
    QCOMPARE(row.probe.seen, QStringList { text });
    QCOMPARE(row.spy->count(), 1);
    // Exact: the double nearest the decimal, as a division gives it.
    const double got = row.spy->at(0).at(0).toDouble();
    QCOMPARE(QString::number(got, 'g', 17), QString::number(physical, 'g', 17));
}

void tst_WaveCtrl::keyboardSteps_data()
{
    QTest::addColumn<QString>("bar");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("presses");
    QTest::addColumn<QStringList>("texts");

    QStringList sweep;
    for (int r = 1; r <= 100; ++r)
        sweep << decimal(r, 1);
    const int right = Qt::Key_Right;
    const int left = Qt::Key_Left;
    const int pageUp = Qt::Key_PageUp;
    const int pageDown = Qt::Key_PageDown;
    using L = QStringList;
    QTest::newRow("R through its range") << "R" << 0 << right << 100 << sweep;
    QTest::newRow("R stops at the end") << "R" << 98 << right << 5 << L { "9.9", "10" };
    QTest::newRow("R pages") << "R" << 20 << pageUp << 2 << L { "3", "4" };
    QTest::newRow("n pages up") << "N" << 2 << pageUp << 3 << L { "3" };
    QTest::newRow("n pages down") << "N" << 2 << pageDown << 3 << L { "1" };
    QTest::newRow("n arrows") << "N" << 1 << right << 4 << L { "2", "3" };
    QTest::newRow("P0 down") << "Phi0" << 0 << left << 3 << L { "-0.1", "-0.2", "-0.3" };
    QTest::newRow("P0 home") << "Phi0" << 0 << int(Qt::Key_Home) << 2 << L { "-10" };
    QTest::newRow("P2 pages down") << "Phi2" << 0 << pageDown << 2 << L { "-0.1", "-0.2" };
    QTest::newRow("P2 end") << "Phi2" << -35 << int(Qt::Key_End) << 1 << L { "1" };
    QTest::newRow("Sigma to zero") << "Sig" << 2 << left << 3 << L { "0.001", "0" };
    QTest::newRow("Sigma page") << "Sig" << 50 << pageUp << 1 << L { "0.06" };
}

void tst_WaveCtrl::keyboardSteps()
{
    QFETCH(QString, bar);
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, presses);
    QFETCH(QStringList, texts);

    WaveCtrl w;
    SliderRow row(w, bar);
    QVERIFY(row.slider && row.probe.readOut);
    row.slider->setValue(start);
    row.listen(w);

    for (int i = 0; i < presses; ++i)
        QTest::keyClick(row.slider, Qt::Key(key));
    // One emission per step, each after its own read-out was written.
    QCOMPARE(row.probe.seen, texts);
    QCOMPARE(row.spy->count(), texts.size());
}

void tst_WaveCtrl::switches_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("initial");

    QTest::newRow("envelope") << "SelEnvelope" << true;
    QTest::newRow("window") << "SelWindowF" << true;
    QTest::newRow("Debye-Waller") << "SelDebye" << true;
    QTest::newRow("PM") << "doPM" << false;
}

void tst_WaveCtrl::switches()
{
    QFETCH(QString, name);
    QFETCH(bool, initial);

    WaveCtrl w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QList<QAbstractButton *> all { w.SelEnvelope, w.SelWindowF, w.SelDebye, w.doPM };
    auto *button = w.findChild<QAbstractButton *>(name);
    QVERIFY(all.contains(button));
    QCOMPARE(button->isChecked(), initial);
    QSignalSpy selection(&w, SIGNAL(newSelection()));
    QSignalSpy flat(&w, SIGNAL(enFlat()));

    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(button->isChecked(), !initial);
    QCOMPARE(selection.count(), 1);
    // The switches are independent of each other.
    for (QAbstractButton *other : all) {
        if (other != button)
            QCOMPARE(other->isChecked(), other != w.doPM);
    }

    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(button->isChecked(), initial);
    QCOMPARE(selection.count(), 2);
    QCOMPARE(flat.count(), 0);
}

void tst_WaveCtrl::mnemonics_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("key");

    QTest::newRow("envelope") << "SelEnvelope" << int(Qt::Key_N);
    QTest::newRow("window") << "SelWindowF" << int(Qt::Key_I);
    QTest::newRow("Debye-Waller") << "SelDebye" << int(Qt::Key_D);
}

void tst_WaveCtrl::mnemonics()
{
    QFETCH(QString, name);
    QFETCH(int, key);

    WaveCtrl w;
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    auto *button = w.findChild<QAbstractButton *>(name);
    QVERIFY(button);
    QSignalSpy selection(&w, SIGNAL(newSelection()));

    // A mnemonic animates the click: the button toggles when the animation ends.
    QTest::keyClick(&w, Qt::Key(key), Qt::AltModifier);
    QTRY_VERIFY(!button->isChecked());
    QCOMPARE(selection.count(), 1);
    QTest::keyClick(&w, Qt::Key(key), Qt::AltModifier);
    QTRY_VERIFY(button->isChecked());
    QCOMPARE(selection.count(), 2);
}

void tst_WaveCtrl::flat()
{
    WaveCtrl w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QSignalSpy flat(&w, SIGNAL(enFlat()));
    QSignalSpy selection(&w, SIGNAL(newSelection()));

    QTest::mouseClick(w.Flat, Qt::LeftButton);
    QCOMPARE(flat.count(), 1);
    QTest::mouseClick(w.Flat, Qt::LeftButton);
    QCOMPARE(flat.count(), 2);
    QCOMPARE(selection.count(), 0);
}

void tst_WaveCtrl::setWindowPos_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<double>("value");
    QTest::addColumn<QVector<double>>("edges");
    QTest::addColumn<int>("emitted");

    QTest::newRow("moves an edge") << 1 << 5.0 << QVector<double> { 3, 5, 15, 16 } << 1;
    QTest::newRow("sorts") << 3 << 1.0 << QVector<double> { 1, 3, 4, 15 } << 1;
    QTest::newRow("index above") << 4 << 1.0 << QVector<double> { 3, 4, 15, 16 } << 0;
    QTest::newRow("index below") << -1 << 1.0 << QVector<double> { 3, 4, 15, 16 } << 0;
}

void tst_WaveCtrl::setWindowPos()
{
    QFETCH(int, index);
    QFETCH(double, value);
    QFETCH(QVector<double>, edges);
    QFETCH(int, emitted);

    WaveCtrl w;
    QCOMPARE(w.findChild<WindowFunc *>("WindowCtrl"), w.WindowCtrl);
    QSignalSpy updated(w.WindowCtrl, SIGNAL(updated()));
    w.setWindowPos(index, value);
    QCOMPARE(w.WindowCtrl->positions, edges);
    QCOMPARE(updated.count(), emitted);
}

QTEST_MAIN(tst_WaveCtrl)
#include "tst_wavectrl.moc"
