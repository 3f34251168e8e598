#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// The files of one export, written all or nothing: every file is first written in full beside
// its target and only then are the targets replaced, so a failure leaves every target as it was.
// "-" is standard output, written last, once every file is in place.
class OutputFiles
{
public:
    void add(const QString &path, const QByteArray &data);

    // On failure, error holds one line naming the file.
    bool write();

    QString error;

private:
    struct Output
    {
        QString path;
        QByteArray data;
    };
    QVector<Output> outputs;
};
