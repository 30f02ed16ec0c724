#include "edit/score_history.h"

namespace shinofu::edit {

std::string ScoreHistory::join(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) (text += line) += '\n';
    return text;
}

std::vector<std::string> ScoreHistory::split(const std::string& text) {
    std::vector<std::string> lines;
    for (size_t at = 0; at < text.size();) {
        const size_t end = text.find('\n', at);
        lines.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return lines;
}

void ScoreHistory::reset(const std::vector<std::string>& lines, bool saved) {
    undo_.clear();
    redo_.clear();
    bytes_ = 0;
    current_ = {join(lines), {}, ++nextId_};
    savedId_ = saved ? current_.id : 0;
}

bool ScoreHistory::record(const std::vector<std::string>& lines, const std::string& caption) {
    std::string text = join(lines);
    if (text == current_.text) return false;
    for (const State& undone : redo_) bytes_ -= undone.text.size();
    redo_.clear();
    bytes_ += current_.text.size();
    current_.caption = caption;
    undo_.push_back(std::move(current_));
    current_ = {std::move(text), {}, ++nextId_};
    trim();
    return true;
}

std::optional<ScoreHistory::Step> ScoreHistory::undo() {
    if (undo_.empty()) return std::nullopt;
    State previous = std::move(undo_.back());
    undo_.pop_back();
    const std::string caption = previous.caption;
    current_.caption = caption;  // redoing it is the same step
    bytes_ += current_.text.size();
    bytes_ -= previous.text.size();
    redo_.push_back(std::move(current_));
    current_ = std::move(previous);
    return Step{split(current_.text), caption};
}

std::optional<ScoreHistory::Step> ScoreHistory::redo() {
    if (redo_.empty()) return std::nullopt;
    State next = std::move(redo_.back());
    redo_.pop_back();
    const std::string caption = next.caption;
    current_.caption = caption;
    bytes_ += current_.text.size();
    bytes_ -= next.text.size();
    undo_.push_back(std::move(current_));
    current_ = std::move(next);
    return Step{split(current_.text), caption};
}

std::optional<std::string> ScoreHistory::undoCaption() const {
    if (undo_.empty()) return std::nullopt;
    return undo_.back().caption;
}

std::optional<std::string> ScoreHistory::redoCaption() const {
    if (redo_.empty()) return std::nullopt;
    return redo_.back().caption;
}

void ScoreHistory::trim() {
    while (!undo_.empty() && (undo_.size() > kMostSteps || bytes_ > kMostBytes)) {
        bytes_ -= undo_.front().text.size();
        undo_.pop_front();
    }
}

}  // namespace shinofu::edit
