#include "windowfunc.h"
#include "panels/parameterfield.h"
#include "plot/chcoord.h"
#include "plot/mousec.h"

#include <QLineEdit>
#include <QSignalBlocker>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace {

// The Hanning edges use this decimal value of pi, not the full double.
const double pi = 3.1415926535;
// The other shapes use pi to the double's precision.
const double fullPi = 3.141592653589793;

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

// (x - y) / (p - q) for p > q, also where a difference of huge edges exceeds the double range:
// then it is taken on halves, which cannot overflow.
double ratio(double x, double y, double p, double q)
{
    const double num = x - y;
    const double den = p - q;
    if (std::isfinite(den))
        return std::isfinite(num) ? num / den : (x / 2 - y / 2) / den * 2;
    return (x / 2 - y / 2) / (p / 2 - q / 2);
}

// Up to this argument I0, the modified Bessel function of order 0, comes from its power series,
// short there and exact to rounding; above it from the asymptotic expansion, which the series
// would need about x terms to match.
const double seriesLimit = 30;

// (I0(x) - 1) / (x^2 / 4) = sum over j >= 0 of (x^2 / 4)^j / ((j + 1)!)^2, for 0 <= x <=
// seriesLimit: I0(x) - 1 without its cancellation near 0, and 1 at x = 0.
double besselSeries(double x)
{
    const double q = x * x / 4;
    double term = 1;
    double sum = 1;
    for (int j = 1; term > sum * 1e-17; ++j) {
        term *= q / double((j + 1) * (j + 1));
        sum += term;
    }
    return sum;
}

// ln(I0(x) - 1) for x > seriesLimit, from
// I0(x) = e^x / sqrt(2 pi x) * sum over j >= 0 of ((2j - 1)!!)^2 / (j! (8x)^j); the terms fall
// far below rounding before the series starts to diverge at j = 2x.
double logBesselLarge(double x)
{
    double term = 1;
    double sum = 1;
    for (int j = 1; term > sum * 1e-17; ++j) {
        term *= (2.0 * j - 1) * (2.0 * j - 1) / (8.0 * j * x);
        sum += term;
    }
    const double ln = x - 0.5 * (std::log(2 * fullPi) + std::log(x)) + std::log(sum);
    return ln + std::log1p(-std::exp(-ln));
}

} // namespace

WindowFunc::WindowFunc(QWidget *parent)
    : QFrame(parent)
{
    setupUi(this);

    positions.fill(-1.0, 4);
    posEdits << Pos1 << Pos2 << Pos3 << Pos4;
    for (QLineEdit *edit : qAsConst(posEdits)) {
        auto *field = new ParameterField(edit, Parameter::of(Parameter::Edge));
        fields << field;
        connect(field, SIGNAL(valueChanged(double)), this, SLOT(typed(double)));
    }

    // From the top down, so each edge lands in its own slot of the sorted list.
    setPos(3, 16.0);
    setPos(2, 15.0);
    setPos(1, 4.0);
    setPos(0, 3.0);

    ShapeSel->setCurrentIndex(current);
    connect(ShapeSel, SIGNAL(currentIndexChanged(int)), this, SLOT(shapeChosen(int)));
}

WindowFunc::~WindowFunc() = default;

const QStringList &WindowFunc::shapeNames()
{
    static const QStringList names { "hanning", "kaiser", "welch", "parzen", "sine", "gaussian" };
    return names;
}

