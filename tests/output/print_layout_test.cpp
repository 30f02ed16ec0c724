#include "output/print_layout.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace shinofu::output;
using shinofu::model::HeaderItem;
using shinofu::model::kHeaderItemCount;

using HeaderItems = std::array<HeaderItem, kHeaderItemCount>;

// Every character 10 pixels wide, so that alignment can be checked exactly.
HeaderContext context(int page = 3) {
    return {"さくらさくら", page, "2026/12/08", "IPAMincho", 8.0, 4800, 6800,
            [](const std::string& text, const shinofu::platform::FontDescription&) {
                return static_cast<int>(text.size()) * 10;
            }};
}

const PrintedText* find(const std::vector<PrintedText>& texts, const std::string& text) {
    auto it = std::find_if(texts.begin(), texts.end(), [&](const PrintedText& t) { return t.text == text; });
    return it == texts.end() ? nullptr : &*it;
}

TEST(PrintPlacement, ScalesTheViewIntoTheMarginsAndShiftsItByThem) {
    const PrintPlacement placement = printPlacement(PrintSettings{}, 4800, 6800, 990);
    EXPECT_NEAR(placement.scale * 990, 4320, 1e-6);
    EXPECT_EQ(placement.originX, -240);
    EXPECT_EQ(placement.originY, -340);
    // The larger pair of margins decides the share of the paper.
    PrintSettings tall;
    tall.top = 0.2;
    EXPECT_NEAR(printPlacement(tall, 4800, 6800, 990).scale * 990, 4800 * 0.75, 1e-6);
    // Margins that cover the paper still leave a page the right way round.
    PrintSettings covering{0.6, 0.6, 0.05, 0.05};
    EXPECT_GT(printPlacement(covering, 4800, 6800, 990).scale, 0.0);
}

TEST(PrinterSettings, TheFormShowsTheMarginsAndReadsThemBack) {
    const auto form = printerSettingsText(PrintSettings{});
    ASSERT_EQ(form.size(), 5u);
    EXPECT_EQ(form[3], "0.050,0.050,0.050,0.050");
    EXPECT_EQ(form[4], "/不要なデホルトのヘッダ、フッタを設定して下さい。");

    PrintSettings settings;
    std::vector<std::string> edited = form;
    edited[3] = "10,10,5,5";
    readPrinterSettings(edited, settings);
    EXPECT_DOUBLE_EQ(settings.left, 0.10);
    EXPECT_DOUBLE_EQ(settings.right, 0.10);
    EXPECT_DOUBLE_EQ(settings.top, 0.05);
    EXPECT_DOUBLE_EQ(settings.bottom, 0.05);
    EXPECT_EQ(settings.headerFlags, unsigned{kPrintEverything});

    edited[3] = "0.1,x,0.2";  // unreadable and missing values read as 0
    edited.push_back("Page,Date");
    edited.push_back("Title");  // past the second line: ignored
    readPrinterSettings(edited, settings);
    EXPECT_DOUBLE_EQ(settings.left, 0.1);
    EXPECT_DOUBLE_EQ(settings.right, 0.0);
    EXPECT_DOUBLE_EQ(settings.top, 0.2);
    EXPECT_DOUBLE_EQ(settings.bottom, 0.0);
    EXPECT_EQ(settings.headerFlags, unsigned{kPrintTitle | kPrintProgramName});

    // Cleared switches stay cleared when the form is saved again without them.
    readPrinterSettings(form, settings);
    EXPECT_EQ(settings.headerFlags, unsigned{kPrintTitle | kPrintProgramName});
}

TEST(HeaderTexts, SlotZeroCarriesTheProgramAndTheDateAsSwitched) {
    PrintSettings settings;
    auto texts = headerTexts(settings, HeaderItems{}, context());
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "Shinofu Ver1.0 2026/12/08");
    EXPECT_EQ(texts[0].x, 240);                 // the left margin
    EXPECT_EQ(texts[0].y, 6596);                // 97 % down
    EXPECT_EQ(texts[0].font.height, 40);        // size 10 × drawing unit 8 × 0.5
    EXPECT_EQ(texts[0].font.face, "IPAMincho");

    settings.headerFlags &= ~(kPrintPageNumber | kPrintDate);
    texts = headerTexts(settings, HeaderItems{}, context());
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "Shinofu Ver1.0");
}

TEST(HeaderTexts, TitleAndPageSlotsFollowTheirSwitchesAndAlignments) {
    HeaderItems items{};
    items[0] = {"$Name", 'C', 3.0, 20};
    items[1] = {"$p", 'C', 98.0, 10};
    items[2] = {"篠笛教室", 'R', 3.0, 10};
    items[4] = {"never reached", 'L', 50.0, 10};  // after an empty slot

    PrintSettings settings;
    settings.headerFlags = kPrintTitle | kPrintPageNumber;  // no program name, no date
    auto texts = headerTexts(settings, items, context(7));
    ASSERT_EQ(texts.size(), 3u);
    const PrintedText* title = find(texts, "さくらさくら");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->x, (4800 - 180) / 2);
    EXPECT_EQ(title->font.height, 80);
    const PrintedText* page = find(texts, "7");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->x, (4800 - 10) / 2);
    EXPECT_EQ(page->y, 6664);
    const PrintedText* school = find(texts, "篠笛教室");
    ASSERT_NE(school, nullptr);
    EXPECT_EQ(school->x, 4800 - 240 - 120);

    settings.headerFlags = kPrintProgramName;
    texts = headerTexts(settings, items, context());
    EXPECT_EQ(find(texts, "さくらさくら"), nullptr);
    EXPECT_EQ(find(texts, "3"), nullptr);
    EXPECT_NE(find(texts, "篠笛教室"), nullptr);
}

}  // namespace
