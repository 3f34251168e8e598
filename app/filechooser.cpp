#include "filechooser.h"

#include <QDir>
#include <QFileDialog>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

// "PNG images (*.png)" gives "png"; a filter for every file gives nothing.
QString suffixOf(const QString &filter)
{
    static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
    return pattern.match(filter).captured(1);
}

} // namespace

FileChooser::FileChooser(QObject *parent)
    : QObject(parent)
    , folder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
{
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
}

QString FileChooser::openPath(QWidget *parent, const QString &title, const QStringList &filters)
{
    return choose(parent, title, filters, QFileDialog::ExistingFile).value(0);
}

QStringList FileChooser::openPaths(QWidget *parent, const QString &title,
                                   const QStringList &filters)
{
    return choose(parent, title, filters, QFileDialog::ExistingFiles);
}

QString FileChooser::savePath(QWidget *parent, const QString &title, const QStringList &filters)
{
    return choose(parent, title, filters, QFileDialog::AnyFile).value(0);
}

QStringList FileChooser::choose(QWidget *parent, const QString &title, const QStringList &filters,
                                QFileDialog::FileMode mode)
{
    const bool save = mode == QFileDialog::AnyFile;
    QFileDialog dialog(parent, title, folder);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(mode);
    dialog.setNameFilters(filters);
    if (save) {
        dialog.setDefaultSuffix(suffixOf(filters.value(0)));
        connect(&dialog, SIGNAL(filterSelected(QString)), this, SLOT(matchSuffix(QString)));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QStringList();
    const QStringList paths = dialog.selectedFiles();
    folder = QFileInfo(paths.constFirst()).absolutePath();
    return paths;
}

void FileChooser::matchSuffix(const QString &filter)
{
    if (auto *dialog = qobject_cast<QFileDialog *>(sender()))
        dialog->setDefaultSuffix(suffixOf(filter));
}
