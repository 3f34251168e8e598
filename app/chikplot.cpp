// The chi(k) plot: window, envelope, the measured chi(k), chi(k), the editors' handles, the node
// labels and the zero line, and on request axis titles and a legend around them, described from
// the waves' arrays at every change.

#include "app/chik.h"

#include "app/chir.h"
#include "app/plotlabels.h"
#include "app/plotting.h"
#include "app/shellpanel.h"
#include "model/awave.h"
#include "model/envelope.h"
#include "model/shellmodel.h"
#include "panels/wavectrl.h"
#include "panels/windowfunc.h"
#include "plot/axisticks.h"
#include "plot/disparea.h"
#include "plot/pixel.h"
#include "plot/plotscene.h"

#include <QFont>

#include <algorithm>
#include <optional>

void ChiK::draw(PlotScene *scene)
{
    // A chi(R) window that the user closed comes back with the next chi(k) frame.
    show();
    chiR->show();

    const QRect area = DispA->rect();
    const int width = area.right() - area.left() + 1;
    const int height = area.bottom() - area.top() + 1;
    const QRect surface(0, 0, width, height);
    scene->setBackground(QColor(255, 255, 255, 255));

    double xMin = 1e300;
    double xMax = -1e300;
    double yAbsMax = -1e300;
    for (const AWave *wave : qAsConst(waves)) {
        if (wave->kMin < xMin)
            xMin = wave->kMin;
        if (wave->kMax > xMax)
            xMax = wave->kMax;
        if (wave->yAbsMax > yAbsMax)
            yAbsMax = wave->yAbsMax;
    }
    // Normalised, the curves fill -1 … 1 with a margin; absolute, the range is the round numbers
    // that enclose them, marked on the left, and F and W, factors without a unit, reach its top.
    const bool absolute = !waves.isEmpty() && waves.constFirst()->scale == ChiArrays::Absolute;
    const AxisTicks ticks(-yAbsMax, yAbsMax, 4);
    const double factorScale = absolute ? ticks.last() : 1.0;
    ChCoord &coord = DispA->coord;
    if (absolute)
        coord.setRange(xMin, ticks.first(), xMax, ticks.last());
    else
        coord.setRange(xMin, -yAbsMax * 1.1, xMax, yAbsMax * 1.1);
    // With titles and a legend, the plot area leaves them margins.
    std::optional<PlotLabels> labels;
    if (actionLabels->isChecked() && !waves.isEmpty()) {
        const AWave *wave = waves.constFirst();
        const bool shells = shellPanel->shellCurves() && wave->shellValues.size() > 1;
        QVector<PlotLabels::Entry> legend { { shells ? tr("chi(k), the sum") : tr("chi(k)"),
                                              QColor(0, 0, 0) } };
        if (wave->hasMeasured())
            legend.append({ wave->measured().file, QColor(220, 0, 220) });
        for (int s = 0; shells && s < wave->shellValues.size(); ++s) {
            if (wave->shells->shell(s).on)
                legend.append({ wave->shells->shell(s).name, shellColour(s) });
        }
        legend.append({ PlotLabels::envelopeName(), QColor(255, 180, 0) });
        legend.append({ PlotLabels::windowName(), QColor(0, 150, 255) });
        labels.emplace(QSize(width, height), ticks, legend);
        coord.setInset(labels->margins());
    }
    const auto X = [&coord](double x) { return coord.xToPixel(x); };
    const auto Y = [&coord](double y) { return coord.yToPixel(y); };

    const QFont font;
    const int labelHeight = std::max(10, height / 40);

    for (const AWave *wave : qAsConst(waves)) {
        const QVector<double> &k = wave->kGrid;
        const QVector<double> &chi = wave->chi;
        const QVector<double> &f = wave->envValues;
        const QVector<double> &w = wave->winValues;
        // The arrays are built with equal lengths; a shorter one must still not be overrun.
        const int n = std::min({ chi.size(), k.size(), f.size(), w.size() });
        const QVector<double> &edges = wave->ctrl->WindowCtrl->positions;
        const QVector<QPointF> &nodes = wave->envelope->nodes;
        wave->envelope->scale = factorScale;
        // Over a rising grid, once a sample lies right of the surface so do all that follow: the
        // zero-filled samples from k = 16 on need not be mapped at all.
        const bool rising = xMax > xMin && std::is_sorted(k.constBegin(), k.constBegin() + n);
        const double beyond = surface.right() + segmentReach + 1.0;
        // Segment i - 1 … i of the samples of v, negated or not, for each i, in one layer. Each
        // sample is mapped once.
        const auto curve = [&](QVector<QLine> *lines, const double *v, int samples, double sign) {
            if (samples < 2)
                return;
            double x0 = X(k[0]);
            double y0 = Y(sign * v[0]);
            for (int i = 1; i < samples && !(rising && x0 >= beyond); ++i) {
                const double x1 = X(k[i]);
                const double y1 = Y(sign * v[i]);
                appendSegment(lines, surface, x0, y0, x1, y1);
                x0 = x1;
                y0 = y1;
            }
        };

        curve(&scene->lines(makePen(0, 150, 255, 1)), w.constData(), n, factorScale);

        QVector<QLine> &envelope = scene->lines(makePen(255, 180, 0, 1));
        curve(&envelope, f.constData(), n, factorScale);
        curve(&envelope, f.constData(), n, -factorScale);

        // Each shell's part, thin, under the sum; one shell's would only be the sum again.
        const QVector<QVector<double>> &parts = wave->shellValues;
        if (shellPanel->shellCurves() && parts.size() > 1) {
            for (int s = 0; s < parts.size(); ++s) {
                if (!wave->shells->shell(s).on)
                    continue;
                const QColor c = shellColour(s);
                curve(&scene->lines(makePen(c.red(), c.green(), c.blue(), 1)),
                      parts.at(s).constData(), std::min(n, int(parts.at(s).size())), 1.0);
            }
        }

        // The measured chi(k) under chi(k), over the computed samples.
        if (wave->hasMeasured()) {
            const QVector<double> &data = wave->measuredValues;
            curve(&scene->lines(makePen(220, 0, 220, 2)), data.constData(),
                  std::min({ n, wave->nValid, int(data.size()) }), 1.0);
        }

        curve(&scene->lines(makePen(0, 0, 0, 2)), chi.constData(), n, 1.0);

        QVector<QLine> &edgeLines = scene->lines(makePen(0, 150, 255, 2));
        for (double edge : edges)
            appendSegment(&edgeLines, surface, X(edge), 0, X(edge), height);
        QVector<QRect> &handles = scene->rects(QColor(0, 150, 255, 255));
        for (double edge : edges) {
            const int x = Pixel::trunc(X(edge) - 3.0);
            const int y = Pixel::trunc(Y(0.0) - 3.0);
            handles.append(QRect(QPoint(x, y), QPoint(x + 6, y + 6)));
        }

        QVector<QLine> &nodeLines = scene->lines(makePen(0, 255, 150, 1));
        for (const QPointF &node : nodes)
            appendSegment(&nodeLines, surface, X(node.x()), 0, X(node.x()), height);
        QVector<QRect> &squares = scene->rects(QColor(0, 255, 150, 255));
        for (const QPointF &node : nodes) {
            const int x = Pixel::trunc(X(node.x()) - 2.0);
            const int y = Pixel::trunc(Y(node.y() * factorScale) - 2.0);
            squares.append(QRect(QPoint(x, y), QPoint(x + 4, y + 4)));
        }

        // Labels stay under the zero line at each node's k, whatever the node's height. The box
        // is as wide as the label's own pixel x, so its height sets the text size.
        const QPen grey = makePen(200, 200, 200, 1);
        for (const QPointF &node : nodes) {
            const double pk = node.x();
            const QRectF box(X(pk) + 3.0, Y(0.0) + 3.0, X(pk + 0.5), labelHeight);
            scene->text(grey, box, font, Qt::AlignLeft | Qt::AlignTop, 10.0,
                        QString::number(pk, 'g', 3));
        }

        const int zero = Pixel::trunc(Y(0.0));
        appendSegment(&scene->lines(grey), surface, 0, zero, width, zero);
    }

    if (labels) {
        labels->add(scene, coord, ticks, PlotLabels::kTitle(),
                    PlotLabels::chiKTitle(waves.constFirst()->settings().n, absolute));
    } else if (absolute) {
        addTicks(scene, coord, ticks, font, labelHeight);
    }
}
