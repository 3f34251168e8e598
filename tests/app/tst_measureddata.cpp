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

// The measured chi(k) in the windows: opened from a file or a drop, shown, closed, saved with a
// scenario; and bad files, which change nothing.
class tst_MeasuredData : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup() { delete chik; }
    void openDropSaveClose();
    void badFile_data();
    void badFile();

private:
    QString status() const
    {
        auto *misfit = chik->findChild<QLabel *>(QStringLiteral("DataMisfit"));
        return bar->isHidden() ? QString() : label->text() + ' ' + misfit->text();
    }

    ChiK *chik = nullptr;
    AWave *wave = nullptr;
    QWidget *bar = nullptr;
    QLabel *label = nullptr;
    QAbstractButton *selector = nullptr;
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
    bar = chik->findChild<QWidget *>(QStringLiteral("DataStatus"));
    label = chik->findChild<QLabel *>(QStringLiteral("DataFile"));
    selector = chik->chiR->findChild<QAbstractButton *>(QStringLiteral("SelData"));
}

void tst_MeasuredData::openDropSaveClose()
{
    auto *close = chik->findChild<QAction *>(QStringLiteral("actionCloseData"));
    QVERIFY(status().isEmpty() && selector->isHidden() && !close->isEnabled());

    // Dropped: the columns are asked for, then the file opens with the ones chosen.
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
    QCOMPARE(wave->measured().chi, QVector<double>({ 0.15, 0.25, 0.3, 0.01, 0.075 }));
    // Within the window, from k = 3 on, the rows are all 0: no misfit to give.
    QCOMPARE(status(), QString::fromUtf8("feff_chi.dat · 5 rows · k 1 … 3 Å⁻¹ · misfit –"));
    QVERIFY(!selector->isHidden() && selector->isChecked() && close->isEnabled());

    // The misfit follows the window switch and every slider step.
    wave->ctrl->SelWindowF->setChecked(false);
    const QString before = status();
    QVERIFY(!before.endsWith(QString::fromUtf8("–")));
    chik->findChild<QSlider *>(QStringLiteral("RBar"))->triggerAction(QSlider::SliderSingleStepAdd);
    QVERIFY(status() != before && status().startsWith("feff_chi.dat"));

    // A scenario keeps the data; opened after closing them, it brings them back.
    const QString saved = status();
    const QString file = dir.filePath("with data.fourk");
    QVERIFY(chik->saveScenarioFile(file));
    close->trigger();
    QVERIFY(!wave->hasMeasured() && status().isEmpty() && selector->isHidden()
            && !selector->isChecked() && !close->isEnabled());
    QVERIFY(chik->openScenarioFile(file));
    QCOMPARE(wave->measured().chi, QVector<double>({ 0.15, 0.25, 0.3, 0.01, 0.075 }));
    QCOMPARE(wave->measured().chiColumn, 3);
    QVERIFY(status() == saved && selector->isChecked());
}

void tst_MeasuredData::badFile_data()
{
    QTest::addColumn<QByteArray>("text"); // written to the file, unless a special case below
    QTest::addColumn<int>("chiColumn");
    QTest::addColumn<QString>("problem");
    const QByteArray four = "1 1\n2 2\n3 3\n4 4\n";
    QTest::newRow("three rows") << QByteArray("1 1\n2 2\n3 3\n") << 2 << "3 rows of numbers";
    QTest::newRow("k falls") << QByteArray("1 1\n2 2\n1.5 3\n4 4\n") << 2 << "line 3: k 1.5";
    QTest::newRow("k repeats") << QByteArray("1 1\n2 2\n2 3\n4 4\n") << 2 << "line 3: k 2";
    QTest::newRow("negative k") << QByteArray("# k chi\n-1 1\n2 2\n3 3\n4 4\n") << 2
                                << "line 2: k is negative";
    QTest::newRow("NaN") << QByteArray("1 1\n2 nan\n3 3\n4 4\n") << 2 << "line 2: chi is not";
    QTest::newRow("1e999") << QByteArray("1 1\n2 2\n3 1e999\n4 4\n") << 2 << "line 3: chi is not";
    QTest::newRow("row without chi") << QByteArray("1 1\n2 2\n3\n4 4\n") << 2 << "line 3: column 2";
    QTest::newRow("text after the rows") << four + "5 end\n" << 2 << "line 5: column 2 is not";
    QTest::newRow("header only") << QByteArray("k chi\n") << 2 << "no rows";
    QTest::newRow("empty") << QByteArray() << 2 << "no rows";
    QTest::newRow("column 3 of 2") << four << 3 << "line 1: column 3 is asked for";
    QTest::newRow("column 0") << four << 0 << "columns must be";
    QTest::newRow("1,000,001 rows") << QByteArray() << 2 << "more than 1000000 rows";
    QTest::newRow("over 64 MiB") << QByteArray() << 2 << "larger than 64 MiB";
    QTest::newRow("a folder") << QByteArray() << 2 << "folder";
    QTest::newRow("no such file") << QByteArray() << 2 << "cannot be read";
}

void tst_MeasuredData::badFile()
{
    QFETCH(QByteArray, text);
    QFETCH(int, chiColumn);
    QFETCH(QString, problem);
    QVERIFY(chik->openMeasuredFile(fixtures + "athena.chik", 1, 2));
    const QVector<double> drawn = wave->measuredValues;
    const QString before = status();

    const QString tag = QTest::currentDataTag();
    QString path = dir.filePath(tag);
    QFile file(path);
    if (tag == "a folder")
        path = dir.path();
    else if (tag != "no such file" && file.open(QIODevice::WriteOnly))
        file.write(text);
    if (tag == "over 64 MiB")
        file.resize(64 * 1024 * 1024 + 1);
    for (int i = 0; tag == "1,000,001 rows" && i <= 1000000; ++i)
        file.write("1 1\n");
    file.close();

    QVERIFY(!chik->openMeasuredFile(path, 1, chiColumn));
    auto *box = opened<QMessageBox>();
    QVERIFY(box);
    QVERIFY2(box->text().startsWith(path + ": ") && box->text().contains(problem),
             qPrintable(box->text()));
    QVERIFY(wave->measuredValues == drawn && status() == before);
    QCOMPARE(wave->measured().file, QStringLiteral("athena.chik"));
}

QTEST_MAIN(tst_MeasuredData)
#include "tst_measureddata.moc"
