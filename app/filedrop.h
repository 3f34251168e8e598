#pragma once

#include <QString>

class QMimeData;

// What a drop on either window offers to open.
class FileDrop
{
public:
    // The first local file among the dropped URLs, or an empty string.
    static QString localFile(const QMimeData *data);
};
