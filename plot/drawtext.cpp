#include "drawtext.h"

#include <QFont>
#include <QPainter>

DrawText::DrawText(QObject *parent)
    : QObject(parent)
{
}

QRectF DrawText::drawTextIn(QPainter *painter, QRectF &rect, QFont font, int flags, int,
                            const QString &text, double)
{
    painter->setFont(font);
    painter->drawText(rect, flags, text);
    return QRectF();
}
