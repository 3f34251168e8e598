#include "columnsdialog.h"

#include "model/inputfiles.h"
#include "model/measuredchi.h"
#include "model/measuredchifile.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QRegularExpression>

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

    PreviewLabel->setText(tr("First lines of %1:").arg(QFileInfo(path).fileName()));
    // Only from a regular file: a pipe would be read up, and then not be there for the reader.
    QByteArray head;
    QString reason;
    if (InputFiles::head(path, previewBytes, &head, &reason) != InputFiles::Read)
        return;
    previewRead = true;
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = QString::fromUtf8(MeasuredChiFile::toUtf8(head)).split(lineEnd);
    // The last line may be cut anywhere, and there may be far more than fit.
    if (head.size() == previewBytes)
        lines.removeLast();
    Preview->setPlainText(lines.mid(0, previewLines).join(QLatin1Char('\n')));
}
