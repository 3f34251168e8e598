#include "connectionguard.h"
#include "plot/drawtext.h"

#include <QtTest>

#include <QPainter>

#include <functional>

namespace {

const QString text = QStringLiteral("0.25 k");
const int topLeft = Qt::AlignLeft | Qt::AlignTop;
const int midLeft = Qt::AlignLeft | Qt::AlignVCenter;

// Every measurement and comparison goes through the same kind of painter, so the expected
// sizes hold for whatever font the machine has.
QImage paint(const std::function<void(QPainter &)> &draw)
{
    QImage img(300, 200, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    draw(p);
    return img;
}

QFont sized(QFont f, double points)
{
    f.setPointSizeF(points);
    return f;
}

// The box the text takes at 10 points.
QSizeF at10(const QFont &font, int flags, QRectF box = QRectF(0, 0, 5000, 5000))
{
    QSizeF size;
    paint([&](QPainter &p) {
        p.setFont(sized(font, 10));
        size = p.boundingRect(box, flags, text).size();
    });
    return size;
}

} // namespace

class tst_DrawText : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ConnectionGuard::install(); }
    void fitting_data();
    void fitting();
    void measuring_data();
    void measuring();
    void rotated_data();
    void rotated();
    void normalization_data();
    void normalization();
    void boxLabel_data();
    void boxLabel();
    void boxHit_data();
    void boxHit();
    void listAdvance_data();
    void listAdvance();
};

void tst_DrawText::fitting_data()
{
    // The box is the text's size at 10 points times (sx, sy).
    QTest::addColumn<double>("sx");
    QTest::addColumn<double>("sy");
    QTest::addColumn<double>("maxPointSize");
    QTest::addColumn<int>("fit");
    QTest::addColumn<double>("points");
    QTest::newRow("twice as wide") << 2.0 << 1.0 << -1.0 << 1 << 10.0;
    QTest::newRow("twice as large") << 2.0 << 2.0 << -1.0 << 1 << 20.0;
    QTest::newRow("capped") << 2.0 << 2.0 << 10.0 << 1 << 10.0;
    QTest::newRow("cap above the fit") << 2.0 << 2.0 << 30.0 << 1 << 20.0;
    QTest::newRow("zero is no cap") << 2.0 << 2.0 << 0.0 << 1 << 20.0;
    QTest::newRow("narrow") << 0.5 << 1.0 << -1.0 << 1 << 5.0;
    QTest::newRow("tall, width decides") << 3.0 << 4.0 << -1.0 << 1 << 30.0;
    QTest::newRow("fit off") << 2.0 << 2.0 << -1.0 << 0 << 7.0;
    QTest::newRow("only 1 turns fitting on") << 2.0 << 2.0 << -1.0 << 2 << 7.0;
}

void tst_DrawText::fitting()
{
    QFETCH(double, sx);
    QFETCH(double, sy);
    QFETCH(double, maxPointSize);
    QFETCH(int, fit);
    QFETCH(double, points);
    const QFont font = sized(QFont(), 7);
    const QSizeF ten = at10(font, topLeft);
    const QRectF box(10, 10, ten.width() * sx, ten.height() * sy);
    DrawText dt;
    QRectF measured;
    QFont after;
    const QImage drawn = paint([&](QPainter &p) {
        QRectF r = box;
        measured = dt.drawTextIn(&p, r, font, topLeft, fit, text, maxPointSize);
        after = p.font();
    });
    const QImage expected = paint([&](QPainter &p) {
        p.setFont(sized(font, points));
        p.drawText(box, topLeft, text);
    });
    QVERIFY(drawn != paint([](QPainter &) {}));
    QCOMPARE(drawn, expected);
    QCOMPARE(measured.size(), fit == 1 ? ten : QSizeF(0, 0));
    QCOMPARE(after, font);
}

void tst_DrawText::measuring_data()
{
    QTest::addColumn<double>("sx");
    QTest::addColumn<double>("sy");
    QTest::addColumn<int>("fit");
    QTest::addColumn<int>("points");
    QTest::newRow("twice as large") << 2.0 << 2.0 << 1 << 20;
    QTest::newRow("height decides") << 4.0 << 3.0 << 1 << 30;
    QTest::newRow("narrow") << 0.5 << 1.0 << 1 << 5;
    QTest::newRow("no box") << 0.0 << 0.0 << 1 << 10;
    QTest::newRow("fit off") << 2.0 << 2.0 << 0 << 10;
}

