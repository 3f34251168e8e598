#pragma once

#include <QPen>

class QPainter;

// Pens and line segments shared by the two plots.

// A solid pen of the opaque colour (r, g, b) and the given width.
QPen makePen(int r, int g, int b, int width);

// One line between two mapped points, each end truncated to whole pixels.
void drawSegment(QPainter *p, double x0, double y0, double x1, double y1);
