#include "fitpanel.h"

#include "model/awave.h"
#include "model/shellmodel.h"
#include "panels/parameter.h"
#include "panels/parameterfield.h"

#include <QHeaderView>
#include <QSignalBlocker>

#include <cmath>

namespace {

constexpr int nameRole = Qt::UserRole;

QString title(Parameter::Id id)
{
    switch (id) {
    case Parameter::S02:
        return FitPanel::tr("S0²");
    case Parameter::E0:
        return FitPanel::tr("ΔE0 (eV)");
    case Parameter::Degeneracy:
        return FitPanel::tr("N");
    case Parameter::R:
        return FitPanel::tr("R (Å)");
    case Parameter::Sigma:
        return FitPanel::tr("Sigma (Å)");
    case Parameter::P0:
        return FitPanel::tr("P0");
    default:
        return FitPanel::tr("P2 (Å²)");
    }
}

} // namespace

FitPanel::FitPanel(AWave *wave, QWidget *parent)
    : QFrame(parent)
    , wave(wave)
{
    setupUi(this);
    rMin = new ParameterField(RMinVal, Parameter::of(Parameter::R));
    rMax = new ParameterField(RMaxVal, Parameter::of(Parameter::R));
    // Sized when the shells change, not at every step (see rebuild()).
    Parameters->header()->setSectionResizeMode(QHeaderView::Interactive);
    connect(Parameters, SIGNAL(itemChanged(QTreeWidgetItem *, int)), this,
            SLOT(itemChanged(QTreeWidgetItem *, int)));
    connect(SpaceBox, SIGNAL(activated(int)), this, SLOT(spaceChosen(int)));
    connect(rMin, SIGNAL(valueChanged(double)), this, SLOT(rangeTyped()));
    connect(rMax, SIGNAL(valueChanged(double)), this, SLOT(rangeTyped()));
    connect(LiveBox, SIGNAL(toggled(bool)), this, SLOT(liveToggled(bool)));
    connect(FitButton, SIGNAL(clicked()), this, SIGNAL(fitRequested()));
    connect(UndoButton, SIGNAL(clicked()), this, SIGNAL(undoRequested()));
    connect(wave, SIGNAL(updated()), this, SLOT(follow()));
    setUndoable(false);
    follow();
}

QTreeWidgetItem *FitPanel::item(QTreeWidgetItem *parent, const QString &title, const QString &name)
{
    auto *i = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(Parameters);
    i->setText(0, title);
    i->setData(0, nameRole, name);
    i->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    i->setCheckState(0, Qt::Unchecked);
    i->setToolTip(0, tr("Checked, the fit varies %1").arg(title));
    i->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    i->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    items.append(i);
    return i;
}

void FitPanel::rebuild()
{
    const QSignalBlocker quiet(Parameters);
    Parameters->clear();
    items.clear();
    builtFor.clear();
    for (Parameter::Id id : { Parameter::S02, Parameter::E0 })
        item(nullptr, title(id), FitSettings::name(-1, id));
    const QVector<Shell> &shells = wave->shells->shells();
    for (int s = 0; s < shells.size(); ++s) {
        auto *group = new QTreeWidgetItem(Parameters);
        group->setText(0, tr("%1 %2").arg(s + 1).arg(shells.at(s).name));
        group->setFlags(Qt::ItemIsEnabled);
        group->setToolTip(0, tr("The parameters of shell %1 a fit can vary").arg(s + 1));
        for (Parameter::Id id : Shell::parameters())
            item(group, title(id), FitSettings::name(s, id));
        group->setExpanded(true);
        builtFor << shells.at(s).name;
    }
    resized = false;
}

