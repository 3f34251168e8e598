#include "outputfiles.h"

#include "model/filename.h"
#include "model/inputfiles.h"

#include <cerrno>
#include <cstdio>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString stdoutName = QStringLiteral("-");

bool writeAll(int fd, const QByteArray &data)
{
    for (qint64 done = 0; done < data.size();) {
        const ssize_t n = ::write(fd, data.constData() + done, size_t(data.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// An output on its way: a stream opened, or a temporary file written beside its target, which
// goes again unless it was renamed onto the target.
struct Target
{
    Target() = default;
    Target(const Target &) = delete;
    Target &operator=(const Target &) = delete;
    ~Target()
    {
        if (fd >= 0)
            ::close(fd);
        if (!temporary.isEmpty())
            ::unlink(temporary.constData());
    }
    int fd = -1;
    QByteArray temporary;
    QByteArray final;
    const QByteArray *data = nullptr;
    QString path;
};

mode_t newFileMode()
{
    static const mode_t mode = [] {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return 0666 & ~mask;
    }();
    return mode;
}

} // namespace

OutputFiles::OutputFiles(const InputFiles *inputs)
    : inputs(inputs)
{ }

void OutputFiles::add(const QString &path, const QByteArray &data, const QString &what,
                      bool scenario)
{
    outputs.append({ path, data, what, scenario });
}

bool OutputFiles::checkNames()
{
    struct Named
    {
        QString what;
        QString path;
        FileName::Identity id;
        bool scenario;
    };
    QVector<Named> taken;
    // Only inputs that are there: a name whose file is gone holds nothing to lose.
    for (const InputFiles::Input &in : inputs ? inputs->files : QVector<InputFiles::Input>()) {
        const FileName::Identity id = FileName::identity(in.path);
        if (in.path != stdoutName && id.exists)
            taken.append({ in.what, in.path, id, in.scenario });
    }
    const int inputCount = taken.size();
    for (const Output &out : qAsConst(outputs)) {
        const FileName::Identity id = FileName::identity(out.path);
        for (int i = 0; i < taken.size(); ++i) {
            const Named &t = taken.at(i);
            const bool toStdout = out.path == stdoutName || t.path == stdoutName;
            if (toStdout ? t.path != out.path : !(t.id == id))
                continue;
            // Saving a scenario over the one that was read is saving it again.
            if (i < inputCount && t.scenario && out.scenario)
                continue;
            sameFile = true;
            if (out.what.isEmpty())
                error = tr("cannot write '%1': it is %2").arg(out.path, t.what);
            else if (toStdout)
                error = tr("%1 and %2 cannot both write to standard output").arg(t.what, out.what);
            else if (t.path == out.path)
                error = tr("%1 and %2 name the same file '%3'").arg(t.what, out.what, out.path);
            else
                error = tr("%1 '%2' and %3 '%4' are the same file")
                            .arg(t.what, t.path, out.what, out.path);
            return false;
        }
        taken.append({ out.what, out.path, id, out.scenario });
    }
    return true;
}

bool OutputFiles::write()
{
    sameFile = false;
    if (!checkNames())
        return false;
    const auto fail = [this](const QString &path, const QString &why) {
        error = tr("cannot write '%1': %2").arg(path, why);
        return false;
    };

    // In the order given; each cleans up after itself on every early return.
    std::vector<Target> targets(size_t(outputs.size()));
    for (int i = 0; i < outputs.size(); ++i) {
        const Output &out = outputs.at(i);
        Target &t = targets[size_t(i)];
        t.data = &out.data;
        t.path = out.path;
        if (out.path == stdoutName)
            continue;
        // Written where the links lead, so that a link stays a link.
        t.final = FileName::linkTarget(out.path);
        struct stat st;
        const bool exists = ::stat(t.final.constData(), &st) == 0;
        if (exists && S_ISDIR(st.st_mode))
            return fail(out.path, tr("it is a directory"));
        // Nor is a file replaced that may not be written.
        if (exists && ::access(t.final.constData(), W_OK) != 0)
            return fail(out.path, qt_error_string(errno));
        if (exists && !S_ISREG(st.st_mode)) {
            // A device or a FIFO is written to, never replaced. Not waiting in open() for a
            // FIFO's reader: without one it would wait for ever.
            t.fd = ::open(t.final.constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
            if (t.fd < 0 && errno == ENXIO && S_ISFIFO(st.st_mode))
                return fail(out.path, tr("no program reads from this pipe"));
            if (t.fd < 0 || ::fcntl(t.fd, F_SETFL, ::fcntl(t.fd, F_GETFL) & ~O_NONBLOCK) != 0)
                return fail(out.path, qt_error_string(errno));
            continue;
        }
        const int slash = t.final.lastIndexOf('/');
        const QByteArray folder = slash < 0 ? QByteArray(".") : t.final.left(slash + 1);
        // The rename that replaces the target comes after the earlier targets are replaced: a
        // name too long for its folder must fail before.
        const long nameMax = ::pathconf(folder.constData(), _PC_NAME_MAX);
        if (nameMax > 0 && t.final.size() - slash - 1 > nameMax)
            return fail(out.path, qt_error_string(ENAMETOOLONG));
        QByteArray temporary = (slash < 0 ? QByteArray() : folder) + ".fourk-XXXXXX";
        t.fd = ::mkostemp(temporary.data(), O_CLOEXEC);
        if (t.fd < 0)
            return fail(out.path, qt_error_string(errno));
        t.temporary = temporary;
        // A file replaced keeps its permissions; a new one gets what the umask allows.
        if (::fchmod(t.fd, exists ? st.st_mode & 07777 : newFileMode()) != 0
            || !writeAll(t.fd, out.data) || ::fdatasync(t.fd) != 0)
            return fail(out.path, qt_error_string(errno));
    }
    // What cannot be taken back, before any target is replaced.
    for (Target &t : targets) {
        if (t.path == stdoutName) {
            std::fflush(stdout);
            if (!writeAll(STDOUT_FILENO, *t.data)) {
                error = tr("cannot write to standard output: %1").arg(qt_error_string(errno));
                return false;
            }
        } else if (t.temporary.isEmpty() && !writeAll(t.fd, *t.data)) {
            return fail(t.path, qt_error_string(errno));
        }
    }
    for (Target &t : targets) {
        if (t.temporary.isEmpty())
            continue;
        if (::rename(t.temporary.constData(), t.final.constData()) != 0)
            return fail(t.path, qt_error_string(errno));
        t.temporary.clear();
    }
    return true;
}
