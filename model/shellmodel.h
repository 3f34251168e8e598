#pragma once

#include "model/shell.h"

#include <QAbstractTableModel>
#include <QVector>

// The model's shells as a table, for the shell list to show and edit and for the wave to compute
// from: one row a shell; its switch, name, kind, degeneracy, R, Sigma, P0 and P2 a column each.
// Every edit keeps the parameters' ranges; a refused one changes nothing. There is always at
// least one shell and at most Shell::maxCount.
class ShellModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { On, Name, Kind, Degeneracy, R, Sigma, P0, P2, ColumnCount };

    explicit ShellModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    const QVector<Shell> &shells() const { return list; }
    const Shell &shell(int row) const { return list.at(row); }
    // New values for the shells there are, of the same kinds, as one change (a fit's result);
    // ignored for another number of shells.
    void update(const QVector<Shell> &shells);
    // Replaces every shell; ignored unless there are 1 to Shell::maxCount.
    void setShells(const QVector<Shell> &shells);
    // A parameter of one shell, if the value is in its range.
    bool setValue(int row, Parameter::Id id, double v);
    void setEnvelope(int row, const QVector<QPointF> &nodes);
    // Appends the shells if the list has room for all of them.
    bool append(const QVector<Shell> &shells);
    // Removes a shell unless it is the last one.
    bool remove(int row);
    // The column showing a parameter, or -1.
    static int column(Parameter::Id id);
    static Parameter::Id parameter(int column);

private:
    QVector<Shell> list;
};
