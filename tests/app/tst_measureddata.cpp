#include "app/chik.h"
#include "app/chir.h"
#include "app/columnsdialog.h"
#include "connectionguard.h"
#include "model/awave.h"
#include "panels/wavectrl.h"

#include <QMessageBox>
#include <QMimeData>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

const QString fixtures = QStringLiteral(FOURK_FIXTURES "/");
const QVector<double> feffMag { 0.15, 0.25, 0.3, 0.01, 0.075 };

// A dialog or message box of either window.
template<class T>
T *opened()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *t = qobject_cast<T *>(w))
            return t;
    }
    return nullptr;
}

// The measured chi(k) in the windows: dropped, shown, followed, saved, closed and reopened; and
// bad files, which change nothing.
class tst_MeasuredData : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup() { delete chik; }
    void openDropSaveClose();
    void files_data();
    void files();

private:
    QString status() const
    {
        const auto *bar = chik->findChild<QWidget *>(QStringLiteral("DataStatus"));
        return bar->isHidden()
                   ? QString()
                   : chik->findChild<QLabel *>(QStringLiteral("DataFile"))->text() + ' '
                         + chik->findChild<QLabel *>(QStringLiteral("DataMisfit"))->text();
    }

    ChiK *chik = nullptr;
    AWave *wave = nullptr;
    QTemporaryDir dir;
};

void tst_MeasuredData::initTestCase()
{
    ConnectionGuard::install();
    QApplication::setQuitOnLastWindowClosed(false);
}

void tst_MeasuredData::init()
{
    chik = new ChiK;
    wave = chik->waves.first();
}

void tst_MeasuredData::openDropSaveClose()
{
    auto *close = chik->findChild<QAction *>(QStringLiteral("actionCloseData"));
    auto *selector = chik->chiR->findChild<QAbstractButton *>(QStringLiteral("SelData"));
    QVERIFY(status().isEmpty() && selector->isHidden() && !close->isEnabled());

    QMimeData mime;
    mime.setUrls({ QUrl::fromLocalFile(fixtures + "feff_chi.dat") });
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(chik->chiR, &enter);
    QApplication::sendEvent(chik->chiR, &drop);
    auto *dialog = opened<ColumnsDialog>();
    QVERIFY(dialog && dialog->findChild<QPlainTextEdit *>()->toPlainText().contains("1.0000"));
    dialog->findChild<QSpinBox *>(QStringLiteral("ChiColumn"))->setValue(3);
    dialog->accept();
    QCOMPARE(wave->measured().chi, feffMag);
    // Within the window, from k = 3 on, the rows are all 0: no misfit to give.
    QCOMPARE(status(), QString::fromUtf8("feff_chi.dat · 5 rows · k 1 … 3 Å⁻¹ · misfit –"));
    QVERIFY(!selector->isHidden() && selector->isChecked() && close->isEnabled());

    // The misfit follows the switches and the sliders.
    wave->ctrl->SelWindowF->setChecked(false);
    const QString saved = status(), file = dir.filePath("with data.fourk");
    chik->findChild<QSlider *>(QStringLiteral("RBar"))->triggerAction(QSlider::SliderSingleStepAdd);
    QVERIFY(!saved.endsWith(QString::fromUtf8("–")) && status() != saved);
    wave->ctrl->RBar->triggerAction(QSlider::SliderSingleStepSub);
    QVERIFY(chik->saveScenarioFile(file));
    close->trigger();
    QVERIFY(!wave->hasMeasured() && status().isEmpty() && selector->isHidden()
            && !selector->isChecked() && !close->isEnabled());
    QVERIFY(chik->openScenarioFile(file));
    QVERIFY(wave->measured().chi == feffMag && wave->measured().chiColumn == 3);
    QVERIFY(status() == saved && selector->isChecked());
}

