#pragma once

#include <QFileDialog>
#include <QObject>
#include <QString>
#include <QStringList>

class QWidget;

// The file dialogs of both windows. They open in the folder of the last file chosen in this
// session; a name typed without a suffix gets the one of the chosen filter.
class FileChooser : public QObject
{
    Q_OBJECT

public:
    explicit FileChooser(QObject *parent = nullptr);

    // The chosen path, or an empty string when the user cancels.
    QString openPath(QWidget *parent, const QString &title, const QStringList &filters);
    QString savePath(QWidget *parent, const QString &title, const QStringList &filters);
    // Several existing files at once; none when the user cancels.
    QStringList openPaths(QWidget *parent, const QString &title, const QStringList &filters);

    QString folder;

private slots:
    void matchSuffix(const QString &filter);

private:
    QStringList choose(QWidget *parent, const QString &title, const QStringList &filters,
                       QFileDialog::FileMode mode);
};
