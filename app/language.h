#pragma once

#include <QStringList>

class QTranslator;

enum class Language { Japanese, English };

// The interface language chosen by the command line: "-j" or "-e", compared whole and
// case-sensitively, the last one winning; Japanese when neither is given. The first entry is
// the program name and is skipped; everything else is ignored.
Language languageFromArguments(const QStringList &arguments);

// Loads the compiled-in Japanese catalogue into the translator; false if it cannot be read,
// which leaves the translator empty and the interface English.
bool loadJapaneseCatalogue(QTranslator &translator);
