#include "shellpanel.h"

#include "model/awave.h"
#include "model/scenario.h"
#include "model/shellmodel.h"
#include "panels/parameter.h"
#include "panels/parameterfield.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QSignalBlocker>

ShellPanel::ShellPanel(AWave *wave, QWidget *parent)
    : QFrame(parent)
    , wave(wave)
{
    setupUi(this);
    s02 = new ParameterField(S02Val, Parameter::of(Parameter::S02));
    e0 = new ParameterField(E0Val, Parameter::of(Parameter::E0));
    ShellTable->setModel(wave->shells);
    // Sized to their contents when shells come and go, not at every slider step: sizing every
    // cell again would cost more than the step itself.
    QHeaderView *header = ShellTable->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setStretchLastSection(true);
    ShellTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    ShellTable->verticalHeader()->setToolTip(tr("Click a row to edit its shell with the sliders"));
    ShellTable->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    ShellTable->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                | QAbstractItemView::AnyKeyPressed);

    connect(AddShell, SIGNAL(clicked()), this, SLOT(addShell()));
    connect(RemoveShell, SIGNAL(clicked()), this, SLOT(removeShell()));
    connect(ShowShells, SIGNAL(toggled(bool)), this, SIGNAL(shellCurvesChanged()));
    connect(ShellTable->selectionModel(), SIGNAL(currentRowChanged(QModelIndex, QModelIndex)), this,
            SLOT(rowChosen(QModelIndex)));
    // After a new list the view has no current row; it gets the wave's again.
    connect(wave->shells, SIGNAL(modelReset()), this, SLOT(follow()));
    connect(wave->shells, SIGNAL(rowsRemoved(QModelIndex, int, int)), this, SLOT(follow()));
    connect(wave->shells, SIGNAL(rowsInserted(QModelIndex, int, int)), this, SLOT(follow()));
    connect(s02, SIGNAL(valueChanged(double)), this, SLOT(s02Typed(double)));
    connect(e0, SIGNAL(valueChanged(double)), this, SLOT(e0Typed(double)));
    connect(ScaleBox, SIGNAL(activated(int)), this, SLOT(scaleChosen(int)));
    follow();
}

bool ShellPanel::shellCurves() const
{
    return ShowShells->isChecked();
}

void ShellPanel::setShellCurves(bool on)
{
    ShowShells->setChecked(on);
}

void ShellPanel::follow()
{
    const ChiCalculator::Settings &s = wave->settings();
    s02->setValue(s.s02);
    e0->setValue(s.e0);
    {
        const QSignalBlocker quiet(ScaleBox);
        ScaleBox->setCurrentIndex(s.scale);
    }
    const QModelIndex row = wave->shells->index(wave->currentShell(), ShellModel::Name);
    if (ShellTable->currentIndex().row() != row.row())
        ShellTable->setCurrentIndex(row);
    ShellTable->resizeColumnsToContents();
    RemoveShell->setEnabled(wave->shells->rowCount() > 1);
    AddShell->setEnabled(wave->shells->rowCount() < Shell::maxCount);
    AddPaths->setEnabled(wave->shells->rowCount() < Shell::maxCount);
}

void ShellPanel::addShell()
{
    ShellModel *shells = wave->shells;
    if (!shells->append({ Shell::drawn(Scenario::shellName(shells->rowCount() + 1)) }))
        return;
    ShellTable->setCurrentIndex(shells->index(shells->rowCount() - 1, ShellModel::Name));
    follow();
}

void ShellPanel::removeShell()
{
    const int row = ShellTable->currentIndex().isValid() ? ShellTable->currentIndex().row()
                                                         : wave->currentShell();
    wave->shells->remove(row);
    follow();
}

void ShellPanel::rowChosen(const QModelIndex &current)
{
    if (current.isValid())
        wave->setCurrentShell(current.row());
}

void ShellPanel::s02Typed(double v)
{
    wave->setS02(v);
}

void ShellPanel::e0Typed(double v)
{
    wave->setE0(v);
}

void ShellPanel::scaleChosen(int index)
{
    wave->setScale(index == 1 ? ChiArrays::Absolute : ChiArrays::Normalised);
}
