// Where the companion files live: $SHINOFU_HOME, else $XDG_CONFIG_HOME/shinofu, else ~/.config/shinofu.
#pragma once

#include <filesystem>
#include <string>

namespace shinofu::platform {

class Paths {
public:
    static std::filesystem::path companionFolder();
    // A companion file named after the program: companionFile(".INI") is "shinofu.INI".
    static std::filesystem::path companionFile(const std::string& suffix);
    // Files shipped with the program (configuration template, help text, demo score):
    // $SHINOFU_DATA_DIR, else ../share/shinofu beside the executable, else the source tree's data/.
    static std::filesystem::path dataFolder();
    static constexpr const char* kProgramName = "shinofu";
};

}  // namespace shinofu::platform