double WindowFunc::windowValue(double k) const
{
    const double p0 = positions[0];
    const double p1 = positions[1];
    const double p2 = positions[2];
    const double p3 = positions[3];
    switch (current) {
    case Hanning:
        break;
    case KaiserBessel:
        return kaiser(k);
    case Sine: {
        if (!(k >= p0 && k < p3))
            return 0;
        // Folded onto the nearer end, so that both ends give exactly 0.
        const double x = ratio(p3, k, p3, p0);
        return std::sin(fullPi * std::min(x, 1 - x));
    }
    case Gaussian: {
        // No width leaves the limit: 1 at the centre, 0 elsewhere.
        if (!(width > 0))
            return k == middle ? 1 : 0;
        const double u = ratio(k, middle, p1, p0);
        return std::isnan(u) ? 0 : std::exp(-0.5 * u * u);
    }
    case Welch:
    case Parzen:
        // The tapers are only evaluated where they have a width.
        if (!(k >= p0 && k < p3))
            return 0;
        if (k < p1) {
            const double u = ratio(k, p1, p1, p0);
            return current == Welch ? 1 - u * u : 1 + u;
        }
        if (k < p2)
            return 1;
        const double u = ratio(k, p2, p3, p2);
        return current == Welch ? 1 - u * u : 1 - u;
    }
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

// (I0(beta s) - 1) / (I0(beta) - 1) with s = sqrt(1 - u^2), u running from -1 to 1 over a … d.
// Up to seriesLimit both sides come from besselSeries(), which leaves
// s^2 * besselSeries(beta s) / besselSeries(beta): the factor x^2 / 4 cancels, and so beta = 0
// gives its limit s^2. Above it the quotient is taken of logarithms, as I0 overflows at 713.
double WindowFunc::kaiser(double k) const
{
    const double a = positions[0];
    const double d = positions[3];
    if (!(k > a && k < d))
        return 0;
    const double u = 2 * ratio(k, a, d, a) - 1;
    const double s2 = std::max(0.0, 1 - u * u);
    const double x = beta * std::sqrt(s2);
    if (beta <= seriesLimit)
        return s2 * besselSeries(x) / kaiserScale;
    if (x > seriesLimit)
        return std::exp(logBesselLarge(x) - kaiserScale);
    const double numerator = x * x / 4 * besselSeries(x);
    return numerator > 0 ? std::exp(std::log(numerator) - kaiserScale) : 0;
}

void WindowFunc::setPositions(const QVector<double> &edges)
{
    if (edges.size() != positions.size()
        || !std::all_of(edges.begin(), edges.end(), [](double e) { return std::isfinite(e); }))
        return;
    QVector<double> sorted = edges;
    std::sort(sorted.begin(), sorted.end());
    positions = sorted;
    changed();
}

void WindowFunc::setShape(Shape s)
{
    if (s == current || s < Hanning || s > Gaussian)
        return;
    current = s;
    {
        const QSignalBlocker quiet(ShapeSel);
        ShapeSel->setCurrentIndex(s);
    }
    changed();
}

void WindowFunc::shapeChosen(int index)
{
    setShape(Shape(index));
}

void WindowFunc::typed(double p)
{
    setPos(fields.indexOf(qobject_cast<ParameterField *>(sender())), p);
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

    changed();
}

void WindowFunc::changed()
{
    const double a = positions[0];
    const double b = positions[1];
    const double d = positions[3];
    riseFactor = edgeFactor(b - a, riseFactor);
    fallFactor = edgeFactor(d - positions[2], fallFactor);
    // Halves where the sum of huge edges overflows.
    middle = std::isfinite(a + d) ? (a + d) / 2 : a / 2 + d / 2;
    width = b - a;
    beta = std::min(width, std::numeric_limits<double>::max());
    kaiserScale = beta <= seriesLimit ? besselSeries(beta) : logBesselLarge(beta);
    for (int j = 0; j < positions.size(); ++j)
        fields[j]->setValue(positions[j]);
    emit updated();
}

void WindowFunc::mMoved()
{
    if (!dragging)
        return;
    // Inside the plot's k range, where the handle can be grabbed again.
    const double lo = std::min(coord->x0, coord->x1);
    const double hi = std::max(coord->x0, coord->x1);
    setPos(picked, std::clamp(coord->pixelToX(double(mouse->curPos.x())), lo, hi));
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
