#pragma once

#include "plotscene.h"

#include <QImage>
#include <QRect>
#include <QVector>

class DrawText;
class QPainter;

// What a surface shows, kept between paints, so that a new description of the plot is painted
// over the old picture as no more than what changed. From the first layer that changed on, the
// places those layers covered are cleared down to the layers below, which are kept as a picture
// of their own for as long as they stay the same, and the layers are painted again. Opaque lines
// and rectangles painted again over themselves change nothing, and texts and translucent layers
// are only painted on cleared ground, so the result is, pixel for pixel, the picture the
// description gives on a blank surface. Every cache is checked against a copy of what it was
// made from.
class PlotFrame
{
public:
    // Paints scene on p as on a blank surface of the scene's size, with text laid out for the
    // given resolution (the surface's), and keeps it as what the surface shows. Takes the scene's
    // layers in exchange for the ones kept before, which the caller's next description reuses.
    void paintAll(QPainter *p, PlotScene *scene, int dpiX, int dpiY, DrawText *drawer);
    // The same, on a surface that shows what was kept: paints only what changed.
    void paintChanges(QPainter *p, PlotScene *scene, int dpiX, int dpiY, DrawText *drawer);
    // Whether paintChanges() can bring a surface of this size and resolution up to date.
    bool holds(QSize size, int dpiX, int dpiY) const;

private:
    // The layers below first painted on the background, from the cache when they are the same.
    const QImage &layersBelow(const PlotScene &scene, int first, int dpiX, int dpiY,
                              Qt::LayoutDirection direction, DrawText *drawer);

    PlotScene shown;
    int shownDpiX = 0;
    int shownDpiY = 0;
    // Per layer of shown: for one that blends, where its pixels may lie.
    QVector<QRect> inked;
    QImage below;
    QColor belowGround;
    QVector<PlotScene::Layer> belowLayers;
};
