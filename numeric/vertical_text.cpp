#include "numeric/vertical_text.h"

#include <cmath>
#include <vector>

#include "numeric/numeric_page_layout.h"
#include "render/drawn_text.h"

namespace shinofu::numeric {
namespace {

// UTF-8 characters of the text.
std::vector<std::string> characters(const std::string& text) {
    std::vector<std::string> result;
    for (size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        result.push_back(text.substr(i, length));
        i += length;
    }
    return result;
}

// Small kana sit right of the column's centre, as they do in vertical Japanese.
bool isSmallKana(const std::string& c) {
    for (const char* kana : {"っ", "ゃ", "ゅ", "ょ", "ッ", "ャ", "ュ", "ョ"}) {
        if (c == kana) return true;
    }
    return false;
}

}  // namespace

void drawVertText(platform::Canvas& canvas, const VerticalTextFrame& frame, const std::string& text,
                  VerticalTextKind kind, platform::FontDescription font) {
    const auto chars = characters(render::drawnText(text));
    if (chars.empty()) return;
    const int n = static_cast<int>(chars.size());
    const int usable = frame.pageHeight - (frame.columns + 1) * kNumMarginY;
    int pitch;
    int inset;
    double firstY;
    if (kind == VerticalTextKind::Title) {
        pitch = usable / frame.columns / n;
        inset = kNumMarginX / 3;
        firstY = kNumMarginY * 12 / 10;
    } else {
        pitch = usable / (frame.columns * 2) / n;
        inset = kNumMarginX / 4 * 3;
        firstY = std::round(static_cast<double>(usable) / frame.columns * 0.5 + kNumMarginY);
    }
    const int fitting = static_cast<int>(std::lround(pitch / 1.1));
    if (fitting < font.height) {
        font.height = std::max(1, fitting);
    } else if (std::lround(1.3 * font.height) < pitch) {
        pitch = static_cast<int>(std::lround(1.3 * font.height));
    }
    double extra = 0;
    int index = 0;
    for (const std::string& c : chars) {
        if (c == " " || c == "　") {
            extra += pitch / 2;
            continue;
        }
        const std::string shown = c == "ー" ? "｜" : c;
        const int y = static_cast<int>(std::lround(firstY + extra)) + pitch * index++ - frame.originY;
        const int right = frame.pageWidth - inset - frame.originX;
        const int x = isSmallKana(c) ? right : right - canvas.textWidth(shown, font) / 2;
        canvas.text(x, y, shown, font);
    }
}

}  // namespace shinofu::numeric
