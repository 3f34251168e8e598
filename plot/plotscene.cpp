#include "plotscene.h"

#include "drawtext.h"

#include <QPainter>

bool PlotScene::Layer::operator==(const Layer &other) const
{
    if (kind != other.kind || pen != other.pen)
        return false;
    switch (kind) {
    case Lines:
        return lines == other.lines;
    case Rects:
        return rects == other.rects;
    case Text:
        return box == other.box && flags == other.flags && maxPointSize == other.maxPointSize
               && text == other.text && font == other.font;
    }
    return false;
}

void PlotScene::begin(QSize size)
{
    extent = size;
    ground = QColor(255, 255, 255);
    used = 0;
}

PlotScene::Layer &PlotScene::add(Layer::Kind kind, const QPen &pen)
{
    if (used == layers.size())
        layers.append(Layer());
    Layer &layer = layers[used++];
    layer.kind = kind;
    layer.pen = pen;
    // Emptied, not released: the next description fills the same storage.
    layer.lines.resize(0);
    layer.rects.resize(0);
    layer.text.clear();
    return layer;
}

QVector<QLine> &PlotScene::lines(const QPen &pen)
{
    return add(Layer::Lines, pen).lines;
}

QVector<QRect> &PlotScene::rects(const QColor &colour)
{
    return add(Layer::Rects, QPen(colour)).rects;
}

void PlotScene::text(const QPen &pen, const QRectF &box, const QFont &font, int flags,
                     double maxPointSize, const QString &text)
{
    Layer &layer = add(Layer::Text, pen);
    layer.box = box;
    layer.font = font;
    layer.flags = flags;
    layer.maxPointSize = maxPointSize;
    layer.text = text;
}

void PlotScene::paint(QPainter *p, DrawText *drawer) const
{
    p->fillRect(QRect(QPoint(0, 0), extent), ground);
    for (int i = 0; i < used; ++i)
        paintLayer(p, layers.at(i), drawer);
}

void PlotScene::paintLayer(QPainter *p, const Layer &layer, DrawText *drawer)
{
    switch (layer.kind) {
    case Layer::Lines:
        p->setPen(layer.pen);
        p->drawLines(layer.lines.constData(), int(layer.lines.size()));
        break;
    case Layer::Rects:
        for (const QRect &r : layer.rects)
            p->fillRect(r, layer.pen.color());
        break;
    case Layer::Text: {
        p->setPen(layer.pen);
        QRectF box = layer.box;
        drawer->drawTextIn(p, box, layer.font, layer.flags, 1, layer.text, layer.maxPointSize);
        break;
    }
    }
}
