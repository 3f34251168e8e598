#include "inputfiles.h"

#include "model/filename.h"

#include <QtGlobal>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

void InputFiles::set(const QString &what, const QString &path, bool scenario)
{
    for (int i = 0; i < files.size(); ++i) {
        if (files.at(i).what == what)
            files.remove(i--);
    }
    if (!path.isEmpty())
        files.append({ what, path, scenario });
}

InputFiles::Reading InputFiles::read(const QString &path, qint64 maxBytes, QByteArray *text,
                                     QString *reason)
{
    return readFile(path, maxBytes, false, text, reason);
}

InputFiles::Reading InputFiles::head(const QString &path, qint64 bytes, QByteArray *text,
                                     QString *reason)
{
    return readFile(path, bytes, true, text, reason);
}

InputFiles::Reading InputFiles::readFile(const QString &path, qint64 maxBytes, bool head,
                                         QByteArray *text, QString *reason)
{
    // Closed on every return, unless it is standard input.
    struct Descriptor
    {
        int fd;
        bool own;
        ~Descriptor()
        {
            if (own && fd >= 0)
                ::close(fd);
        }
    };
    const bool standardInput = path == QLatin1String("-");
    // Not blocking in open(): a FIFO without a writer would wait for one for ever.
    const Descriptor d { standardInput ? STDIN_FILENO
                                       : ::open(FileName::toNative(path).constData(),
                                                O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY),
                         !standardInput };
    const auto failed = [reason] {
        *reason = qt_error_string(errno);
        return Unreadable;
    };
    struct stat st;
    if (d.fd < 0 || ::fstat(d.fd, &st) != 0)
        return failed();
    if (S_ISDIR(st.st_mode))
        return Folder;
    if (head && !S_ISREG(st.st_mode)) {
        *reason = qt_error_string(EINVAL);
        return Unreadable;
    }
    if (!head && S_ISREG(st.st_mode) && st.st_size > maxBytes)
        return TooLarge;
    const int flags = ::fcntl(d.fd, F_GETFL);
    if (flags < 0 || (d.own && ::fcntl(d.fd, F_SETFL, flags & ~O_NONBLOCK) != 0))
        return failed();
    // Read to the end with a limit: a regular file may grow while it is read, a device may have
    // no end.
    QByteArray bytes;
    qint64 size = 0;
    const qint64 limit = head ? maxBytes : maxBytes + 1;
    while (size < limit) {
        const qint64 chunk = std::min<qint64>(limit - size, 1 << 16);
        bytes.resize(int(size + chunk));
        const ssize_t n = ::read(d.fd, bytes.data() + size, size_t(chunk));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return failed();
        if (n == 0)
            break;
        size += n;
    }
    if (size > maxBytes)
        return TooLarge;
    bytes.resize(int(size));
    *text = bytes;
    return Read;
}
