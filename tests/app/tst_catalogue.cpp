#include "connectionguard.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

// The Japanese catalogue against the sources: lupdate, run on a copy, finds every text the
// program shows, and each must already have its translation.
class tst_Catalogue : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ConnectionGuard::install(); }
    void everyTextTranslated();
};

void tst_Catalogue::everyTextTranslated()
{
    QTemporaryDir dir;
    QFile committed(QStringLiteral(FOURK_SOURCE_DIR "/app/translations/Fourk_ja_JP.ts"));
    QVERIFY(committed.open(QIODevice::ReadOnly));
    // lupdate only works on a catalogue that names its language.
    QByteArray text = committed.readAll();
    text.replace("<TS version=\"2.1\">", "<TS version=\"2.1\" language=\"ja_JP\">");
    const QString copy = dir.filePath("catalogue.ts");
    QFile out(copy);
    QVERIFY(out.open(QIODevice::WriteOnly) && out.write(text) == text.size());
    out.close();

    QProcess lupdate;
    lupdate.setWorkingDirectory(QStringLiteral(FOURK_SOURCE_DIR));
    lupdate.start(QStringLiteral(FOURK_LUPDATE),
                  { "-silent", "-locations", "none", "-I", ".", "app", "model", "panels", "plot",
                    "tools", "-ts", copy });
    QVERIFY(lupdate.waitForFinished(120000) && lupdate.exitCode() == 0);

    QFile updated(copy);
    QVERIFY(updated.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&updated);
    QString context, source;
    QStringList untranslated;
    int messages = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            ++messages;
            // "unfinished" is new in the sources, "vanished" and "obsolete" gone from them.
            const bool done = xml.attributes().value(QLatin1String("type")).isEmpty();
            if (!done || xml.readElementText().isEmpty())
                untranslated << context + ": " + source;
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QVERIFY(messages > 25);
    QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join('\n')));
}

QTEST_MAIN(tst_Catalogue)
#include "tst_catalogue.moc"
