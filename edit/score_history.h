// Undo and redo of whole user actions. Each state is the score's complete file text, so a step
// undoes exactly what one action changed, whatever it was, and restoring a state is reading it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace shinofu::edit {

class ScoreHistory {
public:
    static constexpr size_t kMostSteps = 500;
    static constexpr size_t kMostBytes = size_t{256} << 20;  // the oldest steps go first past either

    struct Step {
        std::vector<std::string> lines;  // the state to restore
        std::string caption;             // what the step did, as the menu names it
    };

    // Another score: nothing to undo or redo; saved says whether it is as on disk.
    void reset(const std::vector<std::string>& lines, bool saved);
    // After a user action: a state different from the last becomes a step named caption, and
    // what was undone can no longer be redone. Returns whether a step was made.
    bool record(const std::vector<std::string>& lines, const std::string& caption);
    std::optional<Step> undo();
    std::optional<Step> redo();
    std::optional<std::string> undoCaption() const;
    std::optional<std::string> redoCaption() const;
    void markSaved() { savedId_ = current_.id; }
    bool atSavedState() const { return current_.id == savedId_; }
    // Names the score as it stands: another edit, an undo or a new score gives another.
    uint64_t stateId() const { return current_.id; }
    size_t heldBytes() const { return bytes_; }  // the states undo and redo can reach

private:
    struct State {
        std::string text;
        std::string caption;  // of the step that left this state
        uint64_t id = 0;
    };
    static std::string join(const std::vector<std::string>& lines);
    static std::vector<std::string> split(const std::string& text);
    void trim();

    std::deque<State> undo_;
    std::vector<State> redo_;
    State current_;
    uint64_t savedId_ = 0;
    uint64_t nextId_ = 0;
    size_t bytes_ = 0;  // held by undo_ and redo_
};

}  // namespace shinofu::edit
