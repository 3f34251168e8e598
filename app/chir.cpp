#include "chir.h"

#include "plot/chcoord.h"
#include "plot/disparea.h"
#include "plot/mousec.h"

ChiR::ChiR(QWidget *parent)
    : QMainWindow(parent)
{
    setupUi(this);
    mouseRelay = &DispA->mouseRelay;
    coord = &DispA->coord;
    PointVal->setText(QString::number(pointerR, 'g', 6));

    connect(mouseRelay, SIGNAL(mMoved()), this, SLOT(mMoved()));
    connect(mouseRelay, SIGNAL(mPressed()), this, SLOT(mPressed()));
    connect(mouseRelay, SIGNAL(mReleased()), this, SLOT(mReleased()));
    connect(SelAbs, SIGNAL(toggled(bool)), DispA, SLOT(update()));
    connect(SelReal, SIGNAL(toggled(bool)), DispA, SLOT(update()));
    connect(SelImag, SIGNAL(toggled(bool)), DispA, SLOT(update()));
    connect(DispA, SIGNAL(draw(QPainter *)), this, SLOT(drawR(QPainter *)));
    connect(SelEnvelope, SIGNAL(toggled(bool)), DispA, SLOT(update()));
    connect(SelWindow, SIGNAL(toggled(bool)), DispA, SLOT(update()));
    connect(SelWave, SIGNAL(toggled(bool)), DispA, SLOT(update()));
    connect(SelTotal, SIGNAL(toggled(bool)), DispA, SLOT(update()));
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
}

void ChiR::mMoved()
{
    if (!dragging)
        return;
    // Not clamped: a drag off the surface reads out R beyond the plotted range.
    pointerR = coord->pixelToX(mouseRelay->curPos.x());
    PointVal->setText(QString::number(pointerR, 'g', 6));
    DispA->update();
}

void ChiR::mReleased()
{
    dragging = false;
}
