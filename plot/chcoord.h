#pragma once

#include <QMargins>
#include <QObject>
#include <QVector>

class MouseC;

// Maps data coordinates onto the pixels of one drawing surface and back. Every mapping is a
// plain linear interpolation between the two ends of each axis, so a range given in reverse
// order shows that axis reversed. Optionally bound to a mouse relay, it also zooms (wheel,
// right-button rubber band), pans (Shift + left button) and drags vertical marker lines.
class ChCoord : public QObject
{
    Q_OBJECT

public:
    explicit ChCoord(QObject *parent = nullptr);

    void setMouse(MouseC *m);

    void setDeviceRect(double x0, double y0, double x1, double y1);
    void setPlotRect(double x0, double y0, double x1, double y1);
    void applyMargins();
    // The plot rectangle as the device rectangle less the margins in pixels, each taken from
    // its side of the surface (left the smaller pixel x, top the smaller pixel y), whichever way
    // the axes run; and the margins the plot rectangle leaves.
    void setInset(const QMargins &margins);
    QMargins inset() const;
    void setRange(double x0, double y0, double x1, double y1);
    void setXRange(double x0, double x1);
    void setYRange(double y0, double y1);

    // Inline, as the plots map every sample at every paint. Like all mappings they keep their
    // order of operations: callers compare pixels exactly.
    double xToPixel(double x) const { return pixX0 + (x - x0) * ((pixX1 - pixX0) / (x1 - x0)); }
    double yToPixel(double y) const { return pixY0 + (y - y0) * ((pixY1 - pixY0) / (y1 - y0)); }
    double pixelToX(double px) const;
    double pixelToY(double py) const;
    double xLengthToPixel(double d) const;
    double yLengthToPixel(double d) const;
    double pixelOffsetToX(double px) const;
    double pixelOffsetToY(double py) const;
    double pixelToXClamped(double px) const;
    double pixelToYClamped(double py) const;
    double pixelLengthToX(double d) const;
    double pixelLengthToY(double d) const;

    bool nearPlotEdgeX(double px) const;
    bool nearPlotEdgeY(double py) const;
    bool nearDeviceEdgeX(double px) const;
    bool nearDeviceEdgeY(double py) const;

    MouseC *mouse = nullptr;
    double devX0 = 0, devX1 = 1;
    double devY0 = 0, devY1 = 1;
    double pixX0 = 0, pixX1 = 1;
    double pixY0 = 0, pixY1 = 1;
    double x0 = 0, x1 = 1;
    double y0 = 0, y1 = 1;
    double deviceEdgeBand = 0.1;
    double plotEdgeBand = 0.1;
    double marginLeft = 0.1;
    double marginRight = 0.05;
    double marginTop = 0.05;
    double marginBottom = 0.1;
    QVector<double> vLines;
    int selectedVLine = -1;

signals:
    void updated();
    void nowPos(double x, double y);
    void newVLines();

public slots:
    void clearScale();
    void mMoved();
    void mPressed();
    void mReleased();
    void mDClicked();
    void wheelMoved(int step);
};
