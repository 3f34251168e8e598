#include "chir.h"

#include "app/filedrop.h"
#include "model/awave.h"
#include "model/scenario.h"
#include "panels/parameterfield.h"
#include "plot/chcoord.h"
#include "plot/disparea.h"
#include "plot/mousec.h"

#include <QDropEvent>

#include <cmath>
#include <utility>

ChiR::ChiR(QWidget *parent)
    : QMainWindow(parent)
{
    setupUi(this);
    // The surface paints every pixel it is asked for, so Qt need not paint the window beneath it.
    DispA->setAttribute(Qt::WA_OpaquePaintEvent);
    mouseRelay = &DispA->mouseRelay;
    coord = &DispA->coord;
    pointerField = new ParameterField(PointVal, Parameter::of(Parameter::Pointer));
    pointerField->setValue(pointerR);
    connect(pointerField, SIGNAL(valueChanged(double)), this, SLOT(pointerTyped(double)));
    for (QAbstractButton *part : { SelReal, SelImag, SelAbs })
        connect(part, SIGNAL(toggled(bool)), this, SLOT(showReadout()));
    // Room for the widest read-out: a label of fixed size changes its text at every step without
    // laying the window out again.
    const QString widest = QStringLiteral("-8.888e-308");
    PointRead->setFixedSize(PointRead->fontMetrics()
                                .boundingRect(tr("R %1").arg(QStringLiteral("-8.88888e-308"))
                                              + tr("   |chi(R)| %1").arg(widest)
                                              + tr("   Re %1").arg(widest)
                                              + tr("   Im %1").arg(widest))
                                .size()
                            + QSize(4, 2));

    connect(mouseRelay, SIGNAL(mMoved()), this, SLOT(mMoved()));
    connect(mouseRelay, SIGNAL(mPressed()), this, SLOT(mPressed()));
    connect(mouseRelay, SIGNAL(mReleased()), this, SLOT(mReleased()));
    connect(SelAbs, SIGNAL(toggled(bool)), DispA, SLOT(refresh()));
    connect(SelReal, SIGNAL(toggled(bool)), DispA, SLOT(refresh()));
    connect(SelImag, SIGNAL(toggled(bool)), DispA, SLOT(refresh()));
    connect(DispA, SIGNAL(draw(PlotScene *)), this, SLOT(drawR(PlotScene *)));
    connect(SelEnvelope, SIGNAL(toggled(bool)), DispA, SLOT(refresh()));
    connect(SelWindow, SIGNAL(toggled(bool)), DispA, SLOT(refresh()));
    connect(SelWave, SIGNAL(toggled(bool)), DispA, SLOT(refresh()));
    connect(SelTotal, SIGNAL(toggled(bool)), DispA, SLOT(refresh()));
    connect(SelData, SIGNAL(toggled(bool)), DispA, SLOT(refresh()));
    connect(SelShells, SIGNAL(toggled(bool)), DispA, SLOT(refresh()));
    for (QAbstractButton *selector : selectors())
        connect(selector, SIGNAL(toggled(bool)), this, SIGNAL(changed()));
    SelData->hide();
    setAcceptDrops(true);
}

// The waves belong to the main window.
ChiR::~ChiR() = default;

void ChiR::mPressed()
{
    // Any button grabs the line when it is pressed closer than 10 pixels to it.
    dragging = false;
    const double d = coord->xToPixel(pointerR) - mouseRelay->curPos.x();
    if (d * d < 100.0)
        dragging = true;
    // Else an end of the fit's R range, the nearer one, by the same rule.
    rangeEnd = -1;
    if (dragging || !showsRange())
        return;
    const FitSettings &fit = waveList->constFirst()->fitSettings();
    double best = 100.0;
    for (int end = 0; end < 2; ++end) {
        const double e = coord->xToPixel(end == 0 ? fit.rMin : fit.rMax) - mouseRelay->curPos.x();
        if (e * e < best) {
            best = e * e;
            rangeEnd = end;
        }
    }
}

