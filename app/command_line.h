// The command-line conversions: "shinofu new OUT" and "shinofu convert IN OUT [options]".
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace shinofu::app {

// Whether the arguments name a conversion rather than a score to open in the editor.
bool isConversionCommand(const std::vector<std::string>& args);

// Runs the conversion; messages go to err. Returns the exit status: 0 success, 1 bad input.
int runConversion(const std::vector<std::string>& args, std::ostream& err);

}  // namespace shinofu::app
