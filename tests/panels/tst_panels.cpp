#include "connectionguard.h"
#include "panels/parameterfield.h"
#include "panels/wavectrl.h"
#include "panels/windowfunc.h"
#include "plot/chcoord.h"
#include "plot/mousec.h"

#include <QtTest>

#include <cfloat>
#include <cmath>

namespace {

QVector<double> numbers(const QString &text)
{
    QVector<double> values;
    for (const QString &t : text.split(' '))
        values << t.toDouble();
    return values;
}

// The read-outs' names without "Val" and the signals that announce their values, by Parameter::Id.
const QStringList names { "N", "R", "Phi0", "Phi2", "Sig" };

const char *announcer(int id)
{
    return QVector<const char *> { SIGNAL(newN(int)), SIGNAL(newR(double)), SIGNAL(newPhi0(double)),
                                   SIGNAL(newPhi2(double)), SIGNAL(newSig(double)) }[id];
}

} // namespace

class tst_Panels : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ConnectionGuard::install();
        // Typed text is also read in the user's locale; the tests choose it.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void sliders_data()
    {
        // Each slider's range and start, in the form as drawn and in the panel, which takes them
        // from the parameter table, and the start in its read-out; then a slider moved: its
        // read-out and the value announced, the position over the steps per unit (n 1, R 10,
        // P0 10, P2 100, Sigma 1000).
        QTest::addColumn<int>("id");
        QTest::addColumn<QVector<int>>("range"); // minimum, maximum, start
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("position");
        QTest::addColumn<double>("value");
        QTest::newRow("n") << 0 << QVector<int> { 1, 3, 2 } << "2" << 3 << 3.0;
        QTest::newRow("R") << 1 << QVector<int> { 0, 100, 20 } << "2" << 25 << 2.5;
        QTest::newRow("P0") << 2 << QVector<int> { -100, 100, 0 } << "0" << -12 << -1.2;
        QTest::newRow("P2") << 3 << QVector<int> { -100, 100, 0 } << "0" << -33 << -0.33;
        QTest::newRow("Sigma") << 4 << QVector<int> { 0, 200, 50 } << "0.05" << 123 << 0.123;
    }

    void sliders()
    {
        QFETCH(int, id);
        QFETCH(QVector<int>, range);
        QFETCH(QString, start);
        QFETCH(int, position);
        QFETCH(double, value);
        QFrame drawn;
        Ui_WaveCtrl ui;
        ui.setupUi(&drawn);
        WaveCtrl panel;
        for (QWidget *w : QWidgetList { &drawn, &panel }) {
            const auto *bar = w->findChild<QSlider *>(names[id] + "Bar");
            QCOMPARE(QVector<int>({ bar->minimum(), bar->maximum(), bar->value() }), range);
        }
        auto *readout = panel.findChild<QLineEdit *>(names[id] + "Val");
        QCOMPARE(readout->text(), start);
        QSignalSpy announced(&panel, announcer(id));
        panel.findChild<QSlider *>(names[id] + "Bar")->setValue(position);
        QCOMPARE(announced.count(), 1);
        QCOMPARE(announced.first().first().toDouble(), value);
        QCOMPARE(readout->text(), QString::number(value));
    }

    void typed_data()
    {
        // A value placed without a signal (as the model does; Pos2 among the edges 3 4 15 16),
        // then text typed over the field and ended by Return (\r) or leaving it (\t); an empty
        // text types nothing. Afterwards the value held, the text shown, the slider's step (the
        // value times steps per unit, rounded half away from 0), and what a refusal says is
        // accepted. A held value that differs from the placed one is announced, once.
        QTest::addColumn<QString>("field");
        QTest::addColumn<double>("start");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("held");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("refusal");
        const double odd = 3.1234567, nan = qQNaN();
        const auto row = [](const char *name, const char *field, double start, const char *text,
                            double held, const char *shown, int step, const char *refusal = "") {
            QTest::newRow(name) << field << start << text << held << shown << step << refusal;
        };
        row("R placed", "RVal", 2.56, "\r", 2.56, "2.56", 26);
        row("R placed, 6 digits", "RVal", odd, "\r", odd, "3.12346", 31);
        row("R placed NaN", "RVal", nan, "\r", 2, "2", 20);
        row("n placed not whole", "NVal", 2.5, "\r", 2, "2", 2);
        row("P0 placed half a step", "Phi0Val", -1.25, "\r", -1.25, "-1.25", -13);
        row("Sigma placed tiny", "SigVal", 1e-7, "\r", 1e-7, "1e-07", 0);
        row("R exact", "RVal", 2, "2.57\r", 2.57, "2.57", 26);
        row("R past 10", "RVal", 2, "10.5\r", 2, "2", 20, "a number from 0 to 10");
        row("R same value", "RVal", 2, "2.000\r", 2, "2", 20);
        row("R left untouched", "RVal", odd, "\t", odd, "3.12346", 31);
        row("R typed as shown", "RVal", odd, "3.12346\r", odd, "3.12346", 31);
        row("Sigma on leaving", "SigVal", 0.05, "0.0123\t", 0.0123, "0.0123", 12);
        row("n whole", "NVal", 2, "3\r", 3, "3", 3);
        row("n not whole", "NVal", 2, "2.5\r", 2, "2", 2, "a whole number from 1 to 3");
        row("P0 no number", "Phi0Val", -1, "abc\t", -1, "-1", -10, "a number from -10 to 10");
        row("P2 nan", "Phi2Val", 0.5, "nan\r", 0.5, "0.5", 50, "a number from -1 to 1");
        row("edge no number", "Pos2", 4, "xyz\r", 4, "4", 0, "a finite number");
        row("edge left untouched", "Pos2", odd, "\t", odd, "3.12346", 0);
        row("edge exact", "Pos2", 4, "4.0000001\t", 4.0000001, "4", 0);
    }

    void typed()
    {
        QFETCH(QString, field);
        QFETCH(double, start);
        QFETCH(QString, text);
        QFETCH(double, held);
        QFETCH(QString, shown);
        QFETCH(int, step);
        QFETCH(QString, refusal);
        WaveCtrl panel;
        const int id = names.indexOf(field.chopped(3));
        const bool edge = id < 0;
        const bool taken = edge ? (panel.WindowCtrl->setPositions({ 3, start, 15, 16 }), true)
                                : panel.setValue(Parameter::Id(id), start);
        const double placed = edge ? start : panel.value(Parameter::Id(id));
        QCOMPARE(taken, placed == start);
        QObject *announcing = edge ? static_cast<QObject *>(panel.WindowCtrl) : &panel;
        QSignalSpy spy(announcing, edge ? SIGNAL(updated()) : announcer(id));
        auto *edit = panel.findChild<QLineEdit *>(field);
        QSignalSpy refused(edit->findChild<ParameterField *>(), SIGNAL(refused(QString)));
        edit->selectAll();
        QTest::keyClicks(edit, text.chopped(1));
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        text.endsWith('\t') ? void(QApplication::sendEvent(edit, &out))
                            : QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClick(edit, Qt::Key_Return); // a second end changes nothing
        const double now = edge ? panel.WindowCtrl->positions[1] : panel.value(Parameter::Id(id));
        QVERIFY(now == held && edit->text() == shown);
        QCOMPARE(spy.count(), int(held != placed));
        if (!edge) {
            QCOMPARE(panel.findChild<QSlider *>(names[id] + "Bar")->value(), step);
            QVERIFY(held == placed || spy.first().first().toDouble() == held);
        }
        QCOMPARE(refused.count(), int(!refusal.isEmpty()));
        if (!refusal.isEmpty())
            QCOMPARE(refused.first().first().toString(),
                     '"' + text.chopped(1) + "\" is not " + refusal + '.');
    }

    void parse_data()
    {
        // Text as a number: first in the C locale, then in the user's, never with digits grouped.
        // "locale|text|value", no value where refused.
        QTest::addColumn<QString>("row");
        for (const char *row :
             { "C| 2.5 |2.5", "C|-1e-3|-0.001", "C|1e999|", "C|0x10|", "C||", "en_US|1,000|",
               "de_DE|2,5|2.5", "de_DE|2.5|2.5", "de_DE|1.000,5|" })
            QTest::newRow(row) << QString(row);
    }

    void parse()
    {
        QFETCH(QString, row);
        const QStringList parts = row.split('|');
        QLocale::setDefault(QLocale(parts[0]));
        double read = 0;
        const bool taken = Parameter::parse(parts[1], &read);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(taken, !parts[2].isEmpty());
        QCOMPARE(read, parts[2].toDouble());
    }

    void window_data()
    {
        // From the edges 3 4 15 16, one set through the wave panel (setWindowPos), the window
        // panel (setPos), typed into its field, or dragged by its handle to a pixel of a plot of
        // k = 0 … 16 on 160 pixels (edge 4 at x = 40), or all four (setPositions). Afterwards the
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
        row("dragged", "drag 1 90", "3 9 15 16", 1, 6, 0.5);
        row("dragged past the right end", "drag 1 400", "3 15 16 16", 1, 15.5, 1);
        row("dragged past the left end", "drag 1 -50", "0 3 15 16", 1, 1.5, 0.5);
        row("all at once", "all 20 1 8 2", "1 2 8 20", 1, 14, 0.5);
        row("all, one infinite", "all 20 1 inf 2", same, 0, 9, 1);
        // So narrow that pi over the width overflows: the old factor must stay.
        row("narrowest rise", "all 0 5e-324 15 16", "0 5e-324 15 16", 1, 0, 0);
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
        const QVector<double> values = numbers(args.join(' '));
        const int i = int(values[0]);
        ChCoord coord;
        MouseC mouse;
        coord.setDeviceRect(0, 0, 160, 100);
        coord.setRange(0, -1, 16, 1);
        window->coord = &coord;
        window->mouse = &mouse;
        if (via == "drag") {
            mouse.curPos = QPoint(40, 50);
            window->mPressed();
            mouse.curPos.setX(int(values[1]));
            window->mMoved();
        } else if (via == "typed") {
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
        for (const QLineEdit *e : qAsConst(window->posEdits))
            fields << e->text();
        QVERIFY(fields.join(' ') == shown && window->positions == numbers(shown));
        QCOMPARE(updated.count(), emitted);
        QVERIFY(std::abs(window->windowValue(k) - w) < 1e-9);
    }

    void shapes_data()
    {
        // W(k) of each shape, worked by hand; I0 values from mpmath's besseli to 20 digits.
        // "shape a b c d"; for 2 4 12 16 the centre m = 9 and the half width h = 7.
        QTest::addColumn<QString>("window");
        QTest::addColumn<double>("k");
        QTest::addColumn<double>("w");
        const auto row = [](const char *name, const char *window, double k, double w) {
            QTest::newRow(name) << QString(window) << k << w;
        };
        row("Welch rise", "welch 2 4 12 16", 3, 0.75); // 1 - ((3 - 4) / 2)^2
        row("Welch fall", "welch 2 4 12 16", 15, 0.4375); // 1 - ((15 - 12) / 4)^2 = 7/16
        row("Parzen rise", "parzen 2 4 12 16", 2.5, 0.25); // (2.5 - 2) / 2
        row("Parzen fall", "parzen 2 4 12 16", 15, 0.25); // (16 - 15) / 4
        row("Sine three quarters", "sine 2 4 12 16", 5.5, std::sqrt(0.5)); // sin(pi 10.5/14)
        row("Sine at a", "sine 2 4 12 16", 2, 0); // sin(pi), exactly
        row("Gaussian 1 sigma", "gaussian 2 4 12 16", 11, 0.60653065971263342); // exp(-4/8)
        row("Gaussian untruncated", "gaussian 2 4 12 16", 0, 4.0065297392951068e-5); // exp(-81/8)
        // k = m - h sqrt(3/4): s = 1/2, so (I0(beta/2) - 1) / (I0(beta) - 1).
        row("Kaiser beta 2", "kaiser 2 4 12 16", 9 - 7 * std::sqrt(0.75), 0.20793133311727382);
        // m = h = 50: s = 0.4 and 0.8 give (I0(20) - 1) and (I0(40) - 1) over I0(50) - 1.
        row("Kaiser beta 50, x 20", "kaiser 0 50 50 100", 50 - 50 * std::sqrt(0.84),
            1.4853361530637624e-13);
        row("Kaiser beta 50, x 40", "kaiser 0 50 50 100", 20, 5.0791139366142097e-5);
        // s = 0.999: (I0(999) - 1) / (I0(1000) - 1).
        row("Kaiser beta 1000", "kaiser 0 1000 1000 2000",
            1000 - 1000 * std::sqrt(1 - 0.999 * 0.999), 0.36806356506202747);
        // beta -> 0: I0(x) - 1 -> x^2/4, so W -> s^2 = 1 - ((1 - 2) / 2)^2.
        row("Kaiser beta 0", "kaiser 0 0 4 4", 1, 0.75);
        row("Kaiser beta 1e-200", "kaiser 0 1e-200 2 4", 1, 0.75);
        // A taper without width is skipped; no width at all leaves 0, or for the Gaussian its
        // limit, 1 at the centre.
        row("Welch b = a", "welch 3 3 12 16", 3, 1);
        row("Parzen c = d", "parzen 2 4 12 12", 12, 0);
        row("Sine a = d", "sine 5 5 5 5", 5, 0);
        row("Kaiser a = d", "kaiser 5 5 5 5", 5, 0);
        row("Gaussian no width, centre", "gaussian 3 3 12 16", 9.5, 1);
        row("Gaussian no width, beside", "gaussian 3 3 12 16", 9.6, 0);
        // Distances past the double range: b - a = 2e308.
        row("Welch huge", "welch -1e308 1e308 1.5e308 1.7e308", 0, 0.75); // 1 - (1 / 2)^2
        row("Sine huge", "sine -1e308 1e308 1.5e308 1.7e308", 0.35e308, 1); // (1.7 - 0.35) / 2.7
        // beta is taken as the largest double: I0(s beta) / I0(beta) for s < 1 is 0.
        row("Kaiser huge", "kaiser -1e308 1e308 1.5e308 1.7e308", 0, 0);
        // a + d = 2.7e308: m = 1.35e308, and k is one width 0.2e308 above it.
        row("Gaussian huge centre", "gaussian 1e308 1.2e308 1.5e308 1.7e308", 1.55e308,
            0.60653065971263342);
    }

    void shapes()
    {
        QFETCH(QString, window);
        QFETCH(double, k);
        QFETCH(double, w);
        WindowFunc f;
        QStringList args = window.split(' ');
        f.setShape(WindowFunc::Shape(WindowFunc::shapeNames().indexOf(args.takeFirst())));
        f.setPositions(numbers(args.join(' ')));
        QVERIFY2(std::abs(f.windowValue(k) - w) <= 1e-9 * w,
                 qPrintable(QString::number(f.windowValue(k), 'g', 17)));
        // Whatever the edges, W stays a number from 0 to 1: at them, beside them, between
        // them and far off.
        for (const char *edges :
             { "0 0 0 1", "0 1 1 1", "0 5e-324 1e-323 1.5e-323", "0 30 30 60",
               "0 1e-300 1e300 1e300", "0 30.000001 30.000001 60",
               "-1.7976931348623157e308 -1e308 1e308 1.7976931348623157e308" }) {
            f.setPositions(numbers(edges));
            QVector<double> ks { 0, 1e-320, -DBL_MAX, DBL_MAX };
            for (int i = 0; i < 4; ++i)
                ks << f.positions[i] << std::nextafter(f.positions[i], 0.0)
                   << f.positions[i] / 2 + f.positions[(i + 1) % 4] / 2;
            for (double x : qAsConst(ks))
                QVERIFY2(f.windowValue(x) >= 0 && f.windowValue(x) <= 1,
                         qPrintable(QString("%1 at %2").arg(edges).arg(x)));
        }
    }

    void shape()
    {
        // The names in the order of the shapes, the selector in step, one signal a change, and
        // a tooltip on every control of both panels.
        QCOMPARE(WindowFunc::shapeNames(),
                 QStringList({ "hanning", "kaiser", "welch", "parzen", "sine", "gaussian" }));
        WaveCtrl panel;
        WindowFunc &window = *panel.WindowCtrl;
        auto *box = window.findChild<QComboBox *>("ShapeSel");
        QVERIFY(window.shape() == WindowFunc::Hanning && box->currentIndex() == 0
                && box->count() == 6);
        QSignalSpy updated(&window, SIGNAL(updated()));
        for (int s : { 2, 2, 6 })
            window.setShape(WindowFunc::Shape(s));
        QVERIFY(box->currentIndex() == 2 && updated.count() == 1);
        box->setCurrentIndex(5);
        QVERIFY(window.shape() == WindowFunc::Gaussian && updated.count() == 2);
        for (QWidget *w : panel.findChildren<QWidget *>())
            QVERIFY2(!w->toolTip().isEmpty() || qobject_cast<QLabel *>(w) || !w->focusPolicy(),
                     qPrintable(w->objectName()));
    }
};

QTEST_MAIN(tst_Panels)
#include "tst_panels.moc"
