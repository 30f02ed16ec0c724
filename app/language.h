// The language the program speaks: Japanese, its own, or English from the built-in translation.
// SHINOFU_LANG ("ja", "en") forces it; else the choice kept in the companion folder
// ("shinofu.language"); else the system locale (LANG / LC_MESSAGES), where anything untranslated
// gives Japanese.
#pragma once

#include <QStringList>

namespace shinofu::app {

enum class LanguageChoice { System, Japanese, English };

LanguageChoice readLanguageChoice();
bool writeLanguageChoice(LanguageChoice choice);

// Whether English is wanted: SHINOFU_LANG's value (null when unset) forces it, else the kept choice,
// else the first of the system's languages ("C" and any untranslated language give Japanese).
bool englishWanted(const char* forced, LanguageChoice chosen, const QStringList& systemLanguages);

// Installs the translation when English is wanted; the application must exist. Returns whether it did.
bool installLanguage();
// Whether this run speaks English (the translation was installed).
bool speaksEnglish();

}  // namespace shinofu::app
