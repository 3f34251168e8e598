#pragma once

#include "panels/parameter.h"

#include <QObject>
#include <QString>

class QLineEdit;

// A text field bound to one parameter's rule. It holds the exact value and shows it with the
// digits it needs; on Return or when the field is left it takes typed text (in the C locale or
// the user's) that the rule accepts and announces the change once. Anything else puts the shown
// value back and says why. Leaving the field with its text untouched keeps the exact value, even
// one that the shown digits only round. The field is the binding's parent.
class ParameterField : public QObject
{
    Q_OBJECT

public:
    explicit ParameterField(QLineEdit *edit, const Parameter &rule);

    double value() const { return exact; }
    // Holds and shows v, announcing nothing; false, and nothing changes, unless the rule takes v.
    bool setValue(double v);
    const Parameter &rule() const { return accepts; }
    QLineEdit *edit() const { return line; }

signals:
    // A typed value the rule accepts and that differs from the one held.
    void valueChanged(double v);
    // Typed text that was not taken; the message names it and what would be.
    void refused(const QString &message);

private slots:
    void finished();

private:
    QLineEdit *line;
    Parameter accepts;
    double exact;
};