void ChiR::mMoved()
{
    if (rangeEnd >= 0 && waveList && !waveList->isEmpty()) {
        AWave *wave = waveList->constFirst();
        FitSettings fit = wave->fitSettings();
        const Parameter &rule = Parameter::of(Parameter::R);
        const double r = qBound(rule.lo, coord->pixelToX(mouseRelay->curPos.x()), rule.hi);
        (rangeEnd == 0 ? fit.rMin : fit.rMax) = r;
        // Dragged past the other end, it becomes that end.
        if (fit.rMin > fit.rMax) {
            std::swap(fit.rMin, fit.rMax);
            rangeEnd = 1 - rangeEnd;
        }
        if (std::isfinite(r) && fit.rMin < fit.rMax)
            wave->setFitSettings(fit);
        return;
    }
    if (!dragging)
        return;
    // Not clamped: a drag off the surface reads out R beyond the plotted range.
    const double r = coord->pixelToX(mouseRelay->curPos.x());
    if (!std::isfinite(r))
        return;
    setPointer(r);
    dragging = true;
}

void ChiR::mReleased()
{
    dragging = false;
    rangeEnd = -1;
}

QVector<QAbstractButton *> ChiR::selectors() const
{
    return {
        SelReal, SelImag, SelAbs, SelEnvelope, SelWindow, SelWave, SelTotal, SelData, SelShells
    };
}

QStringList ChiR::shown() const
{
    QStringList names;
    const QVector<QAbstractButton *> buttons = selectors();
    for (int i = 0; i < buttons.size(); ++i) {
        if (buttons.at(i)->isChecked())
            names.append(Scenario::selectorNames().at(i));
    }
    return names;
}

void ChiR::setShown(const QStringList &names)
{
    const QVector<QAbstractButton *> buttons = selectors();
    for (int i = 0; i < buttons.size(); ++i)
        buttons.at(i)->setChecked(names.contains(Scenario::selectorNames().at(i)));
}

void ChiR::offerData(bool loaded)
{
    SelData->setVisible(loaded);
}

void ChiR::setPointer(double r)
{
    dragging = false;
    if (!pointerField->setValue(r))
        return;
    pointerTyped(r);
}

void ChiR::pointerTyped(double r)
{
    pointerR = r;
    showReadout();
    DispA->refresh();
    emit changed();
}

void ChiR::showReadout()
{
    QString text = tr("R %1").arg(Parameter::text(pointerR));
    const AWave *wave = waveList && !waveList->isEmpty() ? waveList->constFirst() : nullptr;
    const double dR = wave ? wave->binSpacing() : 0.0;
    const double at = dR > 0.0 && std::isfinite(dR) ? pointerR / dR : -1.0;
    // The pointer takes any finite R; past the last bin there is nothing to read off.
    const int j = at >= 0.0 && at < wave->chi.size() - 1 ? int(at) : -1;
    // Between the two bins the line joins, as the plot draws the total.
    if (j >= 0 && j + 1 < wave->chi.size() && int(wave->ftChi.size()) >= wave->count) {
        const double *total = wave->ftChi.data();
        const double t = at - j;
        const auto value = [&](double (ChiArrays::*part)(const double *, int) const) {
            const double v = (1.0 - t) * (wave->*part)(total, j) + t * (wave->*part)(total, j + 1);
            // Four digits, as many as a reading off the plot can use; no trailing zeros.
            return QString::number(v, 'g', 4);
        };
        if (SelAbs->isChecked())
            text += tr("   |chi(R)| %1").arg(value(&ChiArrays::ftAbs));
        if (SelReal->isChecked())
            text += tr("   Re %1").arg(value(&ChiArrays::ftRe));
        if (SelImag->isChecked())
            text += tr("   Im %1").arg(value(&ChiArrays::ftIm));
    }
    PointRead->setText(text);
}

bool ChiR::showsRange() const
{
    if (!waveList || waveList->isEmpty())
        return false;
    const AWave *wave = waveList->constFirst();
    const FitSettings &fit = wave->fitSettings();
    return wave->hasMeasured() && fit.space == FitSettings::RSpace && !fit.vary.isEmpty();
}

QColor ChiR::bandColour()
{
    return QColor(255, 200, 60, 60);
}

void ChiR::dragEnterEvent(QDragEnterEvent *event)
{
    if (!FileDrop::localFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void ChiR::dropEvent(QDropEvent *event)
{
    const QStringList paths = FileDrop::localFiles(event->mimeData());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    emit filesDropped(paths);
}
