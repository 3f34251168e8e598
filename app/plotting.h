#pragma once

#include <QLine>
#include <QPen>
#include <QVector>

class QPainter;

// Pens and line segments shared by the two plots.

// A solid pen of the opaque colour (r, g, b) and the given width.
QPen makePen(int r, int g, int b, int width);

// One line between two mapped points, each end truncated to whole pixels.
void drawSegment(QPainter *p, double x0, double y0, double x1, double y1);

// Adds the segment between two mapped points to a curve drawn later in one call. A level
// segment that goes on where the last one, level on the same row, ended extends that one
// instead: the pixels are the same, and the long flat stretches of a curve cost one segment.
void appendSegment(QVector<QLine> *curve, double x0, double y0, double x1, double y1);
