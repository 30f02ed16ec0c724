// A part read from note items, edited, and written back as note items to compare.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "edit/edit_state.h"
#include "edit/key_table.h"
#include "model/score_writer.h"
#include "render/page_tables.h"
#include "support/read_notes.h"

namespace shinofu::testing {

class EditTest : public ::testing::Test {
protected:
    void read(const std::string& notes) {
        state_.forgetRecords();
        view_.displayStart = {};
        readNotes(score_, {}, notes.empty() ? std::vector<std::string>{} : std::vector<std::string>{notes});
        score_.recomputePositions();
        tables_ = render::buildPageTables(score_, view_);
    }
    // The part's note items, joined by ",", as the score file writes them.
    std::string items(int part = 1) const {
        std::string joined;
        for (const model::TNote* note : notesOf(score_, part)) {
            if (!joined.empty()) joined += ",";
            joined += model::noteItem(*note, false);
        }
        return joined;
    }
    model::TNote* note(int index, int part = 1) { return const_cast<model::TNote*>(notesOf(score_, part).at(index)); }
    // Picks a note as a repeated press would: current and selected, mode 4.
    void pick(int index) {
        state_.curNote = note(index);
        state_.curNote->selected = true;
        state_.editMode = 4;
    }
    edit::KeyEffect key(int code, edit::KeyModifiers modifiers = {}) {
        tables_ = render::buildPageTables(score_, view_);
        edit::EditTarget target{score_, view_, state_, tables_};
        return edit::handleKey(target, code, modifiers);
    }

    model::Score score_;
    render::ViewState view_;
    edit::EditState state_;
    render::PageTables tables_;
};

}  // namespace shinofu::testing
