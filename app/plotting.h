#pragma once

#include "plot/pixel.h"

class AxisTicks;
class ChCoord;
class PlotScene;
class QFont;

#include <QLine>
#include <QPen>
#include <QRect>
#include <QVector>

#include <algorithm>

// Pens and line segments shared by the two plots.

// A solid pen of the opaque colour (r, g, b) and the given width.
QPen makePen(int r, int g, int b, int width);

// The vertical axis's round values, a short mark and a label each at the left edge, the labels
// kept inside the surface.
void addTicks(PlotScene *scene, const ChCoord &coord, const AxisTicks &ticks, const QFont &font,
              int labelHeight);

// The colour of shell i's own curves: ten that stay apart from each other and from the plots'
// other curves, then again from the first.
QColor shellColour(int i);

// Adds the segment between two mapped points, each end truncated to whole pixels, to a curve
// drawn later in one call. A segment that cannot reach the surface, however wide the plots' pens
// (at most 2 pixels), is left out. A level segment that goes on where the last one, level on the
// same row, ended extends that one instead. Either way the pixels are the same, for fewer
// segments: a curve's samples go on far right of the plot, and its flat stretches cost one.
// How far past its ends a segment may set pixels, with room to spare: a 2-pixel pen with square
// caps reaches 1 pixel.
constexpr int segmentReach = 4;

// Inline, as the plots add every sample of every curve at every change.
inline void appendSegment(QVector<QLine> *curve, const QRect &surface, double x0, double y0,
                          double x1, double y1)
{
    const QLine line = Pixel::line(x0, y0, x1, y1);
    const int reach = segmentReach;
    if (std::max(line.x1(), line.x2()) < surface.left() - reach
        || std::min(line.x1(), line.x2()) > surface.right() + reach
        || std::max(line.y1(), line.y2()) < surface.top() - reach
        || std::min(line.y1(), line.y2()) > surface.bottom() + reach)
        return;
    if (!curve->isEmpty()) {
        QLine &last = curve->last();
        // Only onwards: a level segment that turned back would leave part of the last one out.
        const int was = last.x2() - last.x1();
        const int now = line.x2() - line.x1();
        if (line.y1() == line.y2() && last.y1() == last.y2() && last.y2() == line.y1()
            && last.x2() == line.x1() && ((was >= 0 && now >= 0) || (was <= 0 && now <= 0))) {
            last.setP2(line.p2());
            return;
        }
    }
    curve->append(line);
}
