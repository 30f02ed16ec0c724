// The record operations the note commands share: linking a fresh record into a part's list and
// setting a length or pitch together with what follows from it.
#pragma once

#include "model/score.h"

namespace shinofu::edit {

// The length with the play time it takes at the score's tempo.
void setLength(model::Score& score, model::TNote& note, int len);
// The pitch with its semitone in the key.
void setPitch(model::Score& score, model::TNote& note, uint8_t pitch);
// A fresh record linked after `at`.
model::TNote* linkAfter(model::Score& score, model::TNote& at);

}  // namespace shinofu::edit
