#include "plotframe.h"

#include "drawtext.h"
#include "pixel.h"

#include <QPainter>

#include <cmath>

namespace {

using Layer = PlotScene::Layer;

// What a QImage must be told to report the resolution back: the picture of the layers below lays
// text out as the surface does.
int dotsPerMeter(int dpi)
{
    return qRound(dpi / 0.0254);
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
        // A rectangle costs about as much to copy as a few thousand pixels more: the run takes
        // the piece while that wastes less than this and an eighth of what the pieces cover.
        const QRect both = run | piece;
        const qint64 parts = covered + area(piece);
        if (!run.isEmpty() && area(both) > parts + std::max<qint64>(4096, parts / 8))
            flush();
        run |= piece;
        covered += area(piece);
    }

private:
    void flush()
    {
        if (!run.isEmpty())
            out->append(run);
        run = QRect();
        covered = 0;
    }

    QVector<QRect> *out;
    QRect bounds;
    QRect run;
    // What the pieces in the run cover, overlaps counted twice.
    qint64 covered = 0;
};

// Where the lines or rectangles of was that now has not may have set pixels: each segment's box
// grown by more than any cap or rounding of its pen reaches. Those at the same place in both
// are painted again as they were, over pixels that show them already.
void addFootprint(const Layer &was, const Layer &now, const QRect &bounds, QVector<QRect> *out)
{
    Footprint footprint(out, bounds);
    const bool kept = now.kind == was.kind && now.pen == was.pen;
    if (was.kind == Layer::Rects) {
        for (int i = 0; i < was.rects.size(); ++i) {
            if (!kept || i >= now.rects.size() || now.rects.at(i) != was.rects.at(i))
                footprint.add(was.rects.at(i));
        }
        return;
    }
    const int m = std::max(1, was.pen.width()) + 1;
    for (int i = 0; i < was.lines.size(); ++i) {
        const QLine &l = was.lines.at(i);
        if (kept && i < now.lines.size() && now.lines.at(i) == l)
            continue;
        footprint.add(QRect(QPoint(std::min(l.x1(), l.x2()) - m, std::min(l.y1(), l.y2()) - m),
                            QPoint(std::max(l.x1(), l.x2()) + m, std::max(l.y1(), l.y2()) + m)));
    }
}

// Whether the layer blends with what lies under it, so that painting it twice differs from
// painting it once: a text, or lines or rectangles in a colour that is not opaque.
bool blends(const Layer &layer)
{
    return layer.kind == Layer::Text || layer.pen.color().alpha() != 255
           || layer.pen.brush().style() != Qt::SolidPattern;
}

// Where a text layer may set pixels: the rectangle its text is laid out in, with room for
// glyphs that reach beyond it and their antialiased edges.
QRect textFootprint(QPainter *p, const Layer &layer, DrawText *drawer)
{
    p->setPen(layer.pen);
    // An upright text is laid out level in its turned box, and turned onto the surface.
    QTransform turn;
    const QRectF box = PlotScene::turnedBox(layer, &turn);
    const QRectF level
        = drawer->boundsIn(p, box, layer.font, layer.flags, 1, layer.text, layer.maxPointSize);
    const QRectF laid = layer.upright ? turn.mapRect(level) : level;
    // In whole pixels that saturate: a label can lie far off the surface.
    const double m = std::ceil(level.height() / 4) + 2;
    return QRect(
        QPoint(Pixel::trunc(std::floor(laid.left() - m)), Pixel::trunc(std::floor(laid.top() - m))),
        QPoint(Pixel::trunc(std::ceil(laid.right() + m)),
               Pixel::trunc(std::ceil(laid.bottom() + m))));
}

// Where a blending layer may set pixels, as one rectangle.
QRect inkOf(QPainter *p, const Layer &layer, const QRect &bounds, DrawText *drawer)
{
    if (layer.kind == Layer::Text)
        return textFootprint(p, layer, drawer);
    QVector<QRect> pieces;
    addFootprint(layer, Layer(), bounds, &pieces);
    QRect all;
    for (const QRect &r : qAsConst(pieces))
        all |= r;
    return all;
}

} // namespace

