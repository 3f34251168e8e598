// The chi(R) plot: the pointer line, the R grid with its labels, the zero line and the selected
// transforms of every wave, and on request axis titles and a legend around them, described at
// every change.

#include "app/chir.h"

#include "app/plotlabels.h"
#include "app/plotting.h"
#include "model/awave.h"
#include "model/shellmodel.h"
#include "plot/axisticks.h"
#include "plot/disparea.h"
#include "plot/pixel.h"
#include "plot/plotscene.h"

#include <QFont>

#include <algorithm>
#include <cmath>
#include <optional>

void ChiR::drawR(PlotScene *scene)
{
    const bool envelopeOn = SelEnvelope->isChecked();
    const bool windowOn = SelWindow->isChecked();
    const bool waveOn = SelWave->isChecked();
    const bool totalOn = SelTotal->isChecked();
    const bool dataOn = SelData->isChecked();
    const bool absOn = SelAbs->isChecked();
    const bool realOn = SelReal->isChecked();
    const bool imagOn = SelImag->isChecked();
    const bool shellsOn = SelShells->isChecked();

    // Until the main window hands over its list there are no waves to draw.
    static const QVector<AWave *> noWaves;
    const QVector<AWave *> &waves = waveList ? *waveList : noWaves;

    const QRect area = DispA->rect();
    const int width = area.right() - area.left() + 1;
    const int height = area.bottom() - area.top() + 1;
    const QRect surface(0, 0, width, height);
    scene->setBackground(QColor(255, 255, 255, 255));

    // Magnitudes alone need little room below zero; signed parts need as much as above.
    double rAbsMax = -1e300;
    for (const AWave *wave : waves) {
        if (wave->rAbsMax > rAbsMax)
            rAbsMax = wave->rAbsMax;
    }
    const bool magnitudeOnly = absOn && !realOn && !imagOn;
    // Absolute, the range is round numbers, marked on the left.
    const bool absolute = !waves.isEmpty() && waves.constFirst()->scale == ChiArrays::Absolute;
    const AxisTicks ticks(magnitudeOnly ? 0.0 : -rAbsMax, rAbsMax, 4);
    if (absolute)
        coord->setRange(-2.0, magnitudeOnly ? -0.05 * ticks.last() : ticks.first(), 10.0,
                        ticks.last());
    else
        coord->setRange(-2.0, magnitudeOnly ? -rAbsMax * 0.05 : -rAbsMax * 1.05, 10.0,
                        rAbsMax * 1.05);
    // With titles and a legend, the plot area leaves them margins.
    std::optional<PlotLabels> labels;
    QStringList parts;
    if (actionLabels->isChecked() && !waves.isEmpty()) {
        const AWave *wave = waves.constFirst();
        // Each part shown, with the colours its total and measured curves are drawn in.
        const struct
        {
            bool on;
            const char *name;
            QColor total;
            QColor data;
        } shownParts[] = { { realOn, "real", QColor(200, 0, 0), QColor(150, 0, 110) },
                           { imagOn, "imag", QColor(0, 200, 0), QColor(255, 130, 235) },
                           { absOn, "abs", QColor(0, 0, 0), QColor(220, 0, 220) } };
        QVector<PlotLabels::Entry> legend;
        for (const auto &part : shownParts) {
            if (part.on)
                parts.append(QLatin1String(part.name));
            if (part.on && totalOn)
                legend.append({ PlotLabels::partName(parts.constLast(), PlotLabels::tr("chi(R)")),
                                part.total });
        }
        for (const auto &part : shownParts) {
            if (part.on && dataOn && wave->hasMeasured())
                legend.append(
                    { PlotLabels::partName(QLatin1String(part.name), wave->measured().file),
                      part.data });
        }
        for (int s = 0; shellsOn && !parts.isEmpty() && wave->ftShells.size() > 1
                        && s < int(wave->ftShells.size());
             ++s) {
            if (wave->shells->shell(s).on)
                legend.append({ wave->shells->shell(s).name, shellColour(s) });
        }
        if (waveOn)
            legend.append({ tr("sin(2kR+phi)"), QColor(0, 255, 180) });
        if (envelopeOn)
            legend.append({ PlotLabels::envelopeName(), QColor(255, 200, 0) });
        if (windowOn)
            legend.append({ PlotLabels::windowName(), QColor(0, 150, 255) });
        labels.emplace(QSize(width, height), ticks, legend);
        coord->setInset(labels->margins());
    }
    const auto X = [this](double x) { return coord->xToPixel(x); };
    const auto Y = [this](double y) { return coord->yToPixel(y); };
    const auto line = [&](const QPen &pen, double x0, double y0, double x1, double y1) {
        appendSegment(&scene->lines(pen), surface, x0, y0, x1, y1);
    };

    line(makePen(255, 0, 0, 1), X(pointerR), 0, X(pointerR), height);

    const QFont font;
    const int labelHeight = std::max(10, height / 40);

    const QPen grey = makePen(200, 200, 200, 1);
    double u = -2.0;
    for (int i = 0; i < 12; ++i) {
        line(grey, X(u), 0, X(u), height);
        // As wide as the label's own pixel x, so the height sets the text size.
        const QRectF box(X(u) + 5.0, Y(0.0) + 5.0, X(u + 0.5), labelHeight);
        scene->text(grey, box, font, Qt::AlignLeft | Qt::AlignTop, 10.0,
                    QString::number(u, 'g', 6));
        u += 1.0;
    }
    const int zero = Pixel::trunc(Y(0.0));
    line(grey, 0, zero, width, zero);

    // The R range a fit compares, while one is set up against measured data.
    if (const AWave *wave = waves.isEmpty() ? nullptr : waves.constFirst()) {
        const FitSettings &fit = wave->fitSettings();
        if (showsRange()) {
            QVector<QRect> &band = scene->rects(bandColour());
            const int left = Pixel::trunc(X(fit.rMin));
            const int right = Pixel::trunc(X(fit.rMax));
            band.append(QRect(QPoint(left, 0), QPoint(right, height - 1)) & surface);
            QVector<QLine> &ends = scene->lines(makePen(230, 150, 0, 1));
            appendSegment(&ends, surface, left, 0, left, height);
            appendSegment(&ends, surface, right, 0, right, height);
        }
    }

    for (const AWave *wave : waves) {
        const double dR = wave->binSpacing();
        const int n = wave->chi.size();
        // Nothing computed yet, or a grid without a usable bin spacing: nothing to plot.
        if (n < 1 || !(dR > 0.0) || !std::isfinite(dR))
            continue;
        // Segment j joins bin j - 1 to bin j; the curve stops at the first bin beyond R = 10.
        // Each bin's value is read and mapped once.
        const auto curve = [&](const QPen &pen, int first, auto value) {
            QVector<QLine> &lines = scene->lines(pen);
            double before = Y(value(first - 1));
            for (int j = first; j < n; ++j) {
                const double g = j * dR;
                if (g > 10.0)
                    break;
                const double now = Y(value(j));
                appendSegment(&lines, surface, X(g - dR), before, X(g), now);
                before = now;
            }
        };
        // F and W are drawn from R = -2, where the bins mirror the positive ones.
        const int j0 = Pixel::trunc(-2.0 / dR);
        const bool fromZero = n > 1 && dR <= 10.0;

        // Absolute, F, W and the bare wave are shapes for orientation: each scaled to reach the
        // top of the range.
        const auto shape = [&](const double *a, int first) {
            if (!absolute)
                return 1.0;
            double peak = 0;
            for (int j = first; j < n && j * dR <= 10.0; ++j)
                peak = std::max(peak, wave->ftAbs(a, j));
            return peak > 0 ? ticks.last() / peak : 1.0;
        };
        if (envelopeOn) {
            const double *a = wave->ftEnv.data();
            const double f = shape(a, j0);
            curve(makePen(255, 200, 0, 1), j0,
                  [wave, a, f](int j) { return f * wave->ftAbs(a, j); });
        }
        if (windowOn) {
            const double *a = wave->ftWin.data();
            const double f = shape(a, j0);
            curve(makePen(0, 150, 255, 1), j0,
                  [wave, a, f](int j) { return f * wave->ftAbs(a, j); });
        }
        if (waveOn && fromZero) {
            const double *a = wave->ftWave.data();
            const double f = shape(a, 1);
            curve(makePen(0, 255, 180, 1), 1,
                  [wave, a, f](int j) { return f * wave->ftAbs(a, j); });
        }
        // Each shell's transform, thin, in its colour, as the total is drawn.
        if (shellsOn && fromZero && wave->ftShells.size() > 1) {
            for (int s = 0; s < int(wave->ftShells.size()); ++s) {
                if (!wave->shells->shell(s).on)
                    continue;
                const QColor c = shellColour(s);
                const QPen pen = makePen(c.red(), c.green(), c.blue(), 1);
                const double *a = wave->ftShells.at(size_t(s)).data();
                if (realOn)
                    curve(pen, 1, [wave, a](int j) { return wave->ftRe(a, j); });
                if (imagOn)
                    curve(pen, 1, [wave, a](int j) { return wave->ftIm(a, j); });
                if (absOn)
                    curve(pen, 1, [wave, a](int j) { return wave->ftAbs(a, j); });
            }
        }
        // The measured chi(k)'s transform, in magenta shades, as the total is drawn and under it.
        if (dataOn && fromZero && wave->hasMeasured()
            && int(wave->ftMeasured.size()) == wave->count) {
            const double *data = wave->ftMeasured.data();
            if (realOn)
                curve(makePen(150, 0, 110, 2), 1,
                      [wave, data](int j) { return wave->ftRe(data, j); });
            if (imagOn)
                curve(makePen(255, 130, 235, 2), 1,
                      [wave, data](int j) { return wave->ftIm(data, j); });
            if (absOn)
                curve(makePen(220, 0, 220, 2), 1,
                      [wave, data](int j) { return wave->ftAbs(data, j); });
        }
        // Real, imaginary and magnitude only choose what of the total is drawn.
        if (totalOn && fromZero) {
            const double *total = wave->ftChi.data();
            if (realOn)
                curve(makePen(200, 0, 0, 2), 1,
                      [wave, total](int j) { return wave->ftRe(total, j); });
            if (imagOn)
                curve(makePen(0, 200, 0, 2), 1,
                      [wave, total](int j) { return wave->ftIm(total, j); });
            if (absOn)
                curve(makePen(0, 0, 0, 2), 1,
                      [wave, total](int j) { return wave->ftAbs(total, j); });
        }
    }

    if (labels) {
        labels->add(scene, *coord, ticks, PlotLabels::rTitle(),
                    PlotLabels::chiRTitle(parts, waves.constFirst()->settings().n, absolute));
    } else if (absolute) {
        addTicks(scene, *coord, ticks, font, labelHeight);
    }
}
