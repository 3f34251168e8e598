#include "connectionguard.h"
#include "mousesteps.h"
#include "plot/disparea.h"
#include "plot/drawtext.h"
#include "plot/penpalette.h"
#include "plot/plotimage.h"

#include <QPainter>
#include <QtTest>

using V = QVector<double>;
using S = MouseSteps;
using M = Qt::KeyboardModifiers;

// The surface (its coordinate system's mouse layer, paints, pictures), fitted text, the palette.
class tst_Plot : public QObject
{
    Q_OBJECT

    DrawText shared; // across the rows: what it measured before must not leak into a new setting
    const QString text = QStringLiteral("0.25 k");
    const int topLeft = Qt::AlignLeft | Qt::AlignTop;

private slots:
    void initTestCase() { ConnectionGuard::install(); }

    void mouse_data()
    {
        // 400 x 200 pixels showing x 0 ... 10, y -1 ... 1, marker lines given in pixels, the first
        // selected. Afterwards the range x0 y0 x1 y1, or the lines in x, (newVLines count),
        // selection. Shift alone pans; the band (right button) and marker drags take no modifier.
        QTest::addColumn<V>("lines");
        QTest::addColumn<S>("steps");
        QTest::addColumn<QString>("state");
        const auto row = [](const char *name, const V &lines, const S &steps, const char *state) {
            QTest::newRow(name) << lines << steps << QString(state);
        };
        const auto band = [](M m, QPointF from = { 199.5, 149.5 }, QPointF to = { 39.5, 49.5 }) {
            return S { press(from, Qt::RightButton, m), release(to, Qt::RightButton) };
        };
        const auto pan = [](M m, QPointF from = { 100, 100 }, QPointF to = { 140, 120 }) {
            return S { press(from, Qt::LeftButton, m), move(to) };
        };
        const M none, shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier, alt = Qt::AltModifier;
        const V three = { 80, 160, 240 };
        const char *same = "0 -1 10 1";
        row("band", {}, band(none), "1 -0.5 5 0.5");
        row("band up turns y over", {}, band(none, { 40, 150 }, { 200, 50 }), "1 0.5 5 -0.5");
        row("band with Ctrl", {}, band(ctrl), same);
        row("pan, halves up", {}, pan(shift, { -0.5, 99.5 }, { 39.5, 119.5 }), "-1 -0.8 9 1.2");
        row("drag without Shift", {}, pan(none), same);
        row("pan with Ctrl", {}, pan(shift | ctrl), same);
        row("pan with Alt", {}, pan(shift | alt), same);
        // The wheel zooms about the pointer by 1.1 a notch; sideways turns count; over the left
        // band only y zooms.
        row("wheel in", {}, { move({ 100, 100 }), wheel(120) },
            "0.227273 -0.909091 9.31818 0.909091");
        row("wheel sideways out", {}, { move({ 100, 100 }), wheel(10, -120) },
            "-0.25 -1.1 10.75 1.1");
        row("wheel on the left band", {}, { move({ 10, 100 }), wheel(120) },
            "0 -0.909091 10 0.909091");
        row("press far outside", three, { press({ 1e12, -1e12 }) }, "2 4 6 (0) -1");
        row("closer by a pixel", { 103.7, 97.1 }, { press({ 100, 50 }) }, "2.5925 2.4275 (1) 1");
        row("ten pixels away", { 110, 90 }, { press({ 100, 50 }) }, "2.75 2.25 (0) -1");
        row("past both, back", three, pan(none, { 240, 50 }, { 40, 50 }), "1 2 4 (2) 0");
        row("line with Ctrl", three, pan(ctrl, { 160, 50 }, { 200, 50 }), "2 4 6 (0) 0");
        row("line with Alt", three, pan(alt, { 160, 50 }, { 200, 50 }), "2 4 6 (0) 0");
    }

    void mouse()
    {
        QFETCH(V, lines);
        QFETCH(S, steps);
        QFETCH(QString, state);
        DispArea a;
        ChCoord &c = a.coord;
        c.setDeviceRect(0, 200, 400, 0);
        c.setRange(0, -1, 10, 1);
        c.setMouse(&a.mouseRelay);
        for (double px : lines)
            c.vLines << px / 40;
        c.selectedVLine = 0;
        QSignalSpy updated(&c, SIGNAL(updated()));
        QSignalSpy announced(&c, SIGNAL(newVLines()));
        sendSteps(&a, steps);
        QStringList shown;
        for (double v : lines.isEmpty() ? V { c.x0, c.y0, c.x1, c.y1 } : c.vLines)
            shown << QString::number(v);
        if (!lines.isEmpty())
            shown << QString("(%1) %2").arg(announced.count()).arg(c.selectedVLine);
        QCOMPARE(shown.join(' '), QString(state));
        QCOMPARE(updated.count(), steps.size()); // every event repaints, whatever it did
    }

