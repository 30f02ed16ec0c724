// Splitting and number parsing shared by the header-style readers.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace shinofu::model {

std::vector<std::string_view> splitFields(std::string_view text, char separator);
// The same into fields, whose storage a reader reuses from line to line.
void splitFieldsInto(std::string_view text, char separator, std::vector<std::string_view>& fields);
std::string_view trimLeadingSpaces(std::string_view text);
std::string_view trimSpaces(std::string_view text);
// A decimal integer with an optional sign and surrounding spaces; nothing when malformed or too large.
std::optional<int> parseWholeNumber(std::string_view text);
// A real number in C notation with surrounding spaces; nothing when malformed.
std::optional<double> parseReal(std::string_view text);
int roundHalfAwayFromZero(double value);
std::string formatReal(double value, int width, int decimals);

}  // namespace shinofu::model
