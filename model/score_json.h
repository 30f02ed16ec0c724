// A full JSON dump of the model (song data, settings, every note, symbol and mark) for tests and tools.
#pragma once

#include <string>

#include "model/score.h"

namespace shinofu::model {

std::string scoreToJson(const Score& score);

}  // namespace shinofu::model
