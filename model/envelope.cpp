#include "envelope.h"

#include "plot/chcoord.h"
#include "plot/mousec.h"

#include <cmath>

namespace {

// Two nodes at the same k would divide by zero: take the middle of their values instead.
double lerp(double k, const QPointF &p0, const QPointF &p1)
{
    const double dx = p1.x() - p0.x();
    if (dx == 0.0)
        return 0.5 * (p1.y() + p0.y());
    return (k - p0.x()) * ((p1.y() - p0.y()) / dx) + p0.y();
}

} // namespace

Envelope::Envelope(QObject *parent)
    : QObject(parent)
{ }

double Envelope::envelopeValue(double k) const
{
    return valueAt(nodes, k);
}

double Envelope::valueAt(const QVector<QPointF> &nodes, double k)
{
    const int count = nodes.size();
    if (count == 0)
        return 1.0;
    if (count == 1)
        return nodes[0].y();
    // The first node past k ends the segment; k at an inner node takes the segment starting
    // there, and k outside the nodes extends the end segments.
    int i = 1;
    while (i < count - 1 && !(nodes[i].x() > k))
        ++i;
    return lerp(k, nodes[i - 1], nodes[i]);
}

QPointF Envelope::node(int i) const
{
    if (i >= 0 && i < nodes.size())
        return nodes[i];
    return spareNode;
}

void Envelope::pickNode()
{
    dragging = false;
    if (!mouse || !coord)
        return;
    const double px = mouse->curPos.x();
    const double py = mouse->curPos.y();
    int best = -1;
    double bestD = 1e300;
    for (int i = 0; i < nodes.size(); ++i) {
        const double dx = coord->xToPixel(nodes[i].x()) - px;
        const double dy = coord->yToPixel(nodes[i].y() * scale) - py;
        const double d = dx * dx + dy * dy;
        // Within 10 pixels; on a tie the earlier node stays.
        if (d < 100.0 && d < bestD) {
            best = i;
            bestD = d;
        }
    }
    if (best != -1) {
        dragging = true;
        picked = best;
    }
}

void Envelope::dragNode()
{
    if (!dragging || !mouse || !coord || picked < 0 || picked >= nodes.size())
        return;
    const QPointF p(coord->pixelToX(mouse->curPos.x()), coord->pixelToY(mouse->curPos.y()) / scale);
    // A surface without extent maps to inf or NaN; such a node would spoil every F(k).
    if (!std::isfinite(p.x()) || !std::isfinite(p.y()))
        return;
    nodes[picked] = p;
    emit updated();
}

void Envelope::dropNode()
{
    dragging = false;
}

void Envelope::enFlat()
{
    for (QPointF &p : nodes)
        p.setY(1.0);
    emit updated();
}