void FitPanel::follow()
{
    QStringList names;
    for (const Shell &s : wave->shells->shells())
        names << s.name;
    if (names != builtFor || items.isEmpty())
        rebuild();
    const FitSettings &f = wave->fitSettings();
    const QSignalBlocker quiet(Parameters);
    filling = true;
    for (QTreeWidgetItem *i : qAsConst(items)) {
        const QString name = i->data(0, nameRole).toString();
        int shell;
        Parameter::Id id;
        if (!FitSettings::parseName(name, wave->shells->rowCount(), &shell, &id))
            continue;
        const double v = shell < 0
                             ? (id == Parameter::S02 ? wave->settings().s02 : wave->settings().e0)
                             : wave->shells->shell(shell).value(id);
        const QString shown = Parameter::text(v);
        if (i->text(1) != shown)
            i->setText(1, shown);
        const Qt::CheckState checked = f.vary.contains(name) ? Qt::Checked : Qt::Unchecked;
        if (i->checkState(0) != checked)
            i->setCheckState(0, checked);
        QString fitted;
        for (const FitReport::Parameter &p : qAsConst(last.parameters)) {
            if (p.name == name)
                fitted = withUncertainty(p.value, p.uncertainty);
        }
        if (i->text(2) != fitted)
            i->setText(2, fitted);
    }
    filling = false;
    if (!resized) {
        for (int c = 0; c < Parameters->columnCount(); ++c)
            Parameters->resizeColumnToContents(c);
        resized = true;
    }
    {
        const QSignalBlocker box(SpaceBox);
        SpaceBox->setCurrentIndex(f.space);
    }
    rMin->setValue(f.rMin);
    rMax->setValue(f.rMax);
    {
        const QSignalBlocker box(LiveBox);
        LiveBox->setChecked(f.live);
    }
}

void FitPanel::itemChanged(QTreeWidgetItem *item, int column)
{
    if (filling || column != 0)
        return;
    const QString name = item->data(0, nameRole).toString();
    if (name.isEmpty())
        return;
    FitSettings f = wave->fitSettings();
    f.vary.removeAll(name);
    if (item->checkState(0) == Qt::Checked)
        f.vary.append(name);
    wave->setFitSettings(f);
}

void FitPanel::spaceChosen(int index)
{
    FitSettings f = wave->fitSettings();
    f.space = FitSettings::Space(index);
    wave->setFitSettings(f);
}

void FitPanel::rangeTyped()
{
    FitSettings f = wave->fitSettings();
    // A range typed upside down is taken the right way round.
    const double a = rMin->value(), b = rMax->value();
    if (a == b) {
        follow();
        return;
    }
    f.rMin = std::min(a, b);
    f.rMax = std::max(a, b);
    wave->setFitSettings(f);
}

void FitPanel::liveToggled(bool on)
{
    FitSettings f = wave->fitSettings();
    f.live = on;
    wave->setFitSettings(f);
}

void FitPanel::setUndoable(bool on)
{
    UndoButton->setEnabled(on);
}

QString FitPanel::withUncertainty(double value, double uncertainty)
{
    if (!(uncertainty > 0) || !std::isfinite(uncertainty))
        return Parameter::text(value);
    // Two significant digits of the uncertainty, and the value to the same place.
    const int decimals = std::max(0, 1 - int(std::floor(std::log10(uncertainty))));
    return tr("%1 ± %2").arg(QString::number(value, 'f', std::min(decimals, 15)),
                             QString::number(uncertainty, 'f', std::min(decimals, 15)));
}

QString FitPanel::reportText(const FitReport &r)
{
    QStringList lines { r.message };
    if (!r.converged)
        return lines.join('\n');
    for (const FitReport::Parameter &p : r.parameters)
        lines << tr("%1 = %2").arg(p.name, withUncertainty(p.value, p.uncertainty));
    for (const FitReport::Correlation &c : r.correlations)
        lines << tr("%1 and %2 correlated: %3")
                     .arg(c.first, c.second, QString::number(c.value, 'f', 2));
    lines << tr("R-factor %1 · N_idp %2 · N_var %3 · %4 evaluations · %5 ms")
                 .arg(QString::number(r.rfactor, 'g', 3),
                      QString::number(r.independentPoints, 'f', 1))
                 .arg(r.variableCount())
                 .arg(r.evaluations)
                 .arg(QString::number(r.seconds * 1000, 'f', 1));
    return lines.join('\n');
}

void FitPanel::showReport(const FitReport &report)
{
    last = report.converged ? report : FitReport();
    resized = false;
    Report->setPlainText(reportText(report));
    follow();
}

void FitPanel::showProblem(const QString &message)
{
    Report->setPlainText(message);
}
