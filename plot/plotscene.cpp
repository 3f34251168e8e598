#include "plotscene.h"

#include "drawtext.h"

#include <QPaintEngine>
#include <QPainter>

#include <algorithm>

namespace {

// Lines that are all level or upright, in a plain opaque pen 1 or 2 pixels wide, on pixels in
// their own scale: Qt's raster engine sets the pixels of a rectangle for each, which costs a
// fraction of drawing it as a line (a plot's upright lines are thousands of one-pixel runs).
bool fillable(QPainter *p, const PlotScene::Layer &layer)
{
    const QPen &pen = layer.pen;
    if (p->paintEngine()->type() != QPaintEngine::Raster
        || p->deviceTransform().type() > QTransform::TxTranslate
        || p->testRenderHint(QPainter::Antialiasing) || pen.style() != Qt::SolidLine
        || pen.capStyle() != Qt::SquareCap || pen.brush().style() != Qt::SolidPattern
        || pen.color().alpha() != 255 || pen.isCosmetic() || (pen.width() != 1 && pen.width() != 2))
        return false;
    return std::all_of(layer.lines.begin(), layer.lines.end(),
                       [](const QLine &l) { return l.x1() == l.x2() || l.y1() == l.y2(); });
}

// The pixels Qt sets for a level or upright line: from end to end, and for a 2-pixel pen one
// more above and to the left (tests/plot compares the two).
QRect cover(const QLine &l, int width)
{
    const QPoint first(std::min(l.x1(), l.x2()), std::min(l.y1(), l.y2()));
    const QPoint last(std::max(l.x1(), l.x2()), std::max(l.y1(), l.y2()));
    return width == 2 ? QRect(first - QPoint(1, 1), last) : QRect(first, last);
}

} // namespace

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
               && text == other.text && font == other.font && upright == other.upright;
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
    if (std::size_t(used) == layers.size())
        layers.emplace_back();
    Layer &layer = layers[std::size_t(used++)];
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
                     double maxPointSize, const QString &text, bool upright)
{
    Layer &layer = add(Layer::Text, pen);
    layer.box = box;
    layer.font = font;
    layer.flags = flags;
    layer.maxPointSize = maxPointSize;
    layer.text = text;
    layer.upright = upright;
}

void PlotScene::paint(QPainter *p, DrawText *drawer) const
{
    p->fillRect(QRect(QPoint(0, 0), extent), ground);
    for (int i = 0; i < used; ++i)
        paintLayer(p, layers.at(std::size_t(i)), drawer);
}

void PlotScene::paintLayer(QPainter *p, const Layer &layer, DrawText *drawer)
{
    switch (layer.kind) {
    case Layer::Lines:
        if (fillable(p, layer)) {
            for (const QLine &l : layer.lines)
                p->fillRect(cover(l, layer.pen.width()), layer.pen.color());
        } else {
            p->setPen(layer.pen);
            p->drawLines(layer.lines.constData(), int(layer.lines.size()));
        }
        break;
    case Layer::Rects:
        for (const QRect &r : layer.rects)
            p->fillRect(r, layer.pen.color());
        break;
    case Layer::Text: {
        p->setPen(layer.pen);
        QTransform turn;
        QRectF box = turnedBox(layer, &turn);
        if (layer.upright) {
            p->save();
            p->setTransform(turn, true);
        }
        drawer->drawTextIn(p, box, layer.font, layer.flags, 1, layer.text, layer.maxPointSize);
        if (layer.upright)
            p->restore();
        break;
    }
    }
}

QRectF PlotScene::turnedBox(const Layer &layer, QTransform *turn)
{
    *turn = QTransform();
    if (!layer.upright)
        return layer.box;
    const QPointF centre = layer.box.center();
    turn->translate(centre.x(), centre.y());
    turn->rotate(-90);
    const double w = layer.box.width();
    const double h = layer.box.height();
    return QRectF(-h / 2, -w / 2, h, w);
}
