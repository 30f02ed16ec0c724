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

std::filesystem::path Paths::dataFolder() {
    if (auto data = fromEnvironment("SHINOFU_DATA_DIR"); !data.empty()) return data;
    std::error_code error;
    auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        auto installed = executable.parent_path().parent_path() / "share" / kProgramName;
        if (std::filesystem::is_directory(installed, error)) return installed;
    }
    return SHINOFU_SOURCE_DATA_DIR;
}

std::filesystem::path Paths::companionFile(const std::string& suffix) {
    return companionFolder() / (std::string(kProgramName) + suffix);
}

}  // namespace shinofu::platform
