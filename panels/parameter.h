#pragma once

#include <QCoreApplication>
#include <QString>

// The numbers a user sets, each with its range, its slider's scale and its value at start-up: the
// one table that the panel, the model, the shell list, scenarios and fourk-export's options read.
class Parameter
{
    Q_DECLARE_TR_FUNCTIONS(Parameter)

public:
    enum Id { N, R, P0, P2, Sigma, Degeneracy, S02, E0, Pointer, Edge };

    static const Parameter &of(Id id);

    // True for a finite value inside the range (and whole, where it must be).
    bool isValid(double v) const;
    // What a value must be, for messages: "a number from 0 to 10".
    QString accepted() const;

    // The slider position nearest to v, inside the slider's range; NaN goes to the lowest.
    int sliderPosition(double v) const;
    // The value of a slider position: position / scale, so that position 3 of R is the double
    // nearest 0.3.
    double fromSlider(int position) const;
    int sliderMinimum() const;
    int sliderMaximum() const;

    // A value as a read-out shows it: the shortest text that reads back to the same double, or
    // 6 significant digits where that would be longer.
    static QString text(double v);
    // Typed text as a number, in the C locale or the user's; false for anything else.
    static bool parse(const QString &text, double *v);

    Id id;
    // The scenario key and fourk-export's option name.
    const char *key;
    double lo;
    double hi;
    // Slider positions per unit; 0 where no slider shows the value.
    double scale;
    double initial;
    bool whole;
};
