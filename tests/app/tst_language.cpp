#include "app/chik.h"
#include "app/chir.h"
#include "app/language.h"
#include "connectionguard.h"

#include <QApplication>
#include <QFile>
#include <QKeySequence>
#include <QTranslator>
#include <QtTest>

namespace {

const char formula[] = "k^n * W(k) * S0^2 * (1/k) * (1/R^2) * F(k) * sin( 2KR + P0 + P2*k^2 ) * "
                       "exp( -2 * Sigma^2 * k^2 )   : S0 = 1.0";
const char formulaJa[] = "k^n 窓関数(k) * (1/k)*(1/R^2) *後方散乱振幅(k) * sin( 2KR + P0 + P2 * "
                         "k^2 ) * exp( -σ^2 * k^2 )   : S0 = 1.0";

} // namespace

class tst_Language : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void scan_data();
    void scan();
    void catalogueIsEmbedded();
    void windowTexts_data();
    void windowTexts();
};

void tst_Language::initTestCase()
{
    ConnectionGuard::install();
    QApplication::setQuitOnLastWindowClosed(false);
}

void tst_Language::scan_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("english");
    QTest::newRow("no argument") << QStringList { "fourk" } << false;
    QTest::newRow("-e") << QStringList { "fourk", "-e" } << true;
    QTest::newRow("-j then -e") << QStringList { "fourk", "-j", "-e" } << true;
    QTest::newRow("-e then -j") << QStringList { "fourk", "-e", "-j" } << false;
    QTest::newRow("-j then -e among others")
        << QStringList { "fourk", "x", "-j", "--e", "-e", "y" } << true;
    QTest::newRow("-e then -j among others")
        << QStringList { "fourk", "-style", "-e", "-", "-j", "-jj" } << false;
    QTest::newRow("upper-case -E ignored") << QStringList { "fourk", "-E" } << false;
    QTest::newRow("upper-case -J ignored after -e") << QStringList { "fourk", "-e", "-J" } << true;
    QTest::newRow("keyword with more characters")
        << QStringList { "fourk", "-e1", "-eng" } << false;
    QTest::newRow("program name not scanned") << QStringList { "-e" } << false;
}

void tst_Language::scan()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, english);
    QCOMPARE(languageFromArguments(arguments) == Language::English, english);
}

void tst_Language::catalogueIsEmbedded()
{
    QVERIFY(QFile::exists(QStringLiteral(":/Fourk_ja_JP.qm")));
    QTranslator translator;
    QVERIFY(loadJapaneseCatalogue(translator));
    QVERIFY(!translator.isEmpty());
}

void tst_Language::windowTexts_data()
{
    QTest::addColumn<bool>("japanese");
    QTest::addColumn<bool>("inChiR");
    QTest::addColumn<QString>("object"); // empty for the window itself
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("mnemonic");
    QTest::newRow("en main title") << false << false << ""
                                   << "chi(k)"
                                   << "";
    QTest::newRow("en chi(R) title") << false << true << ""
                                     << "Chi(R)"
                                     << "";
    QTest::newRow("en abs") << false << true << "SelAbs"
                            << "&Abs."
                            << "Alt+A";
    QTest::newRow("en wave") << false << true << "SelWave"
                             << "sin(&2kR+phi)"
                             << "Alt+2";
    QTest::newRow("en pointer") << false << true << "label"
                                << "Pointer : "
                                << "";
    QTest::newRow("en formula") << false << false << "label_6" << formula << "";
    QTest::newRow("en envelope") << false << false << "SelEnvelope"
                                 << "E&nvelope"
                                 << "Alt+N";
    QTest::newRow("en doPM") << false << false << "doPM"
                             << "Use Env. Shape Selecter for PM"
                             << "";
    QTest::newRow("ja main title") << true << false << ""
                                   << "χ(k)"
                                   << "";
    QTest::newRow("ja chi(R) title") << true << true << ""
                                     << "Χ(R)"
                                     << "";
    QTest::newRow("ja abs") << true << true << "SelAbs"
                            << "絶対値"
                            << "";
    QTest::newRow("ja wave") << true << true << "SelWave"
                             << "sin(2kR+Φ(k))"
                             << "";
    QTest::newRow("ja pointer") << true << true << "label"
                                << "指示位置"
                                << "";
    QTest::newRow("ja formula") << true << false << "label_6" << formulaJa << "";
    QTest::newRow("ja envelope") << true << false << "SelEnvelope"
                                 << "後方散乱振幅(包絡線)"
                                 << "";
    QTest::newRow("ja flat") << true << false << "Flat"
                             << "包絡線平坦化"
                             << "";
    QTest::newRow("ja hanning") << true << false << "radioButton_2"
                                << "ハニング関数"
                                << "";
    QTest::newRow("ja doPM stays English") << true << false << "doPM"
                                           << "Use Env. Shape Selecter for PM"
                                           << "";
}

void tst_Language::windowTexts()
{
    QFETCH(bool, japanese);
    QFETCH(bool, inChiR);
    QFETCH(QString, object);
    QFETCH(QString, text);
    QFETCH(QString, mnemonic);

    // As the start-up does it: the catalogue goes in before any window is built.
    QTranslator translator;
    if (japanese) {
        QVERIFY(loadJapaneseCatalogue(translator));
        QCoreApplication::installTranslator(&translator);
    }
    ChiK chik;
    QCoreApplication::removeTranslator(&translator);

    QWidget *window = inChiR ? static_cast<QWidget *>(chik.chiR) : &chik;
    QString shown;
    if (object.isEmpty()) {
        shown = window->windowTitle();
    } else {
        QObject *widget = window->findChild<QWidget *>(object);
        QVERIFY(widget);
        shown = widget->property("text").toString();
    }
    QCOMPARE(shown, text);
    QCOMPARE(QKeySequence::mnemonic(shown).toString(), mnemonic);
}

QTEST_MAIN(tst_Language)
#include "tst_language.moc"
