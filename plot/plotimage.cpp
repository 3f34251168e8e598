#include "plotimage.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <QWidget>

PlotImage::Format PlotImage::formatOf(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return Png;
    if (suffix == QLatin1String("svg"))
        return Svg;
    return Unknown;
}

QByteArray PlotImage::encode(QWidget *surface, Format format, const QString &title)
{
    const QSize size = surface->size();
    // A surface squeezed to nothing has no picture; an empty result says so.
    if (size.isEmpty())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (format == Png) {
        // Refused before asking for the memory: a gigabyte is far beyond any screen or print,
        // and an allocator may abort rather than fail on a request of many terabytes.
        constexpr qint64 maxBytes = qint64(1) << 30;
        if (qint64(size.width()) * size.height() * 4 > maxBytes)
            return {};
        QImage image(size, QImage::Format_RGB32);
        // Null when memory cannot hold it: no picture, rather than an empty one.
        if (image.isNull())
            return {};
        // The file states 100 dpi whatever screen the program runs on, so that a window and
        // fourk-export write the same bytes; it is what fourk-export has always written.
        image.setDotsPerMeterX(3937);
        image.setDotsPerMeterY(3937);
        image.fill(Qt::white);
        surface->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        image.save(&buffer, "PNG");
    } else if (format == Svg) {
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(size);
        generator.setViewBox(QRect(QPoint(0, 0), size));
        // At 96 dpi the declared size is W x H CSS pixels, and text comes out at the size the
        // surface gives it on screen and in the PNG.
        generator.setResolution(96);
        generator.setTitle(title);
        QPainter painter(&generator);
        // The plot paints its own white ground over the whole surface; the window's is not wanted.
        surface->render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    }
    return bytes;
}
