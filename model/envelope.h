#pragma once

#include <QObject>
#include <QPointF>
#include <QVector>

class ChCoord;
class MouseC;

// The amplitude envelope F(k): a polyline through control nodes that the user drags on the
// chi(k) plot. Between nodes it interpolates linearly; beyond the first and last node it goes on
// along the end segments. Nodes keep their list order even when a drag moves one past another.
class Envelope : public QObject
{
    Q_OBJECT

public:
    explicit Envelope(QObject *parent = nullptr);

    double envelopeValue(double k) const;
    // F(k) of any list of nodes; 1 without nodes.
    static double valueAt(const QVector<QPointF> &nodes, double k);
    QPointF node(int i) const;

    // Driven by the chi(k) surface's mouse relay; they read its latest position through mouse
    // and map it with coord, and do nothing until both are bound.
    void pickNode();
    void dragNode();
    void dropNode();

    QPointF spareNode;
    QVector<QPointF> nodes;
    MouseC *mouse = nullptr;
    ChCoord *coord = nullptr;
    // The plot's value of F = 1: a plot in other units draws F scaled by it.
    double scale = 1.0;
    bool dragging = false;
    int picked = -1;

signals:
    void updated();

public slots:
    void enFlat();
};
