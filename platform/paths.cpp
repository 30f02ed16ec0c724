#include "platform/paths.h"

#include <cstdlib>

namespace shinofu::platform {
namespace {

std::filesystem::path fromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? std::filesystem::path(value) : std::filesystem::path();
}

}  // namespace

std::filesystem::path Paths::companionFolder() {
    if (auto home = fromEnvironment("SHINOFU_HOME"); !home.empty()) return home;
    if (auto config = fromEnvironment("XDG_CONFIG_HOME"); !config.empty()) return config / kProgramName;
    if (auto user = fromEnvironment("HOME"); !user.empty()) return user / ".config" / kProgramName;
    return std::filesystem::current_path() / kProgramName;
}

std::filesystem::path Paths::companionFile(const std::string& suffix) {
    return companionFolder() / (std::string(kProgramName) + suffix);
}

}  // namespace shinofu::platform
