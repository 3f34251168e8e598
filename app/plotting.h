#pragma once

#include <QLine>
#include <QPen>
#include <QRect>
#include <QVector>

// Pens and line segments shared by the two plots.

// A solid pen of the opaque colour (r, g, b) and the given width.
QPen makePen(int r, int g, int b, int width);

// Adds the segment between two mapped points, each end truncated to whole pixels, to a curve
// drawn later in one call. A segment that cannot reach the surface, however wide the plots' pens
// (at most 2 pixels), is left out. A level segment that goes on where the last one, level on the
// same row, ended extends that one instead. Either way the pixels are the same, for fewer
// segments: a curve's samples go on far right of the plot, and its flat stretches cost one.
void appendSegment(QVector<QLine> *curve, const QRect &surface, double x0, double y0, double x1,
                   double y1);
