#pragma once

#include <QColor>
#include <QFont>
#include <QObject>
#include <QRectF>
#include <QStringList>
#include <QTransform>
#include <QVector>

class QMouseEvent;
class QPainter;

// Writes text into rectangles so that it fits the space it is given: the point size is scaled
// to the box, optionally up to a limit. Rectangles with a negative width or height are
// normalised first. Text is drawn with the painter's current pen, except for the box labels.
// Handed a painter that is not active, every operation does nothing: rectangles, fonts and the
// painter stay as they are, and the results are an empty rectangle or the font's own size.
class DrawText : public QObject
{
    Q_OBJECT

public:
    explicit DrawText(QObject *parent = nullptr);

    // fit == 1 scales the font to rect; maxPointSize > 0 caps the fitted size.
    QRectF drawTextIn(QPainter *painter, QRectF &rect, QFont font, int flags, int fit,
                      const QString &text, double maxPointSize);
    // Where drawTextIn with the same arguments lays the text out, in the font it chooses.
    QRectF boundsIn(QPainter *painter, QRectF rect, QFont font, int flags, int fit,
                    const QString &text, double maxPointSize);
    // The corner of rect is the centre of the text, its size the box along the turned axes.
    QRectF drawRotatedText(QPainter *painter, double angle, const QRectF &rect, QFont font,
                           int flags, int fit, const QString &text, double maxPointSize, bool fill,
                           const QColor &fillColor);
    QRectF measureText(QPainter *painter, QRectF &rect, QFont &font, int flags, int fit,
                       const QString &text);
    double fitPointSize(QPainter *painter, const QRectF &rect, QFont font, int flags,
                        const QString &text);

    // A square on/off box whose lowest pixel row is bottom - 1, with a caption to its right.
    void drawBoxLabel(QPainter *painter, bool on, const QString &text, int x, int width, int bottom,
                      int size);
    bool boxHit(QMouseEvent *event, int x, int bottom, int size) const;

    // Draw one entry per rect, moving rect by (dx, dy) after each.
    void drawTextList(QPainter *painter, QRectF &rect, double dx, double dy, QFont &font, int flags,
                      int fit, const QStringList &texts, double maxPointSize);
    void drawTextPairs(QPainter *painter, QRectF &rect, double dx, double dy, QFont &font,
                       const QStringList &keys, const QStringList &values, double maxPointSize);

    void addOccupied(const QRectF &r);
    bool overlapsOccupied(QRectF &r) const;
    static void normalizeRect(QRectF &r);

    QVector<QRectF> occupied;
    QColor boxBorderColor = QColor(0, 220, 220);
    QColor boxOnColor = QColor(170, 255, 170);
    QColor boxOffColor = QColor(140, 180, 140);
    QColor textColor = QColor(0, 0, 0);

private:
    QRectF fitFont(QPainter *painter, const QFont &font, int flags, const QString &text, double w,
                   double h, double maxPointSize) const;
    QRectF measured(QPainter *painter, int flags, const QString &text) const;

    // A text's bounding rectangle at the reference size, with everything it depends on: the
    // painter's font as resolved for its device, the kind and resolution of the device, the
    // transformation, the direction, the flags. Plots draw the same labels at every paint, and
    // measuring lays the text out anew each time.
    struct Measurement
    {
        QString text;
        int flags;
        QFont font;
        int deviceType;
        int dpiX;
        int dpiY;
        qreal pixelRatio;
        QTransform transform;
        Qt::LayoutDirection direction;
        QRectF rect;
    };
    mutable QVector<Measurement> measurements;
};
