#pragma once

#include <QStringList>

class QTranslator;

enum class Language { Japanese, English };

// What the program's command line chooses. The first entry is the program name and is skipped;
// arguments other than those below are ignored.

// The interface language: "-j" or "-e", compared whole and case-sensitively, the last one
// winning; Japanese when neither is given.
Language languageFromArguments(const QStringList &arguments);

// The scenario file to open at start: the last argument ending in ".fourk" (in any case), or an
// empty string.
QString scenarioFromArguments(const QStringList &arguments);

// Loads the compiled-in Japanese catalogue into the translator; false if it cannot be read,
// which leaves the translator empty and the interface English.
bool loadJapaneseCatalogue(QTranslator &translator);

// Loads Qt's own Japanese catalogue (qtbase_ja, the texts of its dialogs and buttons) from Qt's
// translations folder; false if it is not installed, which leaves those texts English.
bool loadQtJapaneseCatalogue(QTranslator &translator);
