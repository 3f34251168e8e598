#include "app/language.h"
#include "connectionguard.h"

#include <QCoreApplication>
#include <QFile>
#include <QTranslator>
#include <QtTest>

class tst_Language : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ConnectionGuard::install(); }
    void scan_data();
    void scan();
    void catalogueIsEmbedded();
    void catalogue_data();
    void catalogue();
};

void tst_Language::scan_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("english");
    QTest::newRow("no argument") << QStringList { "fourk" } << false;
    QTest::newRow("-e") << QStringList { "fourk", "-e" } << true;
    QTest::newRow("-j") << QStringList { "fourk", "-j" } << false;
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
    QTest::newRow("keyword with blanks") << QStringList { "fourk", " -e", "-e " } << false;
    QTest::newRow("program name not scanned") << QStringList { "-e" } << false;
    QTest::newRow("empty list") << QStringList {} << false;
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

void tst_Language::catalogue_data()
{
    QTest::addColumn<QString>("context");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("japanese");
    // Both "Frame" entries exist and differ by context; the ampersands of the sources are gone.
    QTest::newRow("main title") << "ChiK"
                                << "chi(k)"
                                << "χ(k)";
    QTest::newRow("chi(R) title") << "ChiR"
                                  << "Chi(R)"
                                  << "Χ(R)";
    QTest::newRow("abs") << "ChiR"
                         << "&Abs."
                         << "絶対値";
    QTest::newRow("wave") << "ChiR"
                          << "sin(&2kR+phi)"
                          << "sin(2kR+Φ(k))";
    QTest::newRow("pointer") << "ChiR"
                             << "Pointer : "
                             << "指示位置";
    QTest::newRow("wave panel title") << "WaveCtrl"
                                      << "Frame"
                                      << "Waveコントロールパネル";
    QTest::newRow("window panel title") << "WindowFunc"
                                        << "Frame"
                                        << "窓関数コントロールパネル";
    QTest::newRow("P0 keeps blanks") << "WaveCtrl"
                                     << "P0 : "
                                     << "P0 (0次の位相因子) : ";
    QTest::newRow("formula")
        << "WaveCtrl"
        << "k^n * W(k) * S0^2 * (1/k) * (1/R^2) * F(k) * sin( 2KR + P0 + P2*k^2 ) * exp( -2 * "
           "Sigma^2 * k^2 )   : S0 = 1.0"
        << "k^n 窓関数(k) * (1/k)*(1/R^2) *後方散乱振幅(k) * sin( 2KR + P0 + P2 * k^2 ) * exp( "
           "-σ^2 * k^2 )   : S0 = 1.0";
    QTest::newRow("hanning") << "WindowFunc"
                             << "H&anning"
                             << "ハニング関数";
    QTest::newRow("no entry for doPM") << "WaveCtrl"
                                       << "Use Env. Shape Selecter for PM"
                                       << "";
    QTest::newRow("wrong context") << "ChiK"
                                   << "&Abs."
                                   << "";
}

void tst_Language::catalogue()
{
    QFETCH(QString, context);
    QFETCH(QString, source);
    QFETCH(QString, japanese);
    QTranslator translator;
    QVERIFY(loadJapaneseCatalogue(translator));
    QCOMPARE(translator.translate(context.toUtf8().constData(), source.toUtf8().constData()),
             japanese);
}

QTEST_MAIN(tst_Language)
#include "tst_language.moc"
