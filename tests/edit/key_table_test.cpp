#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "edit/key_reference.h"

#include "edit/edit_mode.h"
#include "edit_fixture.h"

using namespace shinofu;
using namespace shinofu::edit;
using shinofu::testing::EditTest;

namespace {

class Keys : public EditTest {};

}  // namespace

TEST_F(Keys, NoteEditingKeysActOnThePickedNote) {
    read("c1 n n 96 u,d1 n n 96 u");
    pick(0);
    EXPECT_EQ(key(kKeyUp), KeyEffect::ScoreChanged);
    EXPECT_EQ(key(kKeyRight), KeyEffect::ScoreChanged);
    EXPECT_EQ(key('T', {false, true}), KeyEffect::ScoreChanged);  // Ctrl+T: dot
    EXPECT_EQ(items(), "d1 n n 288 u,d1 n n 96 u");
    EXPECT_EQ(key(kKeyLeft), KeyEffect::Redraw);  // 36 has no half in the table
    EXPECT_EQ(key(kKeyUp, {true, false}), KeyEffect::ScoreChanged);  // Shift+up: octave
    EXPECT_EQ(model::pitchName(note(0)->pitch), "d2");
    EXPECT_EQ(key('0'), KeyEffect::ScoreChanged);
    EXPECT_EQ(note(0)->pitch, model::kRest);
    EXPECT_EQ(key(kKeyDelete), KeyEffect::ScoreChanged);
    EXPECT_EQ(items(), "d1 n n 96 u");
    EXPECT_EQ(state_.curNote, nullptr);
}

TEST_F(Keys, CtrlQGivesTheNextCtrlKeyItsSecondMeaning) {
    read("c1 n n 96 u,c1 n n 96 u,c1 n n 96 u");
    pick(0);
    key('Q', {false, true});
    key('D', {false, true});  // extend the selection to the next note
    EXPECT_TRUE(note(1)->selected);
    EXPECT_FALSE(state_.qPrefix);
    key('Q', {false, true});
    EXPECT_EQ(key('T', {false, true}), KeyEffect::ScoreChanged);  // tie set
    EXPECT_EQ(items(), "c1 n ts 96 u,c1 n tf 96 u,c1 n n 96 u");
    EXPECT_EQ(state_.editMode, kEditMode);
    EXPECT_EQ(state_.curNote, nullptr);
}

TEST_F(Keys, EntryLettersTakeTheirOctaveFromShiftAndCtrl) {
    read("");
    state_.editMode = kEditMode;
    key('A', {false, true});  // Ctrl+A: add mode
    EXPECT_EQ(state_.editMode, kNewMode);
    key('8');
    key('C');
    key('C', {true, false});
    key('C', {false, true});
    key('4');
    key('0');
    EXPECT_EQ(items(), "c1 n n 48 u,c2 n n 48 d,c0 n n 48 u,rest n n 96 u");
    key('1');
    EXPECT_EQ(state_.inputLen, 48);
    EXPECT_EQ(key(kKeySpace), KeyEffect::Redraw);
    EXPECT_EQ(state_.editMode, kEditMode);
    EXPECT_EQ(state_.curNote, nullptr);
}

TEST_F(Keys, ArrowsMoveTheViewInEditModeAndAltTurnsPages) {
    std::string notes = "c1 n n 384 u";
    for (int i = 0; i < 60; ++i) notes += ",c1 n n 384 u";
    read(notes);
    state_.editMode = kEditMode;
    view_.noteSize = 4.0;
    EXPECT_EQ(key(kKeyRight), KeyEffect::Redraw);
    EXPECT_GT(view_.originX, 0);
    EXPECT_EQ(key(kKeyDown, {false, false, true}), KeyEffect::Redraw);
    EXPECT_EQ(view_.curPage, 2);
    key(kKeyDown, {false, false, true});
    EXPECT_EQ(view_.curPage, 2);
    key(kKeyUp, {false, false, true});
    EXPECT_EQ(view_.curPage, 1);
    EXPECT_EQ(key('J'), KeyEffect::None);
}

TEST_F(Keys, EveryBindingHasADescriptionAndNoTwoCollide) {
    const auto& table = keyTable();
    for (size_t i = 0; i < table.size(); ++i) {
        EXPECT_FALSE(table[i].description.empty());
        for (size_t j = i + 1; j < table.size(); ++j) {
            const bool sameKey = table[i].key == table[j].key && table[i].shift == table[j].shift &&
                                 table[i].ctrl == table[j].ctrl &&
                                 (table[i].qPrefix < 0 || table[j].qPrefix < 0 || table[i].qPrefix == table[j].qPrefix);
            if (!sameKey) continue;
            for (int mode : table[i].modes) {
                EXPECT_EQ(std::count(table[j].modes.begin(), table[j].modes.end(), mode), 0)
                    << table[i].description << " / " << table[j].description;
            }
        }
    }
}

TEST(KeyReference, TheReadmeShowsTheKeyTableAsItIs) {
    std::ifstream readme(std::string(SHINOFU_SOURCE_DIR) + "/README.md");
    const std::string text((std::istreambuf_iterator<char>(readme)), std::istreambuf_iterator<char>());
    const std::string open = "<!-- keys -->\n";
    const auto from = text.find(open);
    const auto to = text.find("<!-- /keys -->");
    ASSERT_NE(from, std::string::npos);
    ASSERT_NE(to, std::string::npos);
    EXPECT_EQ(text.substr(from + open.size(), to - from - open.size()), shinofu::edit::keyReferenceMarkdown())
        << "run build/tools/key_reference and paste its output between the README's markers";
}