void tst_DrawText::measuring()
{
    QFETCH(double, sx);
    QFETCH(double, sy);
    QFETCH(int, fit);
    QFETCH(int, points);
    const QFont ten = sized(QFont(), 10);
    const QSizeF size = at10(ten, midLeft, QRectF(0, 0, 1000, 1000));
    const QRectF box(20, 20, size.width() * sx, size.height() * sy);
    DrawText dt;
    paint([&](QPainter &p) {
        const QRectF expected = [&] {
            p.setFont(sized(ten, points));
            return p.boundingRect(box, midLeft, text);
        }();
        p.setFont(ten);
        QFont font = ten;
        QRectF r = box;
        QCOMPARE(dt.measureText(&p, r, font, midLeft, fit, text), expected);
        QCOMPARE(font, ten);
        QCOMPARE(p.font(), ten);
        // Always measured in the default font, whatever font is given.
        const QFont big = sized(QFont(QStringLiteral("Serif")), 30);
        if (fit == 1) {
            QCOMPARE(dt.fitPointSize(&p, box, big, midLeft, text), double(points));
            QCOMPARE(p.font().toString(), big.toString());
        }
    });
}

void tst_DrawText::rotated_data()
{
    // The rectangle's corner is the centre of a 60 x 20 box, filled red.
    QTest::addColumn<QRectF>("rect");
    QTest::addColumn<double>("angle");
    QTest::addColumn<QVector<QPoint>>("inside");
    QTest::addColumn<QVector<QPoint>>("outside");
    const QVector<QPoint> flatIn = { { 125, 95 }, { 175, 105 } };
    const QVector<QPoint> flatOut = { { 115, 100 }, { 150, 85 }, { 185, 100 } };
    QTest::newRow("level") << QRectF(150, 100, 60, 20) << 0.0 << flatIn << flatOut;
    QTest::newRow("upside down") << QRectF(150, 100, 60, 20) << 180.0 << flatIn << flatOut;
    QTest::newRow("negative width") << QRectF(210, 100, -60, 20) << 0.0 << flatIn << flatOut;
    QTest::newRow("upright") << QRectF(150, 100, 60, 20) << 90.0
                             << QVector<QPoint> { { 150, 75 }, { 145, 125 } }
                             << QVector<QPoint> { { 125, 100 }, { 165, 100 }, { 150, 135 } };
}

void tst_DrawText::rotated()
{
    QFETCH(QRectF, rect);
    QFETCH(double, angle);
    QFETCH(QVector<QPoint>, inside);
    QFETCH(QVector<QPoint>, outside);
    DrawText dt;
    QPointF probe;
    const QImage img = paint([&](QPainter &p) {
        dt.drawRotatedText(&p, angle, rect, QFont(), topLeft, 1, QString(), -1, true, Qt::red);
        probe = p.transform().map(QPointF(100, 50));
    });
    for (const QPoint &pt : inside)
        QCOMPARE(img.pixelColor(pt), QColor(Qt::red));
    for (const QPoint &pt : outside)
        QCOMPARE(img.pixelColor(pt), QColor(Qt::white));
    QCOMPARE(probe, QPointF(100, 50)); // the painter is turned back
}

void tst_DrawText::normalization_data()
{
    QTest::addColumn<QRectF>("rect");
    QTest::addColumn<QRectF>("normal");
    QTest::newRow("negative width") << QRectF(100, 10, -40, 20) << QRectF(60, 10, 40, 20);
    QTest::newRow("negative both") << QRectF(0, 0, -5, -6) << QRectF(-5, -6, 5, 6);
    QTest::newRow("flat, negative height") << QRectF(5, 5, 0, -3) << QRectF(5, 2, 0, 3);
    QTest::newRow("already normal") << QRectF(1, 2, 3, 4) << QRectF(1, 2, 3, 4);
}

void tst_DrawText::normalization()
{
    QFETCH(QRectF, rect);
    QFETCH(QRectF, normal);
    DrawText dt;
    QRectF r = rect;
    dt.normalizeRect(r);
    QCOMPARE(r, normal);
    // The operations that take the caller's rectangle leave it normalised.
    QFont font;
    paint([&](QPainter &p) {
        r = rect;
        dt.drawTextIn(&p, r, font, topLeft, 1, text, -1);
        QCOMPARE(r, normal);
        r = rect;
        dt.measureText(&p, r, font, topLeft, 1, text);
        QCOMPARE(r, normal);
        r = rect;
        dt.drawTextList(&p, r, 0, 0, font, topLeft, 0, { text }, -1);
        QCOMPARE(r, normal);
    });
    r = rect;
    QVERIFY(!dt.overlapsOccupied(r));
    QCOMPARE(r, normal);
    dt.addOccupied(QRectF(normal.center() - QPointF(0.1, 0.1), QSizeF(0.2, 0.2)));
    dt.addOccupied(QRectF(-100, -100, 1, 1));
    r = rect;
    QCOMPARE(dt.overlapsOccupied(r), !normal.isEmpty()); // nothing meets an empty rectangle
}

