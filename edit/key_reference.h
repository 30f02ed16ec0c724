// The keyboard reference of the README, written from the key table so that it cannot drift.
#pragma once

#include <string>

namespace shinofu::edit {

// A Markdown table per edit mode: key, then what it does; Escape, space and Alt+arrows first.
std::string keyReferenceMarkdown();

}  // namespace shinofu::edit
