// A full JSON dump of the model (song data, settings, every note, symbol and mark) for tests and tools.
#pragma once

#include <string>

#include "model/json_writer.h"
#include "model/score.h"

namespace shinofu::model {

std::string scoreToJson(const Score& score);
// The same text, handed to sink piece by piece as it is made.
void writeScoreJson(const Score& score, const JsonSink& sink);

}  // namespace shinofu::model
