#include "outputfiles.h"

#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <memory>
#include <vector>

#include <unistd.h>

void OutputFiles::add(const QString &path, const QByteArray &data)
{
    outputs.append({ path, data });
}

bool OutputFiles::write()
{
    const auto fail = [this](const QString &path, const QString &why) {
        error = tr("cannot write '%1': %2").arg(path, why);
        return false;
    };

    // Uncommitted save files remove their temporaries when they go, on every early return.
    std::vector<std::unique_ptr<QSaveFile>> files;
    const Output *toStdout = nullptr;
    for (const Output &out : qAsConst(outputs)) {
        if (out.path == QLatin1String("-")) {
            toStdout = &out;
            continue;
        }
        if (QFileInfo(out.path).isDir())
            return fail(out.path, tr("it is a directory"));
        // The save file writes under a shorter temporary name: a name too long for the folder
        // would only fail when the earlier targets are already replaced.
        const QFileInfo target(out.path);
        const long nameMax
            = pathconf(QFile::encodeName(target.absolutePath()).constData(), _PC_NAME_MAX);
        if (nameMax > 0 && QFile::encodeName(target.fileName()).size() > nameMax)
            return fail(out.path, qt_error_string(ENAMETOOLONG));
        auto file = std::make_unique<QSaveFile>(out.path);
        if (!file->open(QIODevice::WriteOnly))
            return fail(out.path, file->errorString());
        // Flushed now, so a full disk shows before any target is replaced.
        if (file->write(out.data) != out.data.size() || !file->flush())
            return fail(out.path, file->errorString());
        files.push_back(std::move(file));
    }
    for (const auto &file : files) {
        if (!file->commit())
            return fail(file->fileName(), file->errorString());
    }
    if (toStdout) {
        if (std::fwrite(toStdout->data.constData(), 1, toStdout->data.size(), stdout)
                != size_t(toStdout->data.size())
            || std::fflush(stdout) != 0)
            return fail(QStringLiteral("-"), tr("standard output is closed"));
    }
    return true;
}
