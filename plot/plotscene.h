#pragma once

#include <QColor>
#include <QFont>
#include <QLine>
#include <QMetaType>
#include <QPen>
#include <QRect>
#include <QString>
#include <QTransform>
#include <QVector>

#include <deque>

class DrawText;
class QPainter;

// What a plot shows, described anew at every change: a background colour and layers in painting
// order, each one call's worth of drawing. Lines and rectangles are drawn without antialiasing;
// in an opaque colour, painting one again over itself changes no pixel, which PlotFrame relies on
// to repaint no more than what changed. Texts, and lines or rectangles in a translucent colour,
// blend with what lies under them; PlotFrame clears under them before each paint.
class PlotScene
{
public:
    struct Layer
    {
        enum Kind { Lines, Rects, Text };

        bool operator==(const Layer &other) const;
        bool operator!=(const Layer &other) const { return !(*this == other); }

        Kind kind = Lines;
        // The pen of lines and texts; rectangles are filled in its colour.
        QPen pen;
        QVector<QLine> lines;
        QVector<QRect> rects;
        // A text fitted into its box as DrawText::drawTextIn fits it.
        QRectF box;
        QFont font;
        int flags = 0;
        double maxPointSize = 0;
        QString text;
        // Turned a quarter anticlockwise about the box's centre, reading upwards, and fitted
        // into the box turned with it.
        bool upright = false;
    };

    // Starts a description of a plot of the given size on white; the layers' storage is kept
    // for the next description.
    void begin(QSize size);
    void setBackground(const QColor &colour) { ground = colour; }

    // A new layer of segments, drawn in one call in the pen, for the caller to fill; the
    // reference stays valid until the next begin().
    QVector<QLine> &lines(const QPen &pen);
    // A new layer of rectangles filled in the colour, for the caller to fill, likewise.
    QVector<QRect> &rects(const QColor &colour);
    // A new layer of one text in the pen, fitted into box as DrawText::drawTextIn does.
    void text(const QPen &pen, const QRectF &box, const QFont &font, int flags, double maxPointSize,
              const QString &text, bool upright = false);

    QSize size() const { return extent; }
    QColor background() const { return ground; }
    int count() const { return used; }
    const Layer &layer(int i) const { return layers.at(std::size_t(i)); }

    // The whole plot painted as on a blank surface.
    void paint(QPainter *p, DrawText *drawer) const;
    static void paintLayer(QPainter *p, const Layer &layer, DrawText *drawer);
    // Where on the surface an upright text's box lies once turned, and the turn that takes it
    // there; a level text's box as it is, and no turn.
    static QRectF turnedBox(const Layer &layer, QTransform *turn);

private:
    Layer &add(Layer::Kind kind, const QPen &pen);

    QSize extent;
    QColor ground = QColor(255, 255, 255);
    // A deque, so that adding a layer leaves the ones handed out where they are.
    std::deque<Layer> layers;
    int used = 0;
};

// Handed through DispArea::draw(), so that signal spies and queued connections can carry it.
Q_DECLARE_METATYPE(PlotScene *)
