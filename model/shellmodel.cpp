#include "shellmodel.h"

#include "model/scenario.h"

#include <QLocale>

ShellModel::ShellModel(QObject *parent)
    : QAbstractTableModel(parent)
{
    list.append(Shell::drawn(Scenario::shellName(1)));
}

int ShellModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : list.size();
}

int ShellModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

int ShellModel::column(Parameter::Id id)
{
    switch (id) {
    case Parameter::Degeneracy:
        return Degeneracy;
    case Parameter::R:
        return R;
    case Parameter::Sigma:
        return Sigma;
    case Parameter::P0:
        return P0;
    case Parameter::P2:
        return P2;
    default:
        return -1;
    }
}

Parameter::Id ShellModel::parameter(int column)
{
    switch (column) {
    case R:
        return Parameter::R;
    case Sigma:
        return Parameter::Sigma;
    case P0:
        return Parameter::P0;
    case P2:
        return Parameter::P2;
    default:
        return Parameter::Degeneracy;
    }
}

QVariant ShellModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= list.size())
        return QVariant();
    const Shell &s = list.at(index.row());
    const int c = index.column();
    if (c == On)
        return role == Qt::CheckStateRole ? QVariant(s.on ? Qt::Checked : Qt::Unchecked)
                                          : QVariant();
    if (role == Qt::TextAlignmentRole && c >= Degeneracy)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (c == Name)
        return role == Qt::DisplayRole || role == Qt::EditRole ? QVariant(s.name) : QVariant();
    if (c == Kind) {
        if (role == Qt::DisplayRole)
            return s.kind() == Shell::Drawn ? tr("drawn") : tr("FEFF path");
        if (role == Qt::ToolTipRole && s.kind() == Shell::Path)
            return tr("%1: %2 legs, degeneracy %3, reff %4 Å, %5 rows")
                .arg(s.path.file)
                .arg(s.path.legs)
                .arg(Parameter::text(s.path.degeneracy), Parameter::text(s.path.reff))
                .arg(s.path.rows());
        return QVariant();
    }
    const double v = s.value(parameter(c));
    if (role == Qt::DisplayRole)
        return Parameter::text(v);
    // The editor starts from the exact value, not the shortened one.
    if (role == Qt::EditRole)
        return QString::number(v, 'g', QLocale::FloatingPointShortest);
    if (role == Qt::ToolTipRole)
        return tr("%1, exactly %2")
            .arg(Parameter::of(parameter(c)).accepted(),
                 QString::number(v, 'g', QLocale::FloatingPointShortest));
    return QVariant();
}

bool ShellModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.row() >= list.size())
        return false;
    Shell &s = list[index.row()];
    const int c = index.column();
    if (c == On) {
        if (role != Qt::CheckStateRole)
            return false;
        const bool on = value.toInt() == Qt::Checked;
        if (on == s.on)
            return true;
        s.on = on;
        emit dataChanged(index, index, { Qt::CheckStateRole });
        return true;
    }
    if (role != Qt::EditRole)
        return false;
    if (c == Name) {
        const QString name = value.toString().trimmed();
        if (name.isEmpty())
            return false;
        if (name != s.name) {
            s.name = name;
            emit dataChanged(index, index);
        }
        return true;
    }
    if (c < Degeneracy)
        return false;
    double v;
    bool ok = false;
    if (value.userType() == QMetaType::Double) {
        v = value.toDouble();
        ok = true;
    } else {
        ok = Parameter::parse(value.toString(), &v);
    }
    return ok && setValue(index.row(), parameter(c), v);
}

Qt::ItemFlags ShellModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == On)
        f |= Qt::ItemIsUserCheckable;
    else if (index.column() != Kind)
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant ShellModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical)
        return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
    if (role == Qt::DisplayRole) {
        switch (section) {
        case On:
            return tr("On");
        case Name:
            return tr("Name");
        case Kind:
            return tr("Kind");
        case Degeneracy:
            return tr("N");
        case R:
            return tr("R (Å)");
        case Sigma:
            return tr("Sigma (Å)");
        case P0:
            return tr("P0");
        case P2:
            return tr("P2 (Å²)");
        default:
            return QVariant();
        }
    }
    if (role == Qt::ToolTipRole) {
        switch (section) {
        case On:
            return tr("Whether the shell is part of the sum");
        case Name:
            return tr("The shell's name; double-click to change it");
        case Kind:
            return tr("A drawn shell takes its amplitude from its envelope F(k), a FEFF path from "
                      "its file");
        case Degeneracy:
            return tr("The number of equal neighbours or paths, N");
        case R:
            return tr("The distance of the shell");
        case Sigma:
            return tr("The Debye-Waller factor: the damping exp(-2 Sigma² k²)");
        case P0:
            return tr("A constant added to the phase");
        case P2:
            return tr("A term P2 k² added to the phase");
        default:
            return QVariant();
        }
    }
    return QVariant();
}

void ShellModel::setShells(const QVector<Shell> &shells)
{
    if (shells.isEmpty() || shells.size() > Shell::maxCount)
        return;
    beginResetModel();
    list = shells;
    endResetModel();
}

void ShellModel::update(const QVector<Shell> &shells)
{
    if (shells.size() != list.size())
        return;
    list = shells;
    emit dataChanged(index(0, 0), index(list.size() - 1, ColumnCount - 1));
}

bool ShellModel::setValue(int row, Parameter::Id id, double v)
{
    const int c = column(id);
    if (row < 0 || row >= list.size() || c < 0 || !Parameter::of(id).isValid(v))
        return false;
    if (list.at(row).value(id) == v)
        return true;
    list[row].setValue(id, v);
    emit dataChanged(index(row, c), index(row, c));
    return true;
}

void ShellModel::setEnvelope(int row, const QVector<QPointF> &nodes)
{
    if (row < 0 || row >= list.size() || list.at(row).kind() != Shell::Drawn)
        return;
    list[row].envelope = nodes;
    emit dataChanged(index(row, Kind), index(row, Kind));
}

bool ShellModel::append(const QVector<Shell> &shells)
{
    if (shells.isEmpty() || list.size() + shells.size() > Shell::maxCount)
        return false;
    beginInsertRows(QModelIndex(), list.size(), list.size() + shells.size() - 1);
    list += shells;
    endInsertRows();
    return true;
}

bool ShellModel::remove(int row)
{
    if (row < 0 || row >= list.size() || list.size() <= 1)
        return false;
    beginRemoveRows(QModelIndex(), row, row);
    list.removeAt(row);
    endRemoveRows();
    return true;
}
