// Texts as the pages draw them: whole in the model and the file, cut when drawn where no page could
// show them, so that a huge text costs no more to draw than a page of it.
#pragma once

#include <string>
#include <string_view>

namespace shinofu::render {

// More characters than this never fit across or down a page, even at the smallest size.
constexpr size_t kMaxDrawnCharacters = 500;

// The text itself when short enough; else its first characters and "…".
std::string drawnText(std::string_view utf8, size_t maxCharacters = kMaxDrawnCharacters);

}  // namespace shinofu::render
