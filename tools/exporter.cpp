#include "exporter.h"

#include "app/chik.h"
#include "app/chir.h"
#include "model/awave.h"
#include "model/envelope.h"
#include "panels/wavectrl.h"
#include "panels/windowfunc.h"
#include "plot/disparea.h"
#include "tools/csvtables.h"
#include "tools/exportoptions.h"

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QSlider>
#include <QSvgGenerator>

#include <algorithm>

namespace {

// --show names and the chi(R) window's selectors they switch.
const QVector<QPair<QString, QString>> &selectorObjects()
{
    static const QVector<QPair<QString, QString>> objects {
        { "real", "SelReal" },  { "imag", "SelImag" }, { "abs", "SelAbs" },
        { "F", "SelEnvelope" }, { "W", "SelWindow" },  { "wave", "SelWave" },
        { "total", "SelTotal" }
    };
    return objects;
}

} // namespace

Exporter::Exporter()
    : window(new ChiK)
{
    // Shown (offscreen) before the first paint, as the program shows it: the chi(k) plot shows
    // both windows while it paints, which must not lay them out in the middle of a frame.
    window->show();
    QCoreApplication::processEvents();
}

AWave *Exporter::wave() const
{
    return window->waves.constFirst();
}

DispArea *Exporter::surface(Plot plot) const
{
    return plot == ChiKPlot ? window->findChild<DispArea *>(QStringLiteral("DispA"))
                            : window->chiR->DispA;
}

void Exporter::apply(const ExportOptions &o)
{
    AWave *w = wave();
    WaveCtrl *panel = w->ctrl;

    // n has a slider step for every value: moved like the user moves it. The other four take
    // values between steps, so they travel the path a slider step takes from the panel on: the
    // panel's signal, which the wave receives as it always does.
    panel->NBar->setValue(o.n);
    emit panel->newR(o.r);
    emit panel->newPhi0(o.p0);
    emit panel->newPhi2(o.p2);
    emit panel->newSig(o.sigma);

    setWindowEdges(o.window);

    // The envelope reports its own edits this way, after changing its nodes. Always sent: QPointF
    // compares fuzzily, so a slightly different node could pass for the old one.
    w->envelope->nodes = o.envelope;
    emit w->envelope->updated();

    panel->SelEnvelope->setChecked(o.useEnvelope);
    panel->SelWindowF->setChecked(o.useWindow);
    panel->SelDebye->setChecked(o.useDebye);
    panel->doPM->setChecked(o.pm);

    setSelectors(o.show);
    ChiR *chiR = window->chiR;
    chiR->pointerR = o.pointer;
    // The read-out as a drag would leave it.
    chiR->findChild<QLineEdit *>(QStringLiteral("PointVal"))
        ->setText(QString::number(o.pointer, 'g', 6));
}

void Exporter::setWindowEdges(const QVector<double> &edges)
{
    QVector<double> target = edges;
    std::sort(target.begin(), target.end());
    WaveCtrl *panel = wave()->ctrl;
    const QVector<double> &positions = panel->WindowCtrl->positions;
    if (positions == target)
        return;

    // The panel re-sorts after every edge it takes, so the edges are moved in an order that
    // keeps each one where it is put: first all four down to a value no higher than any old or
    // new edge (the highest edge each time, which then sorts to the front), then the new edges
    // from the highest down.
    const double low = std::min(target.constFirst(), positions.constFirst());
    for (int i = 0; i < 4; ++i)
        panel->setWindowPos(3, low);
    for (int i = 3; i >= 0; --i)
        panel->setWindowPos(i, target.at(i));
}

void Exporter::setSelectors(const QStringList &on)
{
    for (const auto &selector : selectorObjects()) {
        auto *button = window->chiR->findChild<QRadioButton *>(selector.second);
        button->setChecked(on.contains(selector.first));
    }
}

QByteArray Exporter::chiKTable() const
{
    return CsvTables::chiK(*wave());
}

QByteArray Exporter::chiRTable() const
{
    return CsvTables::chiR(*wave());
}

void Exporter::sizeSurface(Plot plot, const QSize &size) const
{
    // Only the surface takes the size: the plots are drawn to the surface's own rectangle.
    surface(plot)->resize(size);
}

QImage Exporter::image(Plot plot, const QSize &size) const
{
    sizeSurface(plot, size);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    surface(plot)->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

QByteArray Exporter::png(Plot plot, const QSize &size) const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image(plot, size).save(&buffer, "PNG");
    return bytes;
}

QByteArray Exporter::svg(Plot plot, const QSize &size) const
{
    sizeSurface(plot, size);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    // At 96 dpi the declared size is W x H CSS pixels, and text comes out at the size the
    // surface gives it on screen and in the PNG.
    generator.setResolution(96);
    generator.setTitle(plot == ChiKPlot ? QStringLiteral("chi(k)") : QStringLiteral("Chi(R)"));
    QPainter painter(&generator);
    // The plot paints its own white ground over the whole surface; the window's is not wanted.
    surface(plot)->render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    painter.end();
    return bytes;
}