    void painting()
    {
        // Each paint first sizes the coordinate system to the widget, y upwards, leftover plot
        // rectangle and all; a change of the coordinates repaints. A picture holds what the
        // surface draws, at its size, on white, stated as 100 dpi.
        DispArea a;
        a.resize(123, 45);
        a.coord.setPlotRect(1, 2, 3, 4);
        V seen;
        connect(&a, &DispArea::draw, [&](PlotScene *scene) {
            const ChCoord &c = a.coord;
            seen = { c.devX0, c.devY0, c.devX1, c.devY1, c.pixX0, c.pixY0, c.pixX1, c.pixY1 };
            scene->rects(Qt::red) << QRect(10, 5, 10, 5);
        });
        a.show();
        QTRY_COMPARE(seen, V({ 0, 45, 123, 0, 0, 45, 123, 0 }));
        seen.clear();
        emit a.coord.updated();
        QTRY_VERIFY(!seen.isEmpty());
        QCOMPARE(PlotImage::formatOf("dir.svg/K.PNG"), PlotImage::Png);
        const QImage png = QImage::fromData(PlotImage::encode(&a, PlotImage::Png, "T"));
        QCOMPARE(png.size(), QSize(123, 45));
        QCOMPARE(png.dotsPerMeterX(), 3937);
        QCOMPARE(png.pixel(10, 5), qRgb(255, 0, 0));
        QCOMPARE(png.pixel(9, 5), qRgb(255, 255, 255));
    }

    void fitting_data()
    {
        // The box is the text's size at 10 points, twice as wide and three times as high, given
        // right to left; the text comes out at the given size.
        QTest::addColumn<double>("maxPointSize");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<double>("points");
        QTest::newRow("width decides") << -1.0 << 96 << 20.0;
        QTest::newRow("capped") << 12.0 << 96 << 12.0;
        QTest::newRow("denser device") << -1.0 << 192 << 20.0;
    }

    void fitting()
    {
        // Compared with Qt drawing at the expected size, so this holds for any installed font.
        QFETCH(double, maxPointSize);
        QFETCH(int, dpi);
        QFETCH(double, points);
        QImage drawn(300, 200, QImage::Format_RGB32);
        drawn.setDotsPerMeterX(qRound(dpi / 0.0254));
        drawn.setDotsPerMeterY(qRound(dpi / 0.0254));
        drawn.fill(Qt::white);
        QImage expected = drawn;
        QPainter p(&drawn), q(&expected);
        QFont font;
        font.setPointSizeF(10);
        q.setFont(font);
        const QRectF ten = q.boundingRect(QRectF(0, 0, 5000, 5000), topLeft, text);
        const QRectF normal(10, 10, ten.width() * 2, ten.height() * 3);
        QRectF box(normal.right(), 10, -normal.width(), normal.height());
        font.setPointSizeF(7);
        QCOMPARE(shared.drawTextIn(&p, box, font, topLeft, 1, text, maxPointSize), ten);
        QCOMPARE(box, normal);
        QCOMPARE(p.font(), font); // the given font is back for whoever draws next
        font.setPointSizeF(points);
        q.setFont(font);
        q.drawText(normal, topLeft, text);
        p.end();
        q.end();
        QCOMPARE(drawn, expected);
    }

    void inactivePainter()
    {
        // Nothing to draw on, a painter never begun or ended: every operation does nothing and
        // gives back nothing, leaving the rectangle and font it was handed as they were.
        QImage image(8, 8, QImage::Format_RGB32);
        QPainter never, ended;
        if (ended.begin(&image))
            ended.end();
        for (QPainter *p : { &never, &ended }) {
            DrawText dt;
            const QRectF given(60, 10, -40, 20);
            QRectF rect = given;
            QFont font("Serif", 14);
            const QFont before = font;
            QCOMPARE(dt.drawTextIn(p, rect, font, topLeft, 1, text, -1), QRectF());
            QCOMPARE(dt.drawRotatedText(p, 90, rect, font, topLeft, 1, text, -1, true, Qt::red),
                     QRectF());
            QCOMPARE(dt.measureText(p, rect, font, topLeft, 1, text), QRectF());
            QCOMPARE(dt.fitPointSize(p, rect, font, topLeft, text), 14.0);
            dt.drawBoxLabel(p, true, text, 10, 100, 30, 10);
            dt.drawTextList(p, rect, 0, 20, font, topLeft, 0, { text, text }, -1);
            dt.drawTextPairs(p, rect, 0, 20, font, { text }, { text }, -1);
            QCOMPARE(rect, given);
            QCOMPARE(font, before);
        }
    }

    void palette()
    {
        // Solid pens of Qt's default width in 30 colours, repeating in both directions.
        const QStringList colours = QString("000000 ff0000 0000ff 2ecc71 f1c40f 9b59b6 f000f0 "
                                            "e67e22 a0a0ff 00a000 3498db 0000a0 e74c3c 2980b9 "
                                            "c8c800 8e44ad a00000 ffa0a0 95a5a6 27ae60 a0e6e6 "
                                            "f0a000 a0a0a0 78dc78 c0392b d35400 7f8c8d 16a085 "
                                            "1abc9c f39c12")
                                        .split(' ');
        const PenPalette palette;
        for (int i = 0; i < 30; ++i)
            QVERIFY2(palette.pen(i) == QPen(QColor('#' + colours[i])), qPrintable(colours[i]));
        for (QPoint wrap : { QPoint(30, 0), QPoint(61, 1), QPoint(-1, 29), QPoint(-3001, 29) })
            QCOMPARE(palette.color(wrap.x()).name(), '#' + colours[wrap.y()]);
    }
};

QTEST_MAIN(tst_Plot)
#include "tst_plot.moc"
