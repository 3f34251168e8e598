#include "connectionguard.h"
#include "mousesteps.h"
#include "plot/axisticks.h"
#include "plot/disparea.h"
#include "plot/drawtext.h"
#include "plot/penpalette.h"
#include "plot/plotframe.h"
#include "plot/plotimage.h"
#include "plot/plotscene.h"

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

    void ticks_data()
    {
        // A range, and the round range that encloses it with its labels, bottom to top.
        QTest::addColumn<double>("lo");
        QTest::addColumn<double>("hi");
        QTest::addColumn<QString>("labels");
        // 14.6 / 4 = 3.65 rounds up to a step of 5.
        QTest::newRow("k^2 chi") << -7.3 << 7.3 << "-10 -5 0 5 10";
        // 0.23 / 4 = 0.0575: 0.1, the range widened to whole steps.
        QTest::newRow("small, one-sided") << 0.0 << 0.23 << "0.0 0.1 0.2 0.3";
        // 42.5 / 4 = 10.6: a step of 20.
        QTest::newRow("reversed") << 42.0 << -0.5 << "-20 0 20 40 60";
        QTest::newRow("exactly on steps") << -1.0 << 1.0 << "-1.0 -0.5 0.0 0.5 1.0";
        QTest::newRow("tiny") << -3e-6 << 3e-6 << "-4e-06 -2e-06 0 2e-06 4e-06";
        QTest::newRow("nothing to enclose") << 0.0 << 0.0 << "-1 0 1";
        QTest::newRow("not a number") << qQNaN() << 1.0 << "-1 0 1";
    }

    void ticks()
    {
        QFETCH(double, lo);
        QFETCH(double, hi);
        QFETCH(QString, labels);
        const AxisTicks t(lo, hi, 4);
        QStringList got;
        for (double v : t.values())
            got << t.label(v);
        QCOMPARE(got.join(' '), labels);
        QVERIFY(t.first() <= std::min(lo, hi) || std::isnan(lo) || lo == hi);
    }

    void levelAndUpright_data()
    {
        // A layer of lines only level or upright is painted as rectangles: the same pixels as
        // Qt's lines, ends in either order, a point, ends far off the 40 x 30 picture.
        QTest::addColumn<int>("width");
        QTest::addColumn<QVector<QLine>>("lines");
        for (int width : { 1, 2 }) {
            const auto row = [width](const char *name, const QVector<QLine> &lines) {
                QTest::addRow("%s, %d wide", name, width) << width << lines;
            };
            row("upright", { { 5, 0, 5, 30 }, { 0, 3, 0, 9 }, { 39, 29, 39, 0 } });
            row("level", { { 0, 12, 40, 12 }, { 33, 0, 2, 0 }, { 1, 29, 7, 29 } });
            row("points", { { 7, 7, 7, 7 }, { 0, 0, 0, 0 }, { 39, 29, 39, 29 } });
            row("far ends", { { -1000000, 4, 1000000, 4 },
                              { 20, 1000000, 20, -1000000 },
                              { -3, -8, -3, 50 },
                              { 41, 5, 41, 9 } });
        }
    }

    void levelAndUpright()
    {
        QFETCH(int, width);
        QFETCH(QVector<QLine>, lines);
        QPen pen(QColor(10, 20, 30));
        pen.setWidth(width);
        PlotScene scene;
        scene.begin(QSize(40, 30));
        scene.lines(pen) = lines;
        QImage rects(40, 30, QImage::Format_RGB32), drawn(40, 30, QImage::Format_RGB32);
        {
            QPainter p(&rects);
            scene.paint(&p, &shared);
        }
        drawn.fill(Qt::white);
        QPainter p(&drawn);
        p.setPen(pen);
        p.drawLines(lines);
        QCOMPARE(rects, drawn);
    }

    void frameChanges_data()
    {
        // A picture painted from one description, then brought up to date with another that
        // differs as the row says, over a second one that differs in another way (so that what
        // the first change kept must not be taken for what the second needs).
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        const QStringList changes { "",     "grid", "label", "blue",  "black",  "squares", "band",
                                    "mark", "zero", "extra", "fewer", "ground", "upright" };
        for (const QString first : { "", "black", "grid" }) {
            for (const QString &second : changes)
                QTest::addRow("%s, then %s", qPrintable(first.isEmpty() ? "same" : first),
                              qPrintable(second.isEmpty() ? "same" : second))
                    << first << second;
        }
    }

    // The picture brought up to date holds what painting the new description anew gives.
    void frameChanges()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        const QSize size(120, 80);
        const auto describe = [&size](PlotScene *scene, const QString &change) {
            const auto pen = [](QRgb c, int width) {
                QPen p { QColor(c) };
                p.setWidth(width);
                return p;
            };
            const int shift = change == "grid" ? 3 : 0;
            scene->begin(size);
            if (change == "ground")
                scene->setBackground(QColor(250, 250, 200));
            scene->lines(pen(qRgb(200, 200, 200), 1)) << QLine(30 + shift, 0, 30 + shift, 80);
            scene->text(pen(qRgb(120, 120, 120), 1), QRectF(33.5, 40.25, 200, 12), QFont(),
                        Qt::AlignLeft | Qt::AlignTop, 10, change == "label" ? "2.5" : "25");
            QVector<QLine> &blue = scene->lines(pen(qRgb(0, 150, 255), 1));
            QVector<QLine> &black = scene->lines(pen(qRgb(0, 0, 0), 2));
            for (int x = 0; x < 120; x += 8) {
                const int b = change == "blue" && x > 60 ? 7 : 0;
                blue << QLine(x, 10 + (x * 7) % 60 + b, x + 8, 10 + ((x + 8) * 7) % 60 + b);
                const int k = change == "black" ? 5 : 0;
                black << QLine(x, 70 - (x * 5) % 50 - k, x + 8, 70 - ((x + 8) * 5) % 50);
            }
            scene->rects(QColor(0, 255, 150)) << QRect(change == "squares" ? 50 : 48, 38, 5, 5);
            scene->rects(QColor(255, 0, 0, 60)) << QRect(change == "band" ? 70 : 66, 0, 20, 80);
            scene->text(pen(qRgb(120, 120, 120), 1), QRectF(60, 42, 200, 12), QFont(),
                        Qt::AlignLeft | Qt::AlignTop, 10, change == "mark" ? "k" : "R");
            if (change != "fewer")
                scene->lines(pen(qRgb(200, 200, 200), 1))
                    << QLine(0, change == "zero" ? 41 : 40, 120, change == "zero" ? 41 : 40);
            if (change == "extra")
                scene->lines(pen(qRgb(255, 0, 0), 2)) << QLine(0, 0, 119, 79);
            // An axis title, turned to read upwards, alone at the right.
            scene->text(pen(qRgb(0, 0, 0), 1), QRectF(104, 4, 14, 72), QFont(), Qt::AlignCenter, 0,
                        change == "upright" ? "k chi" : "|chi(R)|", true);
        };
        PlotScene scene;
        PlotFrame frame;
        QImage kept(size, QImage::Format_RGB32);
        QPainter keeping(&kept);
        describe(&scene, first);
        frame.paintAll(&keeping, &scene, 96, 96, &shared);
        for (const QString &change : { second, first }) {
            describe(&scene, change);
            frame.paintChanges(&keeping, &scene, 96, 96, &shared);
            QImage anew(size, QImage::Format_RGB32);
            QPainter painter(&anew);
            describe(&scene, change);
            scene.paint(&painter, &shared);
            QVERIFY2(kept == anew, qPrintable(change));
        }
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
