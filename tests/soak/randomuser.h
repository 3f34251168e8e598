#pragma once

#include <QPointF>
#include <QSize>
#include <QString>
#include <QVector>

#include <functional>
#include <random>

class ChiK;
class ChiR;
class DispArea;
class QAbstractButton;
class QLineEdit;
class QSlider;
class QWidget;

// A user who does anything the windows let them do, drawn from a seeded generator: slider moves
// by value, keys and mouse, switches, "Flat", any text in the fields, presses, drags, wheel turns
// and double clicks anywhere on and far off both plots, resizes down to a pixel, closing the
// chi(R) window. The same seed gives the same actions on the same build.
class RandomUser
{
public:
    struct Action
    {
        QString description;
        std::function<void()> perform;
    };

    RandomUser(ChiK *window, unsigned seed);

    // Chooses the next action and its arguments; nothing happens until perform() is called.
    Action next();

private:
    using Builder = Action (RandomUser::*)();

    int uniform(int lo, int hi);
    double real(double lo, double hi);
    bool chance(double p);
    template<typename T>
    const T &pick(const QVector<T> &items)
    {
        return items[uniform(0, items.size() - 1)];
    }

    Action sliderValue();
    Action sliderKey();
    Action sliderMouse();
    Action factorSwitch();
    Action selector();
    Action flat();
    Action typeEdge();
    Action typeElsewhere();
    Action dragOnChiK();
    Action dragOnChiR();
    Action strayMouse();
    Action wheel();
    Action doubleClick();
    Action tabKey();
    Action activate();
    Action resizeWindow();
    Action resizeSurface();
    Action closeChiR();

    Action type(QLineEdit *field, const QString &name);
    // Text of every kind a user may type into a number field.
    QString fieldText();
    Action drag(DispArea *surface, const QString &name, const std::function<QPointF()> &target);
    QPointF chiKTarget();
    QPointF chiRTarget();
    QPointF anywhere(DispArea *surface);
    Qt::MouseButton button();
    Qt::KeyboardModifiers modifiers();
    QSize windowSize();

    std::mt19937 rng;
    ChiK *window;
    ChiR *chiR;
    DispArea *kSurface;
    DispArea *rSurface;
    QVector<QSlider *> sliders;
    QVector<QAbstractButton *> factors;
    QVector<QAbstractButton *> selectors;
    QVector<QLineEdit *> edgeFields;
    QVector<QLineEdit *> otherFields;
    QVector<QWidget *> focusTargets;
    QVector<std::pair<int, Builder>> builders;
    int totalWeight = 0;
};
