#include "plotframe.h"

#include "drawtext.h"

#include <QPainter>

#include <cmath>

namespace {

using Layer = PlotScene::Layer;

int dotsPerMeter(int dpi)
{
    return qRound(dpi / 0.0254);
}

// A picture that lays text out as a surface of the given resolution does.
QImage blank(QSize size, int dpiX, int dpiY)
{
    QImage image(size, QImage::Format_RGB32);
    image.setDotsPerMeterX(dotsPerMeter(dpiX));
    image.setDotsPerMeterY(dotsPerMeter(dpiY));
    return image;
}

qint64 area(const QRect &r)
{
    return qint64(r.width()) * r.height();
}

// Collects the rectangles of one layer, a neighbour merged into the run before it while that
// adds little area: a flat stretch of curve becomes one rectangle, a steep one stays a strip of
// narrow ones.
class Footprint
{
public:
    Footprint(QVector<QRect> *out, const QRect &bounds)
        : out(out)
        , bounds(bounds)
    { }
    ~Footprint() { flush(); }

    void add(const QRect &r)
    {
        const QRect piece = r & bounds;
        if (piece.isEmpty())
            return;
        if (run.isEmpty()) {
            run = piece;
            return;
        }
        const QRect both = run | piece;
        const qint64 parts = area(run) + area(piece);
        if (area(both) - parts <= std::max<qint64>(1024, parts / 4)) {
            run = both;
            return;
        }
        flush();
        run = piece;
    }

private:
    void flush()
    {
        if (!run.isEmpty())
            out->append(run);
        run = QRect();
    }

    QVector<QRect> *out;
    QRect bounds;
    QRect run;
};

// Where the layer's lines or rectangles may have set pixels: each segment's box grown by more
// than any cap or rounding of its pen reaches.
void addFootprint(const Layer &layer, const QRect &bounds, QVector<QRect> *out)
{
    Footprint footprint(out, bounds);
    if (layer.kind == Layer::Rects) {
        for (const QRect &r : layer.rects)
            footprint.add(r);
        return;
    }
    const int m = std::max(1, layer.pen.width()) + 1;
    for (const QLine &l : layer.lines) {
        footprint.add(QRect(QPoint(std::min(l.x1(), l.x2()) - m, std::min(l.y1(), l.y2()) - m),
                            QPoint(std::max(l.x1(), l.x2()) + m, std::max(l.y1(), l.y2()) + m)));
    }
}

// Where a text layer may set pixels: the rectangle its text is laid out in, with room for
// glyphs that reach beyond it and their antialiased edges.
QRect textFootprint(QPainter *p, const Layer &layer, DrawText *drawer)
{
    p->setPen(layer.pen);
    const QRectF laid = drawer->boundsIn(p, QRectF(layer.box), layer.font, layer.flags, 1,
                                         layer.text, layer.maxPointSize);
    const int m = int(std::ceil(laid.height() / 4)) + 2;
    return laid.toAlignedRect().adjusted(-m, -m, m, m);
}

// Paints the layer's lines or rectangles in ground instead of their colour: where the layer was,
// the layers below it come back.
void erase(QPainter *p, const Layer &layer, const QBrush &ground)
{
    if (layer.kind == Layer::Rects) {
        for (const QRect &r : layer.rects)
            p->fillRect(r, ground);
        return;
    }
    QPen pen = layer.pen;
    pen.setBrush(ground);
    p->setPen(pen);
    p->drawLines(layer.lines.constData(), int(layer.lines.size()));
}

} // namespace

bool PlotFrame::fits(QSize size, int dpiX, int dpiY) const
{
    return picture.size() == size && picture.dotsPerMeterX() == dotsPerMeter(dpiX)
           && picture.dotsPerMeterY() == dotsPerMeter(dpiY);
}

