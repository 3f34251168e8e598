#include "columnsdialog.h"

#include "model/measuredchi.h"

#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>

namespace {

constexpr qint64 previewBytes = 8192;
constexpr int previewLines = 40;

} // namespace

ColumnsDialog::ColumnsDialog(const QString &path, int kColumn, int chiColumn, QWidget *parent)
    : QDialog(parent)
    , file(path)
{
    setupUi(this);
    KColumn->setMaximum(MeasuredChi::maxColumn);
    ChiColumn->setMaximum(MeasuredChi::maxColumn);
    KColumn->setValue(kColumn);
    ChiColumn->setValue(chiColumn);
    Preview->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    const QFileInfo info(path);
    PreviewLabel->setText(tr("First lines of %1:").arg(info.fileName()));
    // Never opened unless it is a regular file: a pipe would wait for a writer.
    QFile f(path);
    if (!info.isFile() || !f.open(QIODevice::ReadOnly))
        return;
    const QByteArray head = f.read(previewBytes);
    previewRead = f.error() == QFileDevice::NoError;
    QStringList lines = QString::fromUtf8(head).split(QLatin1Char('\n'));
    // The last line may be cut anywhere, and there may be far more than fit.
    if (head.size() == previewBytes)
        lines.removeLast();
    Preview->setPlainText(lines.mid(0, previewLines).join(QLatin1Char('\n')));
}
