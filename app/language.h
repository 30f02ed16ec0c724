// The language the program speaks: Japanese, its own, or English from the built-in translation.
// SHINOFU_LANG ("ja", "en") forces it; else the choice kept in the companion folder
// ("shinofu.language"); else the system locale (LANG / LC_MESSAGES), where anything untranslated
// gives Japanese.
#pragma once

#include <string>

namespace shinofu::app {

enum class LanguageChoice { System, Japanese, English };

LanguageChoice readLanguageChoice();
bool writeLanguageChoice(LanguageChoice choice);

// Whether English is what this run speaks, from the environment, the kept choice and the locale.
bool englishWanted();

// Installs the translation when English is wanted; the application must exist. Returns whether it did.
bool installLanguage();
// Whether this run speaks English (the translation was installed).
bool speaksEnglish();

}  // namespace shinofu::app
