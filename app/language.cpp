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

bool englishWanted(const char* forced, LanguageChoice chosen, const QStringList& systemLanguages) {
    const QString name = forced ? QString(forced) : QString();
    if (name.startsWith("en")) return true;
    if (name.startsWith("ja")) return false;
    switch (chosen) {
    case LanguageChoice::English: return true;
    case LanguageChoice::Japanese: return false;
    case LanguageChoice::System: break;
    }
    // The first language the user reads decides.
    return !systemLanguages.isEmpty() && systemLanguages.front().startsWith("en");
}

bool installLanguage() {
    if (!englishWanted(std::getenv("SHINOFU_LANG"), readLanguageChoice(), QLocale::system().uiLanguages())) return false;
    static QTranslator english;
    if (!english.load(":/i18n/shinofu_en.qm") || !QCoreApplication::installTranslator(&english)) return false;
    ui::setTranslator(&translatedByQt);
    return true;
}

bool speaksEnglish() { return ui::installedTranslator() != nullptr; }

}  // namespace shinofu::app
