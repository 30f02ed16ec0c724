// Tempo words that may stand in place of a metronome number.
#pragma once

#include <string_view>

namespace shinofu::model {

constexpr int kUnknownTempoWord = 75;

// Quarter notes per minute of a word, compared without case; any other text gives 75.
int tempoOfWord(std::string_view word);

}  // namespace shinofu::model
