#pragma once

#include <QString>
#include <QVector>

// Round numbers for an axis: a step of 1, 2 or 5 times a power of ten that splits a range into
// about as many parts as asked, the range widened to whole steps, and the values between.
class AxisTicks
{
public:
    // For lo … hi (either order; an empty or non-finite range gives -1 … 1) and at most about
    // parts parts.
    AxisTicks(double lo, double hi, int parts = 5);

    double step() const { return stepSize; }
    double first() const { return low; }
    double last() const { return high; }
    QVector<double> values() const;
    // A tick's label with as many decimals as the step needs ("0.25", "-10", "2e-05").
    QString label(double v) const;

private:
    double stepSize = 1.0;
    double low = -1.0;
    double high = 1.0;
};