bool PlotFrame::holds(QSize size, int dpiX, int dpiY) const
{
    return !size.isEmpty() && shown.size() == size && shownDpiX == dpiX && shownDpiY == dpiY;
}

const QImage &PlotFrame::layersBelow(const PlotScene &scene, int first, int dpiX, int dpiY,
                                     Qt::LayoutDirection direction, DrawText *drawer)
{
    const QSize size = scene.size();
    bool same = below.size() == size && below.dotsPerMeterX() == dotsPerMeter(dpiX)
                && below.dotsPerMeterY() == dotsPerMeter(dpiY) && belowGround == scene.background()
                && belowLayers.size() == first;
    for (int i = 0; same && i < first; ++i)
        same = belowLayers.at(i) == scene.layer(i);
    if (same)
        return below;
    if (below.size() != size)
        below = QImage(size, QImage::Format_RGB32);
    below.setDotsPerMeterX(dotsPerMeter(dpiX));
    below.setDotsPerMeterY(dotsPerMeter(dpiY));
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

void PlotFrame::paintAll(QPainter *p, PlotScene *scene, int dpiX, int dpiY, DrawText *drawer)
{
    const int after = scene->count();
    p->fillRect(QRect(QPoint(0, 0), scene->size()), scene->background());
    inked.resize(after);
    for (int i = 0; i < after; ++i) {
        const Layer &layer = scene->layer(i);
        if (blends(layer))
            inked[i] = inkOf(p, layer, QRect(QPoint(0, 0), scene->size()), drawer);
        PlotScene::paintLayer(p, layer, drawer);
    }
    shownDpiX = dpiX;
    shownDpiY = dpiY;
    std::swap(shown, *scene);
}

void PlotFrame::paintChanges(QPainter *p, PlotScene *scene, int dpiX, int dpiY, DrawText *drawer)
{
    const int before = shown.count();
    const int after = scene->count();
    if (!holds(scene->size(), dpiX, dpiY) || shown.background() != scene->background()) {
        paintAll(p, scene, dpiX, dpiY, drawer);
        return;
    }
    int first = 0;
    while (first < before && first < after && shown.layer(first) == scene->layer(first))
        ++first;
    if (first == before && first == after)
        return;
    const QImage *under
        = first == 0 ? nullptr
                     : &layersBelow(*scene, first, dpiX, dpiY, p->layoutDirection(), drawer);
    const QColor ground = scene->background();
    const QRect bounds(QPoint(0, 0), scene->size());
    const auto same
        = [&](int i) { return i < before && i < after && shown.layer(i) == scene->layer(i); };

    // Back to the layers below wherever a changed layer was, and under every text, which blends
    // with what it is painted on and so must not be painted twice.
    QVector<QRect> cleared;
    for (int i = first; i < before; ++i) {
        const Layer &was = shown.layer(i);
        if (blends(was))
            cleared.append(inked.at(i) & bounds);
        else if (!same(i))
            addFootprint(was, i < after ? scene->layer(i) : Layer(), bounds, &cleared);
    }
    inked.resize(after);
    for (int i = first; i < after; ++i) {
        const Layer &layer = scene->layer(i);
        if (blends(layer) && !same(i)) {
            inked[i] = inkOf(p, layer, bounds, drawer);
            cleared.append(inked.at(i) & bounds);
        }
    }
    for (const QRect &r : qAsConst(cleared)) {
        if (r.isEmpty())
            continue;
        if (under)
            p->drawImage(r.topLeft(), *under, r);
        else
            p->fillRect(r, ground);
    }
    for (int i = first; i < after; ++i)
        PlotScene::paintLayer(p, scene->layer(i), drawer);
    std::swap(shown, *scene);
}
