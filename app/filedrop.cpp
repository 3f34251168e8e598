#include "filedrop.h"

#include "model/filename.h"

#include <QMimeData>
#include <QUrl>

#include <sys/stat.h>

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
        if (!url.isLocalFile())
            continue;
        // The name's own bytes: toLocalFile() would turn those that are not UTF-8 into U+FFFD.
        const QString path = FileName::fromNative(
            QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
        // A folder is not something either window can open.
        struct stat st;
        if (::stat(FileName::toNative(path).constData(), &st) != 0 || !S_ISDIR(st.st_mode))
            files.append(path);
    }
    return files;
}
