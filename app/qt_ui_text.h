// ui::text for the widgets: the user's words as a QString.
#pragma once

#include <QString>
#include <string>

#include "platform/ui_text.h"

namespace shinofu::ui {

inline QString qtext(const char* context, const char* source) { return QString::fromStdString(text(context, source)); }
inline QString qtext(const char* context, const std::string& source) { return qtext(context, source.c_str()); }

}  // namespace shinofu::ui
