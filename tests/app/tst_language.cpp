#include "app/chik.h"
#include "app/chir.h"
#include "app/commandline.h"
#include "connectionguard.h"

#include <QApplication>
#include <QKeySequence>
#include <QTranslator>
#include <QtTest>

class tst_Language : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void scan_data();
    void scan();
    void japaneseTexts_data();
    void japaneseTexts();
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
    QTest::addColumn<QString>("scenario");
    QTest::newRow("no argument") << QStringList { "fourk" } << false << "";
    QTest::newRow("-e") << QStringList { "fourk", "-e" } << true << "";
    QTest::newRow("-j then -e, a scenario before")
        << QStringList { "fourk", "a b.fourk", "-j", "-e" } << true << "a b.fourk";
    QTest::newRow("-e then -j among others")
        << QStringList { "fourk", "x", "-e", "--e", "-j", "-E", "-jj", "x.fourkk" } << false << "";
    QTest::newRow("upper case ignored, the last scenario")
        << QStringList { "fourk", "1.fourk", "-e", "-J", "/t/2.FOURK" } << true << "/t/2.FOURK";
    QTest::newRow("program name not scanned") << QStringList { "-e.fourk" } << false << "";
}

void tst_Language::scan()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, english);
    QFETCH(QString, scenario);
    QCOMPARE(languageFromArguments(arguments) == Language::English, english);
    QCOMPARE(scenarioFromArguments(arguments), scenario);
}

void tst_Language::japaneseTexts_data()
{
    QTest::addColumn<QString>("object");
    QTest::addColumn<QString>("text");
    QTest::newRow("abs selector") << QString("SelAbs") << QString("絶対値");
    QTest::newRow("formula") << "label_6"
                             << "k^n 窓関数(k) * (1/k)*(1/R^2) *後方散乱振幅(k) * sin( 2KR + P0 + "
                                "P2 * k^2 ) * exp( -σ^2 * k^2 )   : S0 = 1.0";
    QTest::newRow("untranslated") << QString("doPM") << QString("Use Env. Shape Selecter for PM");
}

void tst_Language::japaneseTexts()
{
    QFETCH(QString, object);
    QFETCH(QString, text);

    // As the start-up does it: the catalogue goes in before any window is built.
    QTranslator translator;
    QVERIFY(loadJapaneseCatalogue(translator));
    QCoreApplication::installTranslator(&translator);
    ChiK chik;
    QCoreApplication::removeTranslator(&translator);

    auto *widget = chik.findChild<QWidget *>(object);
    if (!widget)
        widget = chik.chiR->findChild<QWidget *>(object);
    QVERIFY(widget);
    const QString shown = widget->property("text").toString();
    QCOMPARE(shown, text);
    QVERIFY(QKeySequence::mnemonic(shown).isEmpty());
}

QTEST_MAIN(tst_Language)
#include "tst_language.moc"
