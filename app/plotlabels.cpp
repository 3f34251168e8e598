#include "plotlabels.h"

#include "app/plotting.h"
#include "plot/axisticks.h"
#include "plot/chcoord.h"
#include "plot/plotscene.h"

#include <QFont>

#include <algorithm>
#include <cmath>

namespace {

// The least height of a line of text in pixels, about that of the interface's own text: in
// pixels, not points, so that a picture does not depend on the resolution of the screen.
constexpr int minUnit = 14;

// At most this many rows of legend; the entries that do not fit are counted in the last.
constexpr int maxRows = 3;

// "⁻²" for -2: an exponent written as superscript characters.
QString superscript(int exponent)
{
    static const char16_t digits[] = u"⁰¹²³⁴⁵⁶⁷⁸⁹";
    QString text;
    for (const QChar c : QString::number(std::abs(exponent)))
        text += QChar(digits[c.digitValue()]);
    return exponent < 0 ? QChar(u'⁻') + text : text;
}

QString unitOf(int exponent)
{
    return QString::fromUtf8("Å") + superscript(exponent);
}

// The values of ticks inside lo … hi (either order), give or take rounding.
QVector<double> inside(const AxisTicks &ticks, double lo, double hi)
{
    const double slack = ticks.step() * 1e-9;
    QVector<double> values;
    for (double v : ticks.values()) {
        if (v >= std::min(lo, hi) - slack && v <= std::max(lo, hi) + slack)
            values.append(v);
    }
    return values;
}

} // namespace

PlotLabels::PlotLabels(QSize surface, const AxisTicks &ticks, const QVector<Entry> &legend)
    : size(surface)
    , unit(std::max(minUnit, surface.height() / 40))
{
    const int gap = std::max(2, unit / 4);
    const int mark = std::max(3, unit * 2 / 5);
    int tickWidth = 0;
    for (double v : ticks.values())
        tickWidth = std::max(tickWidth, entryWidth(ticks.label(v)));
    inset = QMargins(gap + unit + gap + tickWidth + gap + mark, 0, unit,
                     mark + gap + unit + gap + unit + gap);

    // The legend in rows above the plot area, as many entries as fit in maxRows rows.
    const int swatch = unit * 3 / 2;
    const int left = inset.left();
    const int right = size.width() - inset.right();
    // On a small surface, no more than a quarter of its height.
    const int rowsAllowed = std::min(maxRows, std::max(1, size.height() / 4 / (unit + gap)));
    int x = left;
    int row = 0;
    for (const Entry &entry : legend) {
        const int w = swatch + gap + entryWidth(entry.name) + unit;
        if (x > left && x + w > right) {
            x = left;
            ++row;
        }
        if (row == rowsAllowed)
            break;
        entries.append(entry);
        places.append(QPoint(x, gap + row * (unit + gap)));
        x += w;
    }
    // The last entries give way to one that says how many more curves there are.
    while (entries.size() < legend.size() && !entries.isEmpty()) {
        const QString text = tr("(%n more)", nullptr, int(legend.size() - entries.size()) + 1);
        const QPoint last = places.constLast();
        entries.removeLast();
        places.removeLast();
        if (last.x() + entryWidth(text) <= right || entries.isEmpty()) {
            entries.append({ text, QColor() });
            places.append(last);
            break;
        }
    }
    const int rows = places.isEmpty() ? 0 : places.constLast().y() / (unit + gap) + 1;
    // Half a line more, for the label of a round value at the top of the plot area.
    inset.setTop(gap + rows * (unit + gap) + unit / 2);
}

int PlotLabels::entryWidth(const QString &name) const
{
    double w = unit * 0.3;
    for (const QChar c : name)
        w += c.unicode() < 0x2E80 ? unit * 0.5 : unit * 1.0;
    return int(std::ceil(w));
}

