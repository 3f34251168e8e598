#include "chcoord.h"

#include "mousec.h"
#include "pixel.h"

#include <algorithm>
#include <cmath>

namespace {

// The edge band of one axis; the ends may come in either order.
bool nearEdge(double p, double end0, double end1, double band)
{
    const double b = std::abs(end1 - end0) * band;
    if (end1 > end0)
        return p < end0 + b || p > end1 - b;
    return p < end1 + b || p > end0 - b;
}

// A range the mappings can divide by. The mouse can collapse or blow up a range (a click
// without drag, endless zooming, a plot rectangle of zero size); such a result is dropped.
bool usable(double a, double b)
{
    return std::isfinite(a) && std::isfinite(b) && a != b;
}

bool noModifier(Qt::KeyboardModifiers m)
{
    return !(m & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
}

} // namespace

ChCoord::ChCoord(QObject *parent)
    : QObject(parent)
{ }

void ChCoord::setMouse(MouseC *m)
{
    // Rebinding must not leave the old relay (or a second connection) driving the slots.
    if (mouse)
        disconnect(mouse, nullptr, this, nullptr);
    mouse = m;
    if (!mouse)
        return;
    connect(mouse, SIGNAL(mMoved()), this, SLOT(mMoved()));
    connect(mouse, SIGNAL(mPressed()), this, SLOT(mPressed()));
    connect(mouse, SIGNAL(mReleased()), this, SLOT(mReleased()));
    connect(mouse, SIGNAL(mDClicked()), this, SLOT(mDClicked()));
    connect(mouse, SIGNAL(wheelMoved(int)), this, SLOT(wheelMoved(int)));
}

void ChCoord::setDeviceRect(double x0, double y0, double x1, double y1)
{
    devX0 = x0;
    devY0 = y0;
    devX1 = x1;
    devY1 = y1;
    setPlotRect(x0, y0, x1, y1);
}

void ChCoord::setPlotRect(double x0, double y0, double x1, double y1)
{
    pixX0 = x0;
    pixY0 = y0;
    pixX1 = x1;
    pixY1 = y1;
}

void ChCoord::applyMargins()
{
    const double w = devX1 - devX0;
    const double h = devY1 - devY0;
    pixX0 = devX0 + Pixel::trunc(marginLeft * w);
    pixX1 = devX1 - Pixel::trunc(marginRight * w);
    pixY0 = devY0 + Pixel::trunc(marginBottom * h);
    pixY1 = devY1 - Pixel::trunc(marginTop * h);
}

void ChCoord::setInset(const QMargins &margins)
{
    const auto inset = [](double a, double b, int low, int high, double *p0, double *p1) {
        *p0 = a <= b ? a + low : a - high;
        *p1 = a <= b ? b - high : b + low;
    };
    inset(devX0, devX1, margins.left(), margins.right(), &pixX0, &pixX1);
    inset(devY0, devY1, margins.top(), margins.bottom(), &pixY0, &pixY1);
}

QMargins ChCoord::inset() const
{
    const auto low = [](double a, double b) { return std::min(a, b); };
    const auto high = [](double a, double b) { return std::max(a, b); };
    return QMargins(Pixel::trunc(low(pixX0, pixX1) - low(devX0, devX1)),
                    Pixel::trunc(low(pixY0, pixY1) - low(devY0, devY1)),
                    Pixel::trunc(high(devX0, devX1) - high(pixX0, pixX1)),
                    Pixel::trunc(high(devY0, devY1) - high(pixY0, pixY1)));
}

void ChCoord::setRange(double x0, double y0, double x1, double y1)
{
    this->x0 = x0;
    this->y0 = y0;
    this->x1 = x1;
    this->y1 = y1;
}

void ChCoord::setXRange(double x0, double x1)
{
    this->x0 = x0;
    this->x1 = x1;
}

void ChCoord::setYRange(double y0, double y1)
{
    this->y0 = y0;
    this->y1 = y1;
}

// The mappings keep their order of operations: callers compare pixels exactly.

double ChCoord::pixelToX(double px) const
{
    return x0 + (px - pixX0) * ((x1 - x0) / (pixX1 - pixX0));
}

double ChCoord::pixelToY(double py) const
{
    return y0 + (py - pixY0) * ((y1 - y0) / (pixY1 - pixY0));
}

double ChCoord::xLengthToPixel(double d) const
{
    return ((pixX1 - pixX0) / (x1 - x0)) * d;
}

double ChCoord::yLengthToPixel(double d) const
{
    return ((pixY1 - pixY0) / (y1 - y0)) * d;
}

double ChCoord::pixelOffsetToX(double px) const
{
    return ((x1 - x0) / (pixX1 - pixX0)) * (px - pixX0);
}

double ChCoord::pixelOffsetToY(double py) const
{
    return ((y1 - y0) / (pixY1 - pixY0)) * (py - pixY0);
}

double ChCoord::pixelToXClamped(double px) const
{
    const double v = (px - pixX0) * ((x1 - x0) / (pixX1 - pixX0)) + x0;
    if (x1 > x0)
        return std::max(x0, std::min(x1, v));
    return std::max(x1, std::min(x0, v));
}

double ChCoord::pixelToYClamped(double py) const
{
    const double v = (py - pixY0) * ((y1 - y0) / (pixY1 - pixY0)) + y0;
    if (y1 > y0)
        return std::max(y0, std::min(y1, v));
    return std::max(y1, std::min(y0, v));
}

double ChCoord::pixelLengthToX(double d) const
{
    return ((x1 - x0) / (pixX1 - pixX0)) * d;
}

double ChCoord::pixelLengthToY(double d) const
{
    return ((y1 - y0) / (pixY1 - pixY0)) * d;
}

bool ChCoord::nearPlotEdgeX(double px) const
{
    return nearEdge(px, pixX0, pixX1, plotEdgeBand);
}

bool ChCoord::nearPlotEdgeY(double py) const
{
    return nearEdge(py, pixY0, pixY1, plotEdgeBand);
}

bool ChCoord::nearDeviceEdgeX(double px) const
{
    return nearEdge(px, devX0, devX1, deviceEdgeBand);
}

bool ChCoord::nearDeviceEdgeY(double py) const
{
    return nearEdge(py, devY0, devY1, deviceEdgeBand);
}

void ChCoord::clearScale()
{
    x0 = x1 = y0 = y1 = 0;
}

// The mouse slots decide on the button and modifiers of the press, also while moving and at
// the release, so a gesture keeps its meaning when a key is let go halfway.

void ChCoord::mMoved()
{
    const QPoint cur = mouse->curPos;
    const double xd = (cur.x() - pixX0) * ((x1 - x0) / (pixX1 - pixX0)) + x0;
    const double yd = (cur.y() - pixY0) * ((y1 - y0) / (pixY1 - pixY0)) + y0;
    emit nowPos(xd, yd);

    if (mouse->pressed && mouse->pressButton == Qt::LeftButton) {
        const Qt::KeyboardModifiers mods = mouse->pressModifiers;
        if ((mods & Qt::ShiftModifier) && !(mods & (Qt::ControlModifier | Qt::AltModifier))) {
            // Pan: the data point that was under the pointer follows it.
            const QPoint prev = mouse->prevPos;
            const double dx = ((prev.x() - pixX0) * ((x1 - x0) / (pixX1 - pixX0)) + x0) - xd;
            if (usable(x0 + dx, dx + x1)) {
                x0 = x0 + dx;
                x1 = dx + x1;
            }
            const double dy = ((prev.y() - pixY0) * ((y1 - y0) / (pixY1 - pixY0)) + y0) - yd;
            if (usable(y0 + dy, dy + y1)) {
                y0 = y0 + dy;
                y1 = dy + y1;
            }
        } else if (noModifier(mods) && selectedVLine >= 0 && selectedVLine < vLines.size()
                   && std::isfinite(xd)) {
            vLines[selectedVLine] = xd;
            const int n = vLines.size();
            for (int i = 0; i < n - 1; ++i) {
                for (int j = i + 1; j < n; ++j) {
                    if (vLines[i] > vLines[j])
                        std::swap(vLines[i], vLines[j]);
                }
            }
            // The selection follows the moved line to its new place.
            for (int i = 0; i < n; ++i) {
                if (vLines[i] == xd)
                    selectedVLine = i;
            }
            emit newVLines();
        }
    }
    emit updated();
}

void ChCoord::mPressed()
{
    if (mouse->pressButton != Qt::LeftButton || !noModifier(mouse->pressModifiers)) {
        emit updated();
        return;
    }
    selectedVLine = -1;
    if (vLines.isEmpty()) {
        emit updated();
        return;
    }
    // The running limit is whole pixels: a later line wins only if it is closer than the
    // current one's distance truncated, so equal or nearly equal distances keep the earlier.
    int limit = 10;
    const double px = mouse->pressPos.x();
    for (int i = 0; i < vLines.size(); ++i) {
        const double d = std::abs(((vLines[i] - x0) * ((pixX1 - pixX0) / (x1 - x0)) + pixX0) - px);
        if (d < limit) {
            selectedVLine = i;
            limit = Pixel::trunc(d);
        }
    }
    if (selectedVLine >= 0)
        emit newVLines();
    emit updated();
}

void ChCoord::mReleased()
{
    if (mouse->pressButton != Qt::RightButton || !noModifier(mouse->pressModifiers)) {
        emit updated();
        return;
    }
    // x always runs from the left corner to the right one; y is paired with the corners, so
    // a drag along the rising diagonal turns the y axis over.
    QPoint left = mouse->pressPos;
    QPoint right = mouse->releasePos;
    if (left.x() > right.x())
        std::swap(left, right);
    const double sx = (x1 - x0) / (pixX1 - pixX0);
    const double sy = (y1 - y0) / (pixY1 - pixY0);
    const double newY1 = (left.y() - pixY0) * sy + y0;
    const double newY0 = (right.y() - pixY0) * sy + y0;
    const double newX1 = (right.x() - pixX0) * sx + x0;
    const double newX0 = (left.x() - pixX0) * sx + x0;
    // A click without drag, or a band of no height, would leave nothing to map onto.
    if (usable(newX0, newX1) && usable(newY0, newY1)) {
        x0 = newX0;
        x1 = newX1;
        y0 = newY0;
        y1 = newY1;
    }
    emit updated();
}

void ChCoord::mDClicked()
{
    emit updated();
}

void ChCoord::wheelMoved(int step)
{
    // Only the direction counts: one event, one factor.
    const double f = step < 0 ? 1.1 : 1 / 1.1;
    const QPoint cur = mouse->curPos;
    const bool ex = nearPlotEdgeX(cur.x());
    const bool ey = nearPlotEdgeY(cur.y());
    const double yd = (cur.y() - pixY0) * ((y1 - y0) / (pixY1 - pixY0)) + y0;
    const double newY0 = yd + (y0 - yd) * f;
    const double newY1 = yd + (y1 - yd) * f;

    // Over the band of the top or bottom edge only x zooms, over the left or right one only y.
    const bool zoomX = !(ex && !ey);
    const bool zoomY = !(ey && !ex);
    if (zoomX) {
        const double xd = (cur.x() - pixX0) * ((x1 - x0) / (pixX1 - pixX0)) + x0;
        const double newX0 = xd + (x0 - xd) * f;
        const double newX1 = xd + f * (x1 - xd);
        if (usable(newX0, newX1)) {
            x0 = newX0;
            x1 = newX1;
        }
    }
    if (zoomY && usable(newY0, newY1)) {
        y0 = newY0;
        y1 = newY1;
    }
    emit updated();
}
