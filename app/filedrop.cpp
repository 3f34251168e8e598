#include "filedrop.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

QString FileDrop::localFile(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return QString();
    for (const QUrl &url : data->urls()) {
        // A folder is not something either window can open.
        if (url.isLocalFile() && !QFileInfo(url.toLocalFile()).isDir())
            return url.toLocalFile();
    }
    return QString();
}
