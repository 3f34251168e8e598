#include "chcoord.h"

#include "mousec.h"

ChCoord::ChCoord(QObject *parent)
    : QObject(parent)
{
}

void ChCoord::setDeviceRect(double x0, double y0, double x1, double y1)
{
    devX0 = x0;
    devY0 = y0;
    devX1 = x1;
    devY1 = y1;
    setPlotRect(x0, y0, x1, y1);
}

void ChCoord::setPlotRect(double x0, double y0, double x1, double y1)
{
    pixX0 = x0;
    pixY0 = y0;
    pixX1 = x1;
    pixY1 = y1;
}

void ChCoord::setRange(double x0, double y0, double x1, double y1)
{
    this->x0 = x0;
    this->y0 = y0;
    this->x1 = x1;
    this->y1 = y1;
}

void ChCoord::setXRange(double x0, double x1)
{
    this->x0 = x0;
    this->x1 = x1;
}

void ChCoord::setYRange(double y0, double y1)
{
    this->y0 = y0;
    this->y1 = y1;
}

// The mappings keep their order of operations: callers compare pixels exactly.

double ChCoord::xToPixel(double x) const
{
    return pixX0 + (x - x0) * ((pixX1 - pixX0) / (x1 - x0));
}

double ChCoord::yToPixel(double y) const
{
    return pixY0 + (y - y0) * ((pixY1 - pixY0) / (y1 - y0));
}

double ChCoord::pixelToX(double px) const
{
    return x0 + (px - pixX0) * ((x1 - x0) / (pixX1 - pixX0));
}

double ChCoord::pixelToY(double py) const
{
    return y0 + (py - pixY0) * ((y1 - y0) / (pixY1 - pixY0));
}

// Stubs until the interactive layer lands.
void ChCoord::setMouse(MouseC *m) { mouse = m; }
void ChCoord::applyMargins() { }
double ChCoord::xLengthToPixel(double) const { return 0; }
double ChCoord::yLengthToPixel(double) const { return 0; }
double ChCoord::pixelOffsetToX(double) const { return 0; }
double ChCoord::pixelOffsetToY(double) const { return 0; }
double ChCoord::pixelToXClamped(double) const { return 0; }
double ChCoord::pixelToYClamped(double) const { return 0; }
double ChCoord::pixelLengthToX(double) const { return 0; }
double ChCoord::pixelLengthToY(double) const { return 0; }
bool ChCoord::nearPlotEdgeX(double) const { return false; }
bool ChCoord::nearPlotEdgeY(double) const { return false; }
bool ChCoord::nearDeviceEdgeX(double) const { return false; }
bool ChCoord::nearDeviceEdgeY(double) const { return false; }
void ChCoord::clearScale() { }
void ChCoord::mMoved() { }
void ChCoord::mPressed() { }
void ChCoord::mReleased() { }
void ChCoord::mDClicked() { }
void ChCoord::wheelMoved(int) { }
