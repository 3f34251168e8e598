#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QVector>

class InputFiles;

// The files of one save or export, written all or nothing. No output may be an input or another
// output: names are compared as the files they reach (FileName::identity), and a clash writes
// nothing. Every regular file is first written in full beside its target; then standard output
// ("-") and the outputs that are not regular files (a device, a FIFO: written to as streams,
// never replaced) are written; only then are the regular targets replaced. So a failure before
// that last step leaves every file as it was.
class OutputFiles
{
    Q_DECLARE_TR_FUNCTIONS(OutputFiles)

public:
    // The inputs, if any, must outlive the outputs.
    explicit OutputFiles(const InputFiles *inputs = nullptr);

    // what names the output in messages ("--chik"); without it a clash is told as "cannot write
    // 'path': it is <the input's what>". A scenario may replace the scenario that was read.
    void add(const QString &path, const QByteArray &data, const QString &what = QString(),
             bool scenario = false);

    // On failure, error holds one line naming the file and the reason, and sameFile tells that
    // it was a clash of names, found before anything was opened.
    bool write();

    QString error;
    bool sameFile = false;

private:
    bool checkNames();

    struct Output
    {
        QString path;
        QByteArray data;
        QString what;
        bool scenario;
    };
    QVector<Output> outputs;
    const InputFiles *inputs;
};
