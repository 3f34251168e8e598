#include "connectionguard.h"
#include "plot/drawtext.h"

#include <QtTest>

#include <QPainter>

class tst_DrawText : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ConnectionGuard::install(); }

    void fitting_data()
    {
        // The box is the text's size at 10 points times (sx, sy).
        QTest::addColumn<double>("sx");
        QTest::addColumn<double>("sy");
        QTest::addColumn<double>("maxPointSize");
        QTest::addColumn<double>("points");
        QTest::newRow("twice as wide") << 2.0 << 1.0 << -1.0 << 10.0;
        QTest::newRow("twice as large") << 2.0 << 2.0 << -1.0 << 20.0;
        QTest::newRow("capped") << 2.0 << 2.0 << 12.0 << 12.0;
    }

    void fitting()
    {
        // Measured on the same kind of painter, so this holds for whatever font is installed.
        QFETCH(double, sx);
        QFETCH(double, sy);
        QFETCH(double, maxPointSize);
        QFETCH(double, points);
        const QString text = QStringLiteral("0.25 k");
        const int flags = Qt::AlignLeft | Qt::AlignTop;
        QImage drawn(300, 200, QImage::Format_RGB32);
        drawn.fill(Qt::white);
        QImage expected = drawn;
        QPainter p(&drawn), q(&expected);
        QFont font;
        font.setPointSizeF(10);
        q.setFont(font);
        const QRectF ten = q.boundingRect(QRectF(0, 0, 5000, 5000), flags, text);
        QRectF box(10, 10, ten.width() * sx, ten.height() * sy);
        font.setPointSizeF(7);
        QCOMPARE(DrawText().drawTextIn(&p, box, font, flags, 1, text, maxPointSize), ten);
        QCOMPARE(p.font(), font); // the given font is back for whoever draws next
        font.setPointSizeF(points);
        q.setFont(font);
        q.drawText(box, flags, text);
        p.end();
        q.end();
        QCOMPARE(drawn, expected);
    }
};

QTEST_MAIN(tst_DrawText)
#include "tst_drawtext.moc"
