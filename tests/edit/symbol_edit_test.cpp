#include "edit/symbol_edit.h"

#include <gtest/gtest.h>

#include "edit/mark_commands.h"
#include "edit_fixture.h"

namespace {

using namespace shinofu;
using edit::SymbolTarget;
using render::ItemKind;

class SymbolEdit : public shinofu::testing::EditTest {};

TEST_F(SymbolEdit, SizeTextFontStyleAndOffsets) {
    read("c1 n n 96 u");
    model::TMark mark;
    mark.text = "V";
    mark.fontSize = 12;
    score_.part(1).marks.push_back(mark);
    const SymbolTarget target{ItemKind::Mark, 1, 0};
    score_.saved = true;
    EXPECT_TRUE(edit::stepSymbolSize(score_, target, true));
    EXPECT_EQ(score_.part(1).marks[0].fontSize, 13);
    EXPECT_EQ(score_.part(1).marks[0].width, 6);  // 6.5 × one letter, toward zero
    EXPECT_EQ(score_.part(1).marks[0].height, 13);
    EXPECT_FALSE(score_.saved);
    score_.part(1).marks[0].fontSize = 3;
    edit::stepSymbolSize(score_, target, false);
    EXPECT_EQ(score_.part(1).marks[0].fontSize, 3);

    EXPECT_TRUE(edit::nudgeSymbol(score_, target, 1, -1));
    EXPECT_EQ(score_.part(1).marks[0].dx, 1);
    EXPECT_EQ(score_.part(1).marks[0].dy, -1);
    EXPECT_TRUE(edit::setSymbolFont(score_, target, 2));
    EXPECT_FALSE(edit::setSymbolFont(score_, target, 4));
    EXPECT_TRUE(edit::setSymbolStyle(score_, target, true, true));
    EXPECT_TRUE(score_.part(1).marks[0].bold && score_.part(1).marks[0].italic);
    EXPECT_TRUE(edit::setSymbolText(score_, target, ""));
    EXPECT_EQ(score_.part(1).marks[0].text, " ");
    EXPECT_FALSE(edit::nudgeSymbol(score_, {ItemKind::Mark, 1, 5}, 1, 0));  // gone: nothing happens
}

TEST_F(SymbolEdit, TextsAddedAndMovedAtTheMarker) {
    read("c1 n n 96 u");
    view_.curPage = 1;
    view_.originY = 10;
    const size_t before = score_.part(2).symbols.size();
    edit::addTextSymbol(score_, view_, 2, {200, 90}, "強く", "abc", 3);
    ASSERT_EQ(score_.part(2).symbols.size(), before + 1);
    const model::TScoreSym& text = score_.part(2).symbols.back();
    EXPECT_EQ(text.fontSize, 10);  // the size field was not a number
    EXPECT_EQ(text.dx, 100);      // 200 pixels at two pixels a unit
    EXPECT_EQ(text.dy, 50 - 10);  // (90 + 10) / 2, less the size
    EXPECT_EQ(text.width, 20);    // four Shift-JIS bytes
    EXPECT_EQ(text.fontIndex, 3);
    EXPECT_EQ(text.kind, model::kPlainText);
    const SymbolTarget target{ItemKind::Symbol, 2, static_cast<int>(before)};
    EXPECT_TRUE(edit::moveSymbolTo(score_, view_, target, {20, 30}));
    EXPECT_EQ(score_.part(2).symbols.back().dx, 10);
    EXPECT_EQ(score_.part(2).symbols.back().dy, 10);
    EXPECT_FALSE(edit::moveSymbolTo(score_, view_, {ItemKind::Mark, 2, 0}, {20, 30}));
}

TEST_F(SymbolEdit, DeletingKeepsTheSongDataAndTakesASignFromEveryPart) {
    read("c1 n n 384 u,d1 n n 384 u");
    score_.partCount = 3;
    EXPECT_TRUE(edit::deleteSymbol(score_, {ItemKind::Symbol, 1, model::kTitleSymbol}));
    EXPECT_EQ(score_.part(1).symbols[model::kTitleSymbol].text, " ");

    edit::ClickedMeasure click{};
    click.measureStart = 48;
    state_.click = click;
    edit::addMeasureSign(score_, view_, state_, model::kDalSegno);
    edit::addMeasureSign(score_, view_, state_, model::kFine);
    ASSERT_EQ(score_.part(3).symbols.size(), 2u);
    EXPECT_TRUE(edit::deleteSymbol(score_, {ItemKind::Symbol, 2, 0}));  // the D.S. of part 2
    for (int part = 1; part <= 3; ++part) {
        const auto& symbols = score_.part(part).symbols;
        ASSERT_FALSE(symbols.empty());
        EXPECT_EQ(symbols.back().kind, model::kFine) << part;
        EXPECT_EQ(std::count_if(symbols.begin(), symbols.end(), [](const auto& s) { return s.kind == model::kDalSegno; }), 0);
    }
    edit::addTextSymbol(score_, view_, 3, {0, 0}, "x", "8", 0);
    EXPECT_TRUE(edit::deleteSymbol(score_, {ItemKind::Symbol, 3, 1}));
    EXPECT_EQ(score_.part(3).symbols.size(), 1u);
}

TEST_F(SymbolEdit, TheOverlaysDropSizeAndWeight) {
    read("c1 n n 96 u");
    score_.numeric.numDrop = 3.1;
    EXPECT_TRUE(edit::stepOverlayDrop(score_, true));
    EXPECT_NEAR(score_.numeric.numDrop, 2.9, 1e-9);
    EXPECT_FALSE(edit::stepOverlayDrop(score_, true));  // no higher once at 3.0 or less
    EXPECT_TRUE(edit::stepOverlayDrop(score_, false));
    score_.numeric.numSizeRatio = 3.5;
    EXPECT_TRUE(edit::stepOverlaySize(score_, view_, true));
    EXPECT_NEAR(score_.numeric.numSizeRatio, 4.0, 1e-9);  // one pixel at two pixels a unit
    edit::setOverlayBold(score_, true);
    EXPECT_TRUE(score_.numeric.numBold);
}

}  // namespace
