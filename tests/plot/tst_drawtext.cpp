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

    void remeasuredElsewhere_data()
    {
        // Where a drawer first fitted the text; each row but the first differs in something the
        // measurement depends on from the default font, top left, on a 96 dpi image.
        QTest::addColumn<QFont>("font");
        QTest::addColumn<int>("flags");
        QTest::addColumn<int>("dpi");
        const int topLeft = Qt::AlignLeft | Qt::AlignTop;
        QFont bold;
        bold.setBold(true);
        QFont spaced;
        spaced.setLetterSpacing(QFont::AbsoluteSpacing, 4);
        QTest::newRow("same setting") << QFont() << topLeft << 96;
        QTest::newRow("bold") << bold << topLeft << 96;
        QTest::newRow("letter spacing") << spaced << topLeft << 96;
        QTest::newRow("right aligned") << QFont() << int(Qt::AlignRight | Qt::AlignTop) << 96;
        QTest::newRow("denser device") << QFont() << topLeft << 192;
    }

    void remeasuredElsewhere()
    {
        // A drawer that has fitted the text before must measure it as a fresh one would.
        QFETCH(QFont, font);
        QFETCH(int, flags);
        QFETCH(int, dpi);
        const auto fit = [](DrawText &dt, const QFont &f, int fl, int d) {
            QImage image(300, 200, QImage::Format_RGB32);
            image.setDotsPerMeterX(qRound(d / 0.0254));
            image.setDotsPerMeterY(qRound(d / 0.0254));
            QPainter p(&image);
            QRectF box(10, 10, 200, 30);
            return dt.drawTextIn(&p, box, f, fl, 1, QStringLiteral("0.25 k"), -1);
        };
        const int topLeft = Qt::AlignLeft | Qt::AlignTop;
        DrawText used, fresh;
        const QRectF first = fit(used, font, flags, dpi);
        const QRectF expected = fit(fresh, QFont(), topLeft, 96);
        QCOMPARE(fit(used, QFont(), topLeft, 96), expected);
        if (QTest::currentDataTag() != QByteArray("same setting"))
            QVERIFY(first != expected);
    }
};

QTEST_MAIN(tst_DrawText)
#include "tst_drawtext.moc"
