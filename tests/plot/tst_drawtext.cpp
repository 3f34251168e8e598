#include "connectionguard.h"
#include "plot/drawtext.h"

#include <QtTest>

#include <QPainter>

#include <functional>

namespace {

const QString text = QStringLiteral("0.25 k");
const int flags = Qt::AlignLeft | Qt::AlignTop;

// Measurements and comparisons all go through the same kind of painter, so the expected sizes
// hold for whatever font the machine has.
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

} // namespace

class tst_DrawText : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ConnectionGuard::install(); }
    void fitting_data();
    void fitting();
    void remeasuredElsewhere_data();
    void remeasuredElsewhere();
    void normalization_data();
    void normalization();
    void boxHit_data();
    void boxHit();
    void listAdvance_data();
    void listAdvance();
};

void tst_DrawText::fitting_data()
{
    // The box is the text's size at 10 points times (sx, sy); the given font has 7 points.
    QTest::addColumn<double>("sx");
    QTest::addColumn<double>("sy");
    QTest::addColumn<double>("maxPointSize");
    QTest::addColumn<int>("fit");
    QTest::addColumn<double>("points");
    QTest::newRow("twice as wide") << 2.0 << 1.0 << -1.0 << 1 << 10.0;
    QTest::newRow("twice as large") << 2.0 << 2.0 << -1.0 << 1 << 20.0;
    QTest::newRow("capped") << 2.0 << 2.0 << 10.0 << 1 << 10.0;
    QTest::newRow("cap above the fit") << 2.0 << 2.0 << 30.0 << 1 << 20.0;
    QTest::newRow("narrow") << 0.5 << 3.0 << -1.0 << 1 << 5.0;
    QTest::newRow("only 1 fits") << 2.0 << 2.0 << -1.0 << 2 << 7.0;
}

void tst_DrawText::fitting()
{
    QFETCH(double, sx);
    QFETCH(double, sy);
    QFETCH(double, maxPointSize);
    QFETCH(int, fit);
    QFETCH(double, points);
    const QFont font = sized(QFont(), 7);
    QRectF ten;
    paint([&](QPainter &p) {
        p.setFont(sized(font, 10));
        ten = p.boundingRect(QRectF(0, 0, 5000, 5000), flags, text);
    });
    const QRectF box(10, 10, ten.width() * sx, ten.height() * sy);
    DrawText dt;
    QRectF measured;
    QFont after;
    const QImage drawn = paint([&](QPainter &p) {
        QRectF r = box;
        measured = dt.drawTextIn(&p, r, font, flags, fit, text, maxPointSize);
        after = p.font();
    });
    const QImage expected = paint([&](QPainter &p) {
        p.setFont(sized(font, points));
        p.drawText(box, flags, text);
    });
    QVERIFY(drawn != paint([](QPainter &) {}));
    QCOMPARE(drawn, expected);
    QCOMPARE(measured, fit == 1 ? ten : QRectF());
    QCOMPARE(after, font);
}

void tst_DrawText::remeasuredElsewhere_data()
{
    // The setting a drawer measured the text in first; the text is then fitted in the default
    // font, top left aligned, on a 96 dpi image. Every row but the first changes something the
    // measurement depends on.
    QTest::addColumn<QFont>("font");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<int>("dpi");
    QFont bold;
    bold.setBold(true);
    QFont spaced;
    spaced.setLetterSpacing(QFont::AbsoluteSpacing, 4);
    QTest::newRow("same setting") << QFont() << flags << 96;
    QTest::newRow("bold") << bold << flags << 96;
    QTest::newRow("letter spacing") << spaced << flags << 96;
    QTest::newRow("right aligned") << QFont() << int(Qt::AlignRight | Qt::AlignTop) << 96;
    QTest::newRow("denser device") << QFont() << flags << 192;
}

void tst_DrawText::remeasuredElsewhere()
{
    QFETCH(QFont, font);
    QFETCH(int, alignment);
    QFETCH(int, dpi);
    const auto fit = [](DrawText &dt, const QFont &f, int a, int d) {
        QImage img(300, 200, QImage::Format_RGB32);
        img.setDotsPerMeterX(qRound(d / 0.0254));
        img.setDotsPerMeterY(qRound(d / 0.0254));
        QPainter p(&img);
        QRectF box(10, 10, 200, 30);
        return dt.drawTextIn(&p, box, f, a, 1, text, -1);
    };
    DrawText used;
    const QRectF first = fit(used, font, alignment, dpi);
    DrawText fresh;
    const QRectF expected = fit(fresh, QFont(), flags, 96);
    QCOMPARE(fit(used, QFont(), flags, 96), expected);
    if (QTest::currentDataTag() != QByteArray("same setting"))
        QVERIFY(first != expected);
}

void tst_DrawText::normalization_data()
{
    QTest::addColumn<QRectF>("rect");
    QTest::addColumn<QRectF>("normal");
    QTest::newRow("negative width") << QRectF(100, 10, -40, 20) << QRectF(60, 10, 40, 20);
    QTest::newRow("negative both") << QRectF(0, 0, -5, -6) << QRectF(-5, -6, 5, 6);
    QTest::newRow("already normal") << QRectF(1, 2, 3, 4) << QRectF(1, 2, 3, 4);
}

void tst_DrawText::normalization()
{
    // Operations that take the caller's rectangle leave it normalised.
    QFETCH(QRectF, rect);
    QFETCH(QRectF, normal);
    DrawText dt;
    QRectF r = rect;
    paint([&](QPainter &p) { dt.drawTextIn(&p, r, QFont(), flags, 1, text, -1); });
    QCOMPARE(r, normal);
    dt.addOccupied(QRectF(-100, -100, 1, 1));
    dt.addOccupied(QRectF(normal.center(), QSizeF(0.1, 0.1)));
    r = rect;
    QVERIFY(dt.overlapsOccupied(r));
    QCOMPARE(r, normal);
}

void tst_DrawText::boxHit_data()
{
    // The box at x 10, bottom 30, size 10; its left column and top row do not count.
    QTest::addColumn<QPointF>("pos");
    QTest::addColumn<bool>("hit");
    QTest::newRow("middle") << QPointF(15, 25) << true;
    QTest::newRow("left column") << QPointF(10, 25) << false;
    QTest::newRow("top row") << QPointF(15, 20) << false;
    QTest::newRow("inner bottom right") << QPointF(19, 29) << true;
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
    QTest::addColumn<int>("fit");
    QTest::addColumn<int>("values");
    QTest::newRow("fitted list") << false << 1 << 0;
    QTest::newRow("list in one size") << false << 0 << 0;
    QTest::newRow("pairs, values missing") << true << 0 << 1;
}

void tst_DrawText::listAdvance()
{
    QFETCH(bool, pairs);
    QFETCH(int, fit);
    QFETCH(int, values);
    const QStringList keys = { "R", "k", "chi" };
    DrawText dt;
    QFont font;
    QRectF r(10, 10, 100, 15);
    paint([&](QPainter &p) {
        if (pairs)
            dt.drawTextPairs(&p, r, 5, 20, font, keys, keys.mid(0, values), -1);
        else
            dt.drawTextList(&p, r, 5, 20, font, flags, fit, keys, -1);
    });
    QCOMPARE(r, QRectF(25, 70, 100, 15));
}

QTEST_MAIN(tst_DrawText)
#include "tst_drawtext.moc"
