#pragma once

#include <QString>
#include <QStringList>

class QMimeData;

// What a drop on either window offers to open.
class FileDrop
{
public:
    // The first local file among the dropped URLs, or an empty string.
    static QString localFile(const QMimeData *data);
    // Every local file among them, in the order dropped.
    static QStringList localFiles(const QMimeData *data);
};
