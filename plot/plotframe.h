#pragma once

#include "plotscene.h"

#include <QImage>
#include <QRect>
#include <QVector>

class DrawText;

// The picture of a plot, kept between paints and brought up to date from each new description.
// Only the layers from the first one that changed are painted again: what they covered before is
// first cleared down to the layers below, which are kept as a picture of their own for as long as
// they stay the same. Opaque lines and rectangles painted again over themselves change nothing,
// so the result is, pixel for pixel, the picture the description gives on a blank surface. Every
// cache is checked against a copy of what it was made from, never told that it went stale.
class PlotFrame
{
public:
    // Makes the picture show scene, with text laid out for a surface of the given resolution and
    // direction, and takes the scene's layers in exchange for the ones it held, which the caller's
    // next description reuses. Returns where pixels may have changed: the whole picture when it
    // was painted anew, nothing when the description is the same.
    QVector<QRect> show(PlotScene *scene, int dpiX, int dpiY, Qt::LayoutDirection direction,
                        DrawText *drawer);

    // Whether the picture is of this size and resolution.
    bool fits(QSize size, int dpiX, int dpiY) const;
    const QImage &image() const { return picture; }

private:
    // The layers below first painted on the background, from the cache when they are the same.
    const QImage &layersBelow(const PlotScene &scene, int first, Qt::LayoutDirection direction,
                              DrawText *drawer);

    QImage picture;
    PlotScene shown;
    // Per layer of shown: for a text, where its pixels may lie.
    QVector<QRect> inked;
    QImage below;
    QColor belowGround;
    QVector<PlotScene::Layer> belowLayers;
};
