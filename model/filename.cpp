#include "filename.h"

#include <climits>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// The length of the valid UTF-8 sequence at p (at most n bytes), 0 if there is none: no
// overlong forms, no surrogates, nothing above U+10FFFF.
int sequence(const unsigned char *p, int n)
{
    const unsigned char c = p[0];
    int length;
    char32_t code;
    if (c < 0x80)
        return 1;
    if (c >= 0xC2 && c <= 0xDF)
        length = 2, code = c & 0x1F;
    else if (c >= 0xE0 && c <= 0xEF)
        length = 3, code = c & 0x0F;
    else if (c >= 0xF0 && c <= 0xF4)
        length = 4, code = c & 0x07;
    else
        return 0;
    if (n < length)
        return 0;
    for (int i = 1; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        code = code << 6 | (p[i] & 0x3F);
    }
    const char32_t least[] = { 0, 0, 0x80, 0x800, 0x10000 };
    if (code < least[length] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
        return 0;
    return length;
}

} // namespace

QString FileName::fromNative(const QByteArray &bytes)
{
    QString name;
    name.reserve(bytes.size());
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const int size = bytes.size();
    for (int i = 0; i < size;) {
        const int length = sequence(p + i, size - i);
        if (length == 0) {
            name.append(QChar(ushort(0xDC00 + p[i])));
            ++i;
        } else {
            name.append(QString::fromUtf8(bytes.constData() + i, length));
            i += length;
        }
    }
    return name;
}

QByteArray FileName::toNative(const QString &name)
{
    QByteArray bytes;
    bytes.reserve(name.size());
    int start = 0;
    const auto flush = [&](int end) {
        bytes += QStringView(name).mid(start, end - start).toUtf8();
        start = end + 1;
    };
    for (int i = 0; i < name.size(); ++i) {
        const ushort u = name.at(i).unicode();
        const bool escaped
            = u >= 0xDC80 && u <= 0xDCFF && (i == 0 || !name.at(i - 1).isHighSurrogate());
        if (escaped) {
            flush(i);
            bytes += char(u - 0xDC00);
        }
    }
    flush(name.size());
    return bytes;
}

QByteArray FileName::linkTarget(const QString &name)
{
    QByteArray path = toNative(name);
    for (int hops = 0; hops < 40; ++hops) {
        char target[PATH_MAX];
        const ssize_t n = ::readlink(path.constData(), target, sizeof target);
        if (n <= 0)
            break;
        path = target[0] == '/' ? QByteArray(target, int(n))
                                : path.left(path.lastIndexOf('/') + 1) + QByteArray(target, int(n));
    }
    return path;
}

FileName::Identity FileName::identity(const QString &name)
{
    Identity id;
    struct stat st;
    if (::stat(toNative(name).constData(), &st) == 0) {
        id.device = st.st_dev;
        id.inode = st.st_ino;
        id.exists = true;
        return id;
    }
    // Not there yet, or a link to nothing: the file would be made at the end of the links.
    const QByteArray path = linkTarget(name);
    const int slash = path.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? "/" : path.left(slash);
    id.name = path.mid(slash + 1);
    if (::stat(folder.constData(), &st) == 0) {
        id.device = st.st_dev;
        id.inode = st.st_ino;
    } else {
        id.name = path;
    }
    return id;
}
