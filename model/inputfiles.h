#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// The files a window or an export has read and still stands on, which no output may replace
// (OutputFiles checks its targets against them), and the one way files are read.
class InputFiles
{
public:
    // Remembers the file at path as read for what, the words a message names it by ("the
    // measured chi(k) file shown", "--data"), until it is set again for the same what; an empty
    // path forgets it. A scenario file may be replaced by a scenario saved over it, which is how
    // a scenario is saved again; no other output may replace an input.
    void set(const QString &what, const QString &path, bool scenario = false);

    struct Input
    {
        QString what;
        QString path;
        bool scenario;
    };
    QVector<Input> files;

    enum Reading { Read, Folder, TooLarge, Unreadable };
    // The whole file at path, "-" being standard input, of at most maxBytes: regular files,
    // devices and pipes alike. A FIFO that no program writes to reads as empty instead of
    // waiting for one. On Unreadable, *reason is the system's words.
    static Reading read(const QString &path, qint64 maxBytes, QByteArray *text, QString *reason);
    // The first bytes of a regular file, without the rest; Unreadable for anything else, which
    // may be read only once or never end.
    static Reading head(const QString &path, qint64 bytes, QByteArray *text, QString *reason);

private:
    static Reading readFile(const QString &path, qint64 maxBytes, bool head, QByteArray *text,
                            QString *reason);
};
