#pragma once

#include "ui_columnsdialog.h"

#include <QDialog>
#include <QString>

// Asks which columns of a measured chi(k) file hold k and chi, showing the file's first lines.
class ColumnsDialog : public QDialog, private Ui_ColumnsDialog
{
    Q_OBJECT

public:
    explicit ColumnsDialog(const QString &path, int kColumn, int chiColumn,
                           QWidget *parent = nullptr);

    // False when not even the first lines could be read: the file's reader then says why.
    bool hasPreview() const { return previewRead; }
    QString path() const { return file; }
    int kColumn() const { return KColumn->value(); }
    int chiColumn() const { return ChiColumn->value(); }

private:
    QString file;
    bool previewRead = false;
};
