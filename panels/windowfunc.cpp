#include "windowfunc.h"
#include "plot/chcoord.h"
#include "plot/mousec.h"

#include <QLineEdit>
#include <QString>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// The edges use this decimal value of pi, not the full double.
const double pi = 3.1415926535;

// A press catches a handle strictly closer than 10 pixels (compared squared).
const double pickRadiusSquared = 100;

// Radians per unit k over an edge of the given width, or the previous factor when the width
// leaves no usable taper: a zero-width edge is never evaluated, and an edge so narrow that the
// factor overflows would turn its first sample into inf * 0.
double edgeFactor(double width, double previous)
{
    if (!(width > 0))
        return previous;
    const double factor = (1 / width) * pi;
    return std::isfinite(factor) ? factor : previous;
}

} // namespace

WindowFunc::WindowFunc(QWidget *parent)
    : QFrame(parent)
{
    setupUi(this);

    positions.fill(-1.0, 4);
    posEdits << Pos1 << Pos2 << Pos3 << Pos4;

    // From the top down, so each edge lands in its own slot of the sorted list.
    setPos(3, 16.0);
    setPos(2, 15.0);
    setPos(1, 4.0);
    setPos(0, 3.0);

    for (int i = 0; i < posEdits.size(); ++i) {
        posEdits[i]->setText(QString::number(positions[i], 'g', 6));
        connect(posEdits[i], SIGNAL(editingFinished()), this, SLOT(newPosInput()));
    }
}

WindowFunc::~WindowFunc() = default;

double WindowFunc::windowValue(double k) const
{
    const double p0 = positions[0];
    const double p1 = positions[1];
    const double p2 = positions[2];
    const double p3 = positions[3];
    if (k < p0)
        return 0;
    if (k < p1)
        return 0.5 * (1 - std::cos(riseFactor * (k - p0)));
    if (k < p2)
        return 1;
    if (!(k < p3))
        return 0;
    return (std::cos(fallFactor * (k - p2)) + 1) * 0.5;
}

void WindowFunc::setPositions(const QVector<double> &edges)
{
    if (edges.size() != positions.size()
        || !std::all_of(edges.begin(), edges.end(), [](double e) { return std::isfinite(e); }))
        return;
    QVector<double> sorted = edges;
    std::sort(sorted.begin(), sorted.end());
    positions = sorted;
    edgesMoved();
}

void WindowFunc::newPosInput()
{
    const int i = posEdits.indexOf(qobject_cast<QLineEdit *>(sender()));
    if (i < 0)
        return;
    // Whatever does not read as a finite number puts the edge at 0.
    double value = posEdits[i]->text().toDouble();
    if (!std::isfinite(value))
        value = 0.0;
    setPos(i, value);
}

void WindowFunc::setPos(int i, double p)
{
    if (i < 0 || i >= positions.size())
        return;
    // A NaN would break the ordering and an infinity every taper.
    if (!std::isfinite(p))
        return;
    if (positions[i] == p)
        return;
    positions[i] = p;

    // Exchange sort; equal edges keep their slots.
    const int n = positions.size();
    for (int a = 0; a < n - 1; ++a) {
        for (int b = a + 1; b < n; ++b) {
            if (positions[a] > positions[b])
                std::swap(positions[a], positions[b]);
        }
    }

    edgesMoved();
}

void WindowFunc::edgesMoved()
{
    riseFactor = edgeFactor(positions[1] - positions[0], riseFactor);
    fallFactor = edgeFactor(positions[3] - positions[2], fallFactor);
    for (int j = 0; j < positions.size(); ++j)
        posEdits[j]->setText(QString::number(positions[j], 'g', 6));
    emit updated();
}

void WindowFunc::mMoved()
{
    if (dragging)
        setPos(picked, coord->pixelToX(double(mouse->curPos.x())));
}

void WindowFunc::mPressed()
{
    dragging = false;
    int best = -1;
    double bestD = 1e300;
    for (int i = 0; i < positions.size(); ++i) {
        const double dx = coord->xToPixel(positions[i]) - mouse->curPos.x();
        const double dy = coord->yToPixel(0.0) - mouse->curPos.y();
        const double d = dx * dx + dy * dy;
        // Strict: at equal distance the lower index keeps the handle.
        if (d < pickRadiusSquared && d < bestD) {
            best = i;
            bestD = d;
        }
    }
    if (best != -1) {
        dragging = true;
        picked = best;
    }
}

void WindowFunc::mReleased()
{
    picked = -1;
    dragging = false;
}