void tst_MeasuredData::files_data()
{
    QTest::addColumn<QByteArray>("text"); // written to the file, unless a fixture or special case
    QTest::addColumn<QPoint>("columns"); // k, chi
    QTest::addColumn<QString>("problem"); // for a good file "=" its rows, first and last k and chi
    const auto row = [](const char *name, const QByteArray &text, const char *problem,
                        QPoint columns = QPoint(1, 2)) {
        QTest::newRow(name) << text << columns << QString::fromUtf8(problem);
    };
    row("Athena: # header, blank line", "athena.chik", "= 5 0 0 0.2 0.04");
    row("Athena: chi k^2", "athena.chik", "= 5 0 0 0.2 0.0016", QPoint(1, 4));
    row("FEFF: text header", "feff_chi.dat", "= 5 1 0.15 3 0.075");
    row("BOM, CRLF, ; and ,", "semicolon.csv", "= 4 0.5 0.25 2 -0.1");
    row("columns swapped", "semicolon.csv", "line 3: k is negative", QPoint(2, 1));
    const QByteArray four = "1 1\n2 2\n3 3\n4 4\n";
    row("three rows", "1 1\n2 2\n3 3\n", "3 rows of numbers");
    row("k falls", "1 1\n2 2\n1.5 3\n4 4\n", "line 3: k 1.5");
    row("k repeats", "1 1\n2 2\n2 3\n4 4\n", "line 3: k 2");
    row("negative k", "# k chi\n-1 1\n2 2\n3 3\n4 4\n", "line 2: k is negative");
    row("NaN", "1 1\n2 nan\n3 3\n4 4\n", "line 2: chi is not");
    row("1e999", "1 1\n2 2\n3 1e999\n4 4\n", "line 3: chi is not");
    row("row without chi", "1 1\n2 2\n3\n4 4\n", "line 3: column 2");
    row("text after the rows", four + "5 end\n", "line 5: column 2 is not");
    row("header only", "k chi\n", "no rows");
    row("empty", "", "no rows");
    row("column 3 of 2", four, "line 1: column 3 is asked for", QPoint(1, 3));
    row("column 0", four, "columns must be", QPoint(0, 2));
    row("1,000,001 rows", "", "more than 1000000 rows");
    row("over 64 MiB", "", "larger than 64 MiB");
    row("a folder", "", "folder");
    row("no such file", "", "cannot be read");
}

// A good file is read whole; a bad one is named in a message with its line and problem, and
// leaves the data loaded before and the status line as they were.
void tst_MeasuredData::files()
{
    QFETCH(QByteArray, text);
    QFETCH(QPoint, columns);
    QFETCH(QString, problem);
    QVERIFY(chik->openMeasuredFile(fixtures + "athena.chik", 1, 2));
    const QVector<double> drawn = wave->measuredValues;
    const QString before = status(), tag = QTest::currentDataTag();
    QString path = tag == "a folder" ? dir.path() : dir.filePath(tag);
    QFile file(path);
    if (!text.isEmpty() && QFileInfo(fixtures + text).isFile())
        path = fixtures + text;
    else if (tag != "a folder" && tag != "no such file" && file.open(QIODevice::WriteOnly))
        file.write(text);
    if (tag == "over 64 MiB")
        file.resize(64 * 1024 * 1024 + 1);
    for (int i = 0; tag == "1,000,001 rows" && i <= 1000000; ++i)
        file.write("1 1\n");
    file.close();

    const Spectrum &s = wave->measured();
    if (problem.startsWith('=')) {
        QVERIFY(chik->openMeasuredFile(path, columns.x(), columns.y()));
        QCOMPARE(QStringList({ QString::number(s.k.size()), QString::number(s.k.first()),
                               QString::number(s.chi.first()), QString::number(s.k.last()),
                               QString::number(s.chi.last()) })
                     .join(' '),
                 problem.mid(2));
        QVERIFY(s.file == text && QPoint(s.kColumn, s.chiColumn) == columns);
        return;
    }
    QVERIFY(!chik->openMeasuredFile(path, columns.x(), columns.y()));
    auto *box = opened<QMessageBox>();
    QVERIFY2(box && box->text().startsWith(path + ": ") && box->text().contains(problem),
             qPrintable(box ? box->text() : QString()));
    QVERIFY(wave->measuredValues == drawn && status() == before && s.file == "athena.chik");
}

QTEST_MAIN(tst_MeasuredData)
#include "tst_measureddata.moc"
