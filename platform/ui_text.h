// The words the user reads, in the language the program runs in. The Japanese text is the source
// and the key: with no translator (tests, a Japanese or untranslated locale) it comes back unchanged.
// Files, score tokens and command paths never go through here.
#pragma once

#include <initializer_list>
#include <string>

// Marks a text where it is stored (a table, a constant) so the translation tools find it; it is
// translated where it is shown, with ui::text(context, stored).
#define UI_TEXT(context, source) source

namespace shinofu::ui {

using Translator = std::string (*)(const char* context, const char* source);

// The program's one translator, installed at start-up (like the application's own translator list).
void setTranslator(Translator translator);
Translator installedTranslator();

std::string text(const char* context, const char* source);
inline std::string text(const char* context, const std::string& source) { return text(context, source.c_str()); }

// A message and what it is about ("ファイルを開けません：/path"), joined as the language joins them.
std::string withDetail(const std::string& message, const std::string& detail);

// "%1", "%2", ... in a translated pattern replaced by the arguments, so a translation may put them
// in its own order.
std::string format(const std::string& pattern, std::initializer_list<std::string> arguments);

}  // namespace shinofu::ui
