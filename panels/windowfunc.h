#pragma once

#include "ui_windowfunc.h"

#include <QFrame>
#include <QStringList>
#include <QVector>

class ChCoord;
class MouseC;
class ParameterField;
class QLineEdit;

// Owns the window W(k) over four ascending edges a <= b <= c <= d, in one of several shapes.
// The edges are edited in four fields or by dragging their handles, the points (edge, 0) of the
// plot whose mouse relay and coordinate system the owner binds to mouse and coord; a drag keeps
// an edge inside that plot's k range.
class WindowFunc : public QFrame, private Ui_WindowFunc
{
    Q_OBJECT

public:
    // Hanning: cosine tapers from a to b and from c to d. KaiserBessel: over a … d with
    // beta = b - a. Welch: parabolic tapers. Parzen: linear tapers. Sine: one sine arch over
    // a … d. Gaussian: centred between a and d, of width b - a.
    enum Shape { Hanning, KaiserBessel, Welch, Parzen, Sine, Gaussian };

    explicit WindowFunc(QWidget *parent = nullptr);
    ~WindowFunc() override;

    // The shapes' names in scenarios and on fourk-export's command line, in the order of Shape.
    static const QStringList &shapeNames();

    double windowValue(double k) const;
    // All four edges at once, in any order; ignored unless all four are finite.
    void setPositions(const QVector<double> &edges);
    Shape shape() const { return current; }
    // Announces updated() only when the shape changes; a value outside Shape is ignored.
    void setShape(Shape s);

    MouseC *mouse = nullptr;
    ChCoord *coord = nullptr;
    bool dragging = false;
    int picked = -1;
    QVector<double> positions;
    QVector<QLineEdit *> posEdits;
    double riseFactor = 0;
    double fallFactor = 0;

signals:
    void updated();

private slots:
    void typed(double p);
    void shapeChosen(int index);

public slots:
    void setPos(int i, double p);
    void mMoved();
    void mPressed();
    void mReleased();

private:
    // After the sorted edges or the shape changed: what the shapes keep of the edges, the fields,
    // and the signal.
    void changed();
    double kaiser(double k) const;

    QVector<ParameterField *> fields;
    Shape current = Hanning;
    // Kept from the edges: the Gaussian's centre and width, Kaiser-Bessel's beta and its
    // denominator (see kaiser()).
    double middle = 0;
    double width = 0;
    double beta = 0;
    double kaiserScale = 1;
};
