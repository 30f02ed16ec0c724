#include "platform/file_filter.h"

#include <vector>

namespace shinofu::platform {

std::string qtFilterFromStored(std::string_view stored) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (start < stored.size()) {
        size_t bar = stored.find('|', start);
        if (bar == std::string_view::npos) bar = stored.size();
        parts.push_back(stored.substr(start, bar - start));
        start = bar + 1;
    }
    std::string qt;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        std::string pattern(parts[i + 1]);
        // Windows' "*.*" means every file; on Linux many names have no dot.
        if (pattern == "*.*") pattern = "*";
        for (char& c : pattern) {
            if (c == ';') c = ' ';
        }
        if (!qt.empty()) qt += ";;";
        qt += std::string(parts[i]) + " (" + pattern + ")";
    }
    return qt;
}

}  // namespace shinofu::platform