void PlotLabels::add(PlotScene *scene, const ChCoord &coord, const AxisTicks &ticks,
                     const QString &xTitle, const QString &yTitle) const
{
    const int w = size.width();
    const int h = size.height();
    const int gap = std::max(2, unit / 4);
    const int mark = std::max(3, unit * 2 / 5);
    const int left = inset.left();
    const int top = inset.top();
    const int right = w - inset.right();
    const int bottom = h - inset.bottom();

    // Whatever the curves drew beyond the plot area goes under the margins.
    scene->rects(QColor(255, 255, 255)) << QRect(0, 0, left, h) << QRect(right, 0, w - right, h)
                                        << QRect(0, 0, w, top) << QRect(0, bottom, w, h - bottom);

    const QPen frame = makePen(120, 120, 120, unit >= 30 ? 2 : 1);
    QVector<QLine> &lines = scene->lines(frame);
    lines << QLine(left - 1, top - 1, right, top - 1) << QLine(left - 1, bottom, right, bottom)
          << QLine(left - 1, top - 1, left - 1, bottom) << QLine(right, top - 1, right, bottom);
    const QVector<double> yValues = inside(ticks, coord.y0, coord.y1);
    const AxisTicks across(coord.x0, coord.x1, std::max(2, (right - left) / (6 * unit)));
    const QVector<double> xValues = inside(across, coord.x0, coord.x1);
    for (double v : yValues) {
        const int y = Pixel::trunc(coord.yToPixel(v));
        lines << QLine(left - 1 - mark, y, left - 1, y);
    }
    for (double v : xValues) {
        const int x = Pixel::trunc(coord.xToPixel(v));
        lines << QLine(x, bottom, x, bottom + mark);
    }

    const QFont font;
    const QPen values = makePen(70, 70, 70, 1);
    const double labelLeft = gap + unit + gap;
    for (double v : yValues) {
        const double y = std::min(std::max(coord.yToPixel(v) - unit / 2.0, 0.0), double(h - unit));
        scene->text(values, QRectF(labelLeft, y, left - mark - gap - labelLeft, unit), font,
                    Qt::AlignRight | Qt::AlignVCenter, 0, ticks.label(v));
    }
    for (double v : xValues) {
        scene->text(values,
                    QRectF(coord.xToPixel(v) - 3 * unit, bottom + mark + gap / 2, 6 * unit, unit),
                    font, Qt::AlignHCenter | Qt::AlignTop, 0, across.label(v));
    }

    const QPen ink = makePen(0, 0, 0, 1);
    scene->text(ink, QRectF(left, h - gap - unit, right - left, unit), font, Qt::AlignCenter, 0,
                xTitle);
    scene->text(ink, QRectF(gap, top, unit, bottom - top), font, Qt::AlignCenter, 0, yTitle, true);

    const int swatch = unit * 3 / 2;
    const int thick = std::max(2, unit / 6);
    for (int i = 0; i < entries.size(); ++i) {
        const QPoint at = places.at(i);
        const QColor colour = entries.at(i).colour;
        if (colour.isValid())
            scene->rects(colour) << QRect(at.x(), at.y() + (unit - thick) / 2, swatch, thick);
        const int x = colour.isValid() ? at.x() + swatch + gap : at.x();
        scene->text(ink, QRectF(x, at.y(), entryWidth(entries.at(i).name), unit), font,
                    Qt::AlignLeft | Qt::AlignVCenter, 0, entries.at(i).name);
    }
}

QString PlotLabels::kTitle()
{
    return tr("k (%1)").arg(unitOf(-1));
}

QString PlotLabels::rTitle()
{
    return tr("R (%1)").arg(QString::fromUtf8("Å"));
}

QString PlotLabels::chiKTitle(int n, bool absolute)
{
    const QString weight = n == 1 ? QStringLiteral("k·")
                                  : QStringLiteral("k") + superscript(n) + QStringLiteral("·");
    const QString quantity = (n == 0 ? QString() : weight) + tr("chi(k)");
    return absolute ? tr("%1 (%2)").arg(quantity, unitOf(-n)) : tr("%1 (normalised)").arg(quantity);
}

QString PlotLabels::chiRTitle(const QStringList &parts, int n, bool absolute)
{
    QStringList names;
    for (const char *part : { "real", "imag", "abs" }) {
        if (parts.contains(QLatin1String(part)))
            names.append(partName(QLatin1String(part), tr("chi(R)")));
    }
    const QString quantity = names.isEmpty() ? tr("chi(R)") : names.join(QStringLiteral(", "));
    return absolute ? tr("%1 (%2)").arg(quantity, unitOf(-(n + 1)))
                    : tr("%1 (normalised)").arg(quantity);
}

QString PlotLabels::partName(const QString &part, const QString &of)
{
    if (part == QLatin1String("real"))
        return tr("Re %1").arg(of);
    if (part == QLatin1String("imag"))
        return tr("Im %1").arg(of);
    return QLatin1Char('|') + of + QLatin1Char('|');
}

QString PlotLabels::envelopeName()
{
    return tr("F (envelope)");
}

QString PlotLabels::windowName()
{
    return tr("W (window)");
}
