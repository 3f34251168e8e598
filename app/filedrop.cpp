#include "filedrop.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

QString FileDrop::localFile(const QMimeData *data)
{
    return localFiles(data).value(0);
}

QStringList FileDrop::localFiles(const QMimeData *data)
{
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl &url : data->urls()) {
        // A folder is not something either window can open.
        if (url.isLocalFile() && !QFileInfo(url.toLocalFile()).isDir())
            files.append(url.toLocalFile());
    }
    return files;
}