const QImage &PlotFrame::layersBelow(const PlotScene &scene, int first,
                                     Qt::LayoutDirection direction, DrawText *drawer)
{
    bool same = below.size() == picture.size() && below.dotsPerMeterX() == picture.dotsPerMeterX()
                && below.dotsPerMeterY() == picture.dotsPerMeterY()
                && belowGround == scene.background() && belowLayers.size() == first;
    for (int i = 0; same && i < first; ++i)
        same = belowLayers.at(i) == scene.layer(i);
    if (same)
        return below;
    if (below.size() != picture.size())
        below = QImage(picture.size(), QImage::Format_RGB32);
    below.setDotsPerMeterX(picture.dotsPerMeterX());
    below.setDotsPerMeterY(picture.dotsPerMeterY());
    QPainter p(&below);
    p.setLayoutDirection(direction);
    p.fillRect(below.rect(), scene.background());
    belowGround = scene.background();
    belowLayers.resize(0);
    for (int i = 0; i < first; ++i) {
        PlotScene::paintLayer(&p, scene.layer(i), drawer);
        belowLayers.append(scene.layer(i));
    }
    return below;
}

QVector<QRect> PlotFrame::show(PlotScene *scene, int dpiX, int dpiY, Qt::LayoutDirection direction,
                               DrawText *drawer)
{
    QVector<QRect> changed;
    const QSize size = scene->size();
    const int before = shown.count();
    const int after = scene->count();
    if (size.isEmpty()) {
        picture = QImage();
        below = QImage();
        belowLayers.clear();
        inked.clear();
        std::swap(shown, *scene);
        return changed;
    }

    if (!fits(size, dpiX, dpiY) || shown.size() != size
        || shown.background() != scene->background()) {
        if (picture.size() != size)
            picture = blank(size, dpiX, dpiY);
        picture.setDotsPerMeterX(dotsPerMeter(dpiX));
        picture.setDotsPerMeterY(dotsPerMeter(dpiY));
        QPainter p(&picture);
        p.setLayoutDirection(direction);
        p.fillRect(picture.rect(), scene->background());
        inked.resize(after);
        for (int i = 0; i < after; ++i) {
            const Layer &layer = scene->layer(i);
            if (layer.kind == Layer::Text)
                inked[i] = textFootprint(&p, layer, drawer);
            PlotScene::paintLayer(&p, layer, drawer);
        }
        changed.append(picture.rect());
        std::swap(shown, *scene);
        return changed;
    }

    int first = 0;
    while (first < before && first < after && shown.layer(first) == scene->layer(first))
        ++first;
    if (first == before && first == after)
        return changed;
    const QBrush ground = first == 0 ? QBrush(scene->background())
                                     : QBrush(layersBelow(*scene, first, direction, drawer));
    const QRect bounds = picture.rect();
    const auto same
        = [&](int i) { return i < before && i < after && shown.layer(i) == scene->layer(i); };

    QPainter p(&picture);
    p.setLayoutDirection(direction);
    // Back to the layers below wherever a changed layer was, and under every text, which blends
    // with what it is painted on and so must not be painted twice.
    for (int i = first; i < before; ++i) {
        const Layer &was = shown.layer(i);
        if (was.kind == Layer::Text) {
            p.fillRect(inked.at(i), ground);
            if (!same(i))
                changed.append(inked.at(i) & bounds);
        } else if (!same(i)) {
            erase(&p, was, ground);
            addFootprint(was, bounds, &changed);
        }
    }
    inked.resize(after);
    for (int i = first; i < after; ++i) {
        const Layer &layer = scene->layer(i);
        if (layer.kind == Layer::Text && !same(i)) {
            inked[i] = textFootprint(&p, layer, drawer);
            p.fillRect(inked.at(i), ground);
            changed.append(inked.at(i) & bounds);
        }
    }
    for (int i = first; i < after; ++i) {
        const Layer &layer = scene->layer(i);
        PlotScene::paintLayer(&p, layer, drawer);
        if (layer.kind != Layer::Text && !same(i))
            addFootprint(layer, bounds, &changed);
    }
    p.end();
    std::swap(shown, *scene);
    return changed;
}