void tst_DrawText::boxLabel_data()
{
    QTest::addColumn<bool>("on");
    QTest::newRow("on") << true;
    QTest::newRow("off") << false;
}

void tst_DrawText::boxLabel()
{
    // x 10, bottom 30, size 10.
    QFETCH(bool, on);
    DrawText dt;
    const QImage img = paint(
        [&](QPainter &p) { dt.drawBoxLabel(&p, on, QStringLiteral("W(k)"), 10, 80, 30, 10); });
    // The fill ends on row 29, the outline of that rectangle one pixel further out.
    QCOMPARE(img.pixelColor(15, 25), on ? dt.boxOnColor : dt.boxOffColor);
    QCOMPARE(img.pixelColor(19, 29), on ? dt.boxOnColor : dt.boxOffColor);
    QCOMPARE(img.pixelColor(10, 20), dt.boxBorderColor);
    QCOMPARE(img.pixelColor(20, 30), dt.boxBorderColor);
    QCOMPARE(img.pixelColor(9, 25), QColor(Qt::white));
    QCOMPARE(img.pixelColor(15, 19), QColor(Qt::white));
    QCOMPARE(img.pixelColor(15, 31), QColor(Qt::white));
}

void tst_DrawText::boxHit_data()
{
    // The box at x 10, bottom 30, size 10; strict on every side.
    QTest::addColumn<QPointF>("pos");
    QTest::addColumn<bool>("hit");
    QTest::newRow("middle") << QPointF(15, 25) << true;
    QTest::newRow("left column") << QPointF(10, 25) << false;
    QTest::newRow("top row") << QPointF(15, 20) << false;
    QTest::newRow("inner top left") << QPointF(11, 21) << true;
    QTest::newRow("inner bottom right") << QPointF(19, 29) << true;
    QTest::newRow("right of the box") << QPointF(20, 25) << false;
    QTest::newRow("below the box") << QPointF(15, 30) << false;
    QTest::newRow("rounded in") << QPointF(10.6, 25) << true;
    QTest::newRow("rounded out") << QPointF(19.5, 25) << false;
}

void tst_DrawText::boxHit()
{
    QFETCH(QPointF, pos);
    QFETCH(bool, hit);
    QMouseEvent e(QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCOMPARE(DrawText().boxHit(&e, 10, 30, 10), hit);
}

void tst_DrawText::listAdvance_data()
{
    QTest::addColumn<bool>("pairs");
    QTest::addColumn<int>("keys");
    QTest::addColumn<int>("values");
    QTest::addColumn<QPointF>("step");
    QTest::addColumn<int>("fit");
    QTest::newRow("two texts down") << false << 2 << 0 << QPointF(0, 20) << 1;
    QTest::newRow("three texts right, one size") << false << 3 << 0 << QPointF(30, 0) << 0;
    QTest::newRow("no texts") << false << 0 << 0 << QPointF(30, 20) << 0;
    QTest::newRow("two pairs down") << true << 2 << 2 << QPointF(0, 15) << 0;
    QTest::newRow("values missing") << true << 3 << 1 << QPointF(5, 15) << 0;
}

void tst_DrawText::listAdvance()
{
    QFETCH(bool, pairs);
    QFETCH(int, keys);
    QFETCH(int, values);
    QFETCH(QPointF, step);
    QFETCH(int, fit);
    QStringList k, v;
    for (int i = 0; i < keys; ++i)
        k << QStringLiteral("key %1").arg(i);
    for (int i = 0; i < values; ++i)
        v << QString::number(i);
    DrawText dt;
    QFont font;
    QRectF r(10, 10, 100, 15);
    paint([&](QPainter &p) {
        if (pairs)
            dt.drawTextPairs(&p, r, step.x(), step.y(), font, k, v, -1);
        else
            dt.drawTextList(&p, r, step.x(), step.y(), font, topLeft, fit, k, -1);
    });
    QCOMPARE(r, QRectF(QPointF(10, 10) + keys * step, QSizeF(100, 15)));
}

QTEST_MAIN(tst_DrawText)
#include "tst_drawtext.moc"
