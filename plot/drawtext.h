#pragma once

#include <QColor>
#include <QObject>
#include <QRectF>
#include <QVector>

class QPainter;
class QFont;

// Draws text fitted into rectangles (stub until the text drawer lands).
class DrawText : public QObject
{
    Q_OBJECT

public:
    explicit DrawText(QObject *parent = nullptr);

    QRectF drawTextIn(QPainter *painter, QRectF &rect, QFont font, int flags, int fit,
                      const QString &text, double maxPointSize);
};
