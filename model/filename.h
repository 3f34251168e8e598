#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

// File names as the system has them: bytes, mostly but not always UTF-8. Qt's own file classes
// decode a name through the locale and turn bytes that are not UTF-8 into U+FFFD, so such a file
// could be neither opened nor written. Here every byte that is not part of valid UTF-8 travels
// in the QString as a lone low surrogate U+DC80 … U+DCFF and comes back as the same byte, so
// that a name from the command line reaches the file it names. Every file this program reads or
// writes is opened through these bytes.
class FileName
{
public:
    static QString fromNative(const QByteArray &bytes);
    static QByteArray toNative(const QString &name);

    // What a name stands for: the file it reaches, symbolic links followed, by its device and
    // inode; a name that reaches no file yet by its folder's device and inode and its own last
    // part. Two names are one file exactly when their identities are equal.
    struct Identity
    {
        dev_t device = 0;
        ino_t inode = 0;
        QByteArray name;
        bool exists = false;
        bool operator==(const Identity &o) const
        {
            return device == o.device && inode == o.inode && name == o.name && exists == o.exists;
        }
    };
    static Identity identity(const QString &name);
    // The name a file is made or replaced under: the end of the symbolic links that name starts
    // (or name itself when it is no link).
    static QByteArray linkTarget(const QString &name);
};
