// The chi(k) plot: window, envelope, the measured chi(k), chi(k), the editors' handles, the node
// labels and the zero line, drawn from the waves' arrays at every paint.

#include "app/chik.h"

#include "app/chir.h"
#include "app/plotting.h"
#include "model/awave.h"
#include "model/envelope.h"
#include "panels/wavectrl.h"
#include "panels/windowfunc.h"
#include "plot/disparea.h"
#include "plot/pixel.h"

#include <QFont>
#include <QPainter>

#include <algorithm>

void ChiK::draw(QPainter *p)
{
    // A chi(R) window that the user closed comes back with the next chi(k) frame.
    show();
    chiR->show();

    const QRect area = DispA->rect();
    const int width = area.right() - area.left() + 1;
    const int height = area.bottom() - area.top() + 1;
    p->fillRect(QRect(0, 0, width, height), QColor(255, 255, 255, 255));

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
    ChCoord &coord = DispA->coord;
    coord.setRange(xMin, -yAbsMax * 1.1, xMax, yAbsMax * 1.1);
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

        p->setPen(makePen(0, 150, 255, 1));
        for (int i = 1; i < n; ++i)
            drawSegment(p, X(k[i - 1]), Y(w[i - 1]), X(k[i]), Y(w[i]));

        p->setPen(makePen(255, 180, 0, 1));
        for (int i = 1; i < n; ++i) {
            drawSegment(p, X(k[i - 1]), Y(f[i - 1]), X(k[i]), Y(f[i]));
            drawSegment(p, X(k[i - 1]), Y(-f[i - 1]), X(k[i]), Y(-f[i]));
        }

        // The measured chi(k) under chi(k), over the computed samples, in one call: a slider
        // step redraws it too.
        if (wave->hasMeasured()) {
            const QVector<double> &data = wave->measuredValues;
            const int m = std::min({ n, wave->nValid, int(data.size()) });
            segments.resize(0);
            for (int i = 1; i < m; ++i)
                appendSegment(&segments, X(k[i - 1]), Y(data[i - 1]), X(k[i]), Y(data[i]));
            p->setPen(makePen(220, 0, 220, 2));
            p->drawLines(segments.constData(), int(segments.size()));
        }

        p->setPen(makePen(0, 0, 0, 2));
        for (int i = 1; i < n; ++i)
            drawSegment(p, X(k[i - 1]), Y(chi[i - 1]), X(k[i]), Y(chi[i]));

        p->setPen(makePen(0, 150, 255, 2));
        for (double edge : edges)
            drawSegment(p, X(edge), 0, X(edge), height);
        for (double edge : edges) {
            const QColor colour(0, 150, 255, 255);
            const int x = Pixel::trunc(X(edge) - 3.0);
            const int y = Pixel::trunc(Y(0.0) - 3.0);
            p->fillRect(QRect(QPoint(x, y), QPoint(x + 6, y + 6)), colour);
        }

        p->setPen(makePen(0, 255, 150, 1));
        for (const QPointF &node : nodes)
            drawSegment(p, X(node.x()), 0, X(node.x()), height);
        for (const QPointF &node : nodes) {
            const QColor colour(0, 255, 150, 255);
            const int x = Pixel::trunc(X(node.x()) - 2.0);
            const int y = Pixel::trunc(Y(node.y()) - 2.0);
            p->fillRect(QRect(QPoint(x, y), QPoint(x + 4, y + 4)), colour);
        }

        // Labels stay under the zero line at each node's k, whatever the node's height. The box
        // is as wide as the label's own pixel x, so its height sets the text size.
        p->setPen(makePen(200, 200, 200, 1));
        for (const QPointF &node : nodes) {
            const double pk = node.x();
            QRectF box(X(pk) + 3.0, Y(0.0) + 3.0, X(pk + 0.5), labelHeight);
            DispA->textDrawer.drawTextIn(p, box, font, Qt::AlignLeft | Qt::AlignTop, 1,
                                         QString::number(pk, 'g', 3), 10.0);
        }

        const int zero = Pixel::trunc(Y(0.0));
        drawSegment(p, 0, zero, width, zero);
    }
}
