#include "output/print_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "model/text_fields.h"
#include "platform/ui_text.h"

namespace shinofu::output {
namespace {

constexpr const char* kProgramName = "Shinofu Ver1.0";
constexpr double kProgramLineY = 97.0;  // percent of the page height
constexpr int kProgramLineSize = 10;

int rounded(double value) { return static_cast<int>(std::lround(value)); }

bool startsWithToken(const std::string& text, char letter) {
    return text.size() >= 2 && text[0] == '$' && std::toupper(static_cast<unsigned char>(text[1])) == letter;
}

}  // namespace

PrintPlacement printPlacement(const PrintSettings& settings, int paperWidth, int paperHeight, int viewWidth) {
    // Margins that leave no room still leave a tenth of the paper, never a mirrored page.
    constexpr double kLeastShare = 0.1;
    const double share =
        std::max(kLeastShare, 1.0 - std::max(settings.left + settings.right, settings.top + settings.bottom));
    return {paperWidth * share / std::max(1, viewWidth), -rounded(paperWidth * settings.left),
            -rounded(paperHeight * settings.top)};
}

std::vector<PrintedText> headerTexts(const PrintSettings& settings,
                                     const std::array<model::HeaderItem, model::kHeaderItemCount>& items,
                                     const HeaderContext& context) {
    model::HeaderItem programLine{"", 'L', kProgramLineY, kProgramLineSize};
    if (settings.headerFlags & kPrintProgramName) programLine.text = kProgramName;
    if (settings.headerFlags & kPrintDate) {
        if (!programLine.text.empty()) programLine.text += " ";
        programLine.text += context.date;
    }
    std::vector<model::HeaderItem> slots{programLine};
    for (const model::HeaderItem& item : items) {
        if (item.text.empty()) break;
        slots.push_back(item);
    }

    std::vector<PrintedText> printed;
    for (const model::HeaderItem& slot : slots) {
        if (slot.text.empty()) continue;  // only slot 0 can be empty here
        std::string text = slot.text;
        if (startsWithToken(slot.text, 'N')) {
            if (!(settings.headerFlags & kPrintTitle)) continue;
            text = context.title;
        } else if (startsWithToken(slot.text, 'P')) {
            if (!(settings.headerFlags & kPrintPageNumber)) continue;
            text = std::to_string(context.page);
        }
        platform::FontDescription font;
        font.height = std::max(1, rounded(slot.fontSize * context.drawUnit * 0.5));
        font.face = context.face;
        const int width = context.textWidth(text, font);
        int x = 0;
        switch (slot.alignment) {
            case 'L': x = rounded(context.paperWidth * settings.left); break;
            case 'C': x = rounded((context.paperWidth - width) * 0.5); break;
            default: x = rounded(context.paperWidth * (1.0 - settings.right) - width); break;
        }
        printed.push_back({text, x, rounded(context.paperHeight * slot.position * 0.01), font});
    }
    return printed;
}

std::vector<std::string> printerSettingsText(const PrintSettings& settings) {
    char margins[64];
    std::snprintf(margins, sizeof margins, "%5.3f,%5.3f,%5.3f,%5.3f", settings.left, settings.right, settings.top,
                  settings.bottom);
    // The "/" that makes a line a remark is the file's, not the words'.
    return {"/" + ui::text("ui", "次の現在の設定値を書き換えて左余白、右余白、上余白、下余白を"),
            "/" + ui::text("ui", "設定し、「保存」をクリックして下さい"),
            "/" + ui::text("ui", "入力する値は、全体に対する割合(%)を入れて下さい。"),
            margins,
            "/" + ui::text("ui", "不要なデホルトのヘッダ、フッタを設定して下さい。")};
}

void readPrinterSettings(const std::vector<std::string>& lines, PrintSettings& settings) {
    int read = 0;
    for (const std::string& line : lines) {
        const std::string_view content = model::trimSpaces(line);
        if (content.empty() || content.front() == '/') continue;  // a blank line carries neither value
        const auto fields = model::splitFields(content, ',');
        if (read == 0) {
            std::array<double*, 4> margins{&settings.left, &settings.right, &settings.top, &settings.bottom};
            for (size_t i = 0; i < margins.size(); ++i) {
                const double value = i < fields.size() ? model::parseReal(model::trimSpaces(fields[i])).value_or(0.0) : 0.0;
                // Above 1 the value is a percentage; below 0 it would push the page off the paper.
                *margins[i] = std::clamp(value > 1.0 ? value / 100.0 : value, 0.0, 1.0);
            }
        } else {
            for (std::string_view field : fields) {
                field = model::trimSpaces(field);
                if (field == "Page") settings.headerFlags &= ~kPrintPageNumber;
                if (field == "Title") settings.headerFlags &= ~kPrintTitle;
                if (field == "Date") settings.headerFlags &= ~kPrintDate;
                if (field == "Program") settings.headerFlags &= ~kPrintProgramName;
            }
        }
        if (++read == 2) return;
    }
}

}  // namespace shinofu::output
