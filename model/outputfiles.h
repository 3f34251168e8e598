#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QVector>

// The files of one save or export, written all or nothing: every file is first written in full
// beside its target and only then are the targets replaced, so a failure leaves every target as
// it was. "-" is standard output, written last, once every file is in place.
class OutputFiles
{
    Q_DECLARE_TR_FUNCTIONS(OutputFiles)

public:
    void add(const QString &path, const QByteArray &data);

    // On failure, error holds one line naming the file and the reason.
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
