#include "penpalette.h"

PenPalette::PenPalette()
{
    static const int rgb[][3] = {
        { 0, 0, 0 },       { 255, 0, 0 },     { 0, 0, 255 },     { 46, 204, 113 },
        { 241, 196, 15 },  { 155, 89, 182 },  { 240, 0, 240 },   { 230, 126, 34 },
        { 160, 160, 255 }, { 0, 160, 0 },     { 52, 152, 219 },  { 0, 0, 160 },
        { 231, 76, 60 },   { 41, 128, 185 },  { 200, 200, 0 },   { 142, 68, 173 },
        { 160, 0, 0 },     { 255, 160, 160 }, { 149, 165, 166 }, { 39, 174, 96 },
        { 160, 230, 230 }, { 240, 160, 0 },   { 160, 160, 160 }, { 120, 220, 120 },
        { 192, 57, 43 },   { 211, 84, 0 },    { 127, 140, 141 }, { 22, 160, 133 },
        { 26, 188, 156 },  { 243, 156, 18 },
    };
    pens.reserve(int(sizeof rgb / sizeof rgb[0]));
    for (const auto &c : rgb)
        pens.append(QPen(QColor(c[0], c[1], c[2])));
}

QPen PenPalette::pen(int i) const
{
    // pens is public: an emptied table gives the default pen rather than a division by zero.
    const int n = pens.size();
    if (n == 0)
        return QPen();
    // Wraps in both directions: -1 is the last entry.
    return pens[(i % n + n) % n];
}

QColor PenPalette::color(int i) const
{
    return pen(i).color();
}

QVector<qreal> PenPalette::dashPattern(int i) const
{
    return pen(i).dashPattern();
}
