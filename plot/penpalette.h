#pragma once

#include <QColor>
#include <QPen>
#include <QVector>

// A fixed, cyclic table of distinguishable pens: curve i takes pen(i), and the table repeats
// when there are more curves than pens.
class PenPalette
{
public:
    PenPalette();

    QPen pen(int i) const;
    QColor color(int i) const;
    QVector<qreal> dashPattern(int i) const;

    QVector<QPen> pens;
};
