// The ten comma-terminated fields that carry a symbol or mark in every score file section.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/score_symbol.h"

namespace shinofu::model {

constexpr int kSymbolRecordFields = 10;

// Makes a text safe for a comma-separated file: "," (and ";", which separates the header's name
// records, unless the text stands where it cannot) becomes its full-width form, line breaks become
// spaces, and a leading "$" or "/" (which readers take for a keyword or a comment) becomes full-width.
std::string fileSafeText(std::string_view text, bool semicolons = true);

std::string formatSymbolRecord(const SymbolFields& fields);

struct ParsedRecord {
    SymbolFields fields;
    std::string_view rest;  // what follows the tenth field's comma
};

// Reads the first ten fields of a line; nothing when there are fewer.
std::optional<ParsedRecord> parseSymbolRecord(std::string_view line);
// Reads exactly the ten fields starting at fields[first]; used where records are concatenated.
SymbolFields symbolFromFields(const std::vector<std::string_view>& fields, size_t first);

}  // namespace shinofu::model
