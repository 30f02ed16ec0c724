#include "app/language.h"

#include <QCoreApplication>
#include <QLocale>
#include <QSettings>
#include <QTranslator>
#include <cstdlib>

#include "platform/paths.h"
#include "platform/ui_text.h"

namespace shinofu::app {
namespace {

QString languagePath() { return QString::fromStdString(platform::Paths::companionFile(".language").string()); }

const char* choiceName(LanguageChoice choice) {
    switch (choice) {
    case LanguageChoice::Japanese: return "ja";
    case LanguageChoice::English: return "en";
    case LanguageChoice::System: break;
    }
    return "system";
}

std::string translatedByQt(const char* context, const char* source) {
    return QCoreApplication::translate(context, source).toStdString();
}

bool systemSpeaksEnglish() {
    // The first language the user reads decides; "C" and "POSIX" name none.
    const QStringList languages = QLocale::system().uiLanguages();
    return !languages.isEmpty() && languages.front().startsWith("en");
}

}  // namespace

LanguageChoice readLanguageChoice() {
    const QString value = QSettings(languagePath(), QSettings::IniFormat).value("language").toString();
    if (value == "ja") return LanguageChoice::Japanese;
    if (value == "en") return LanguageChoice::English;
    return LanguageChoice::System;
}

bool writeLanguageChoice(LanguageChoice choice) {
    QSettings file(languagePath(), QSettings::IniFormat);
    file.setValue("language", choiceName(choice));
    file.sync();
    return file.status() == QSettings::NoError;
}

bool englishWanted() {
    if (const char* forced = std::getenv("SHINOFU_LANG"); forced && *forced) {
        const std::string name(forced);
        if (name.starts_with("en")) return true;
        if (name.starts_with("ja")) return false;
    }
    switch (readLanguageChoice()) {
    case LanguageChoice::English: return true;
    case LanguageChoice::Japanese: return false;
    case LanguageChoice::System: break;
    }
    return systemSpeaksEnglish();
}

bool installLanguage() {
    if (!englishWanted()) return false;
    static QTranslator english;
    if (!english.load(":/i18n/shinofu_en.qm") || !QCoreApplication::installTranslator(&english)) return false;
    ui::setTranslator(&translatedByQt);
    return true;
}

bool speaksEnglish() { return ui::installedTranslator() != nullptr; }

}  // namespace shinofu::app
