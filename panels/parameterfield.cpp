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
    line->setText(format(exact));
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
    line->setText(format(v));
    return true;
}

QString ParameterField::format(double v)
{
    // Where 6 digits read back as v, the shortest text has no more of them.
    const QString six = QString::number(v, 'g', 6);
    return six.toDouble() == v ? QString::number(v, 'g', QLocale::FloatingPointShortest) : six;
}

bool ParameterField::parse(const QString &text, double *v)
{
    // Without group separators: in some locales "2,5" would otherwise read as 25.
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    QLocale user;
    user.setNumberOptions(user.numberOptions() | QLocale::RejectGroupSeparator);
    bool ok = false;
    const QString t = text.trimmed();
    double read = c.toDouble(t, &ok);
    if (!ok)
        read = user.toDouble(t, &ok);
    if (ok)
        *v = read;
    return ok;
}

void ParameterField::finished()
{
    // Qt 5 reports both Return and the focus loss after it; only an edit counts.
    if (!line->isModified())
        return;
    line->setModified(false);
    const QString text = line->text().trimmed();
    double v = 0;
    if (text == format(exact)) {
        // Typed back as shown: the exact value stays.
    } else if (!parse(text, &v) || !accepts.isValid(v)) {
        line->setText(format(exact));
        const QString message = tr("\"%1\" is not %2.").arg(text, accepts.accepted());
        if (line->isVisible())
            QToolTip::showText(line->mapToGlobal(QPoint(0, line->height())), message, line);
        emit refused(message);
        return;
    } else if (v != exact) {
        exact = v;
        line->setText(format(v));
        emit valueChanged(v);
        return;
    }
    line->setText(format(exact));
}
