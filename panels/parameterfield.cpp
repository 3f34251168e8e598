#include "parameterfield.h"

#include <QLineEdit>
#include <QLocale>
#include <QPoint>
#include <QToolTip>

ParameterField::ParameterField(QLineEdit *edit, const Parameter &rule)
    : QObject(edit)
    , line(edit)
    , accepts(rule)
    , exact(rule.initial)
{
    line->setReadOnly(false);
    line->setText(Parameter::text(exact));
    const QString how = tr("Type %1, then press Return or leave the field.").arg(rule.accepted());
    const QString what = line->toolTip();
    line->setToolTip(what.isEmpty() ? how : what + '\n' + how);
    connect(line, SIGNAL(editingFinished()), this, SLOT(finished()));
}

bool ParameterField::setValue(double v)
{
    if (!accepts.isValid(v))
        return false;
    exact = v;
    line->setText(Parameter::text(v));
    return true;
}

void ParameterField::finished()
{
    // Qt 5 reports both Return and the focus loss after it; only an edit counts.
    if (!line->isModified())
        return;
    line->setModified(false);
    const QString text = line->text().trimmed();
    double v = 0;
    if (text == Parameter::text(exact)) {
        // Typed back as shown: the exact value stays.
    } else if (!Parameter::parse(text, &v) || !accepts.isValid(v)) {
        line->setText(Parameter::text(exact));
        const QString message = tr("\"%1\" is not %2.").arg(text, accepts.accepted());
        if (line->isVisible())
            QToolTip::showText(line->mapToGlobal(QPoint(0, line->height())), message, line);
        emit refused(message);
        return;
    } else if (v != exact) {
        exact = v;
        line->setText(Parameter::text(v));
        emit valueChanged(v);
        return;
    }
    line->setText(Parameter::text(exact));
}
