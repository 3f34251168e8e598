// The chi(R) plot: the pointer line, the R grid with its labels, the zero line and the selected
// transforms of every wave, described at every change.

#include "app/chir.h"

#include "app/plotting.h"
#include "model/awave.h"
#include "plot/disparea.h"
#include "plot/pixel.h"
#include "plot/plotscene.h"

#include <QFont>

#include <algorithm>
#include <cmath>

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
    const double yBottom = magnitudeOnly ? -rAbsMax * 0.05 : -rAbsMax * 1.05;
    coord->setRange(-2.0, yBottom, 10.0, rAbsMax * 1.05);
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

    for (const AWave *wave : waves) {
        const double dR = 3.1415926535
                          / (((wave->kMax - wave->kMin) / static_cast<double>(wave->nValid))
                             * static_cast<double>(wave->count));
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

        if (envelopeOn)
            curve(makePen(255, 200, 0, 1), j0,
                  [wave](int j) { return wave->ftAbs(wave->ftEnv.data(), j); });
        if (windowOn)
            curve(makePen(0, 150, 255, 1), j0,
                  [wave](int j) { return wave->ftAbs(wave->ftWin.data(), j); });
        if (waveOn && fromZero)
            curve(makePen(0, 255, 180, 1), 1,
                  [wave](int j) { return wave->ftAbs(wave->ftWave.data(), j); });
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
}
