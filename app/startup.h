// Start-up of a session: companion files, configuration, working folder, score settings, new score.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/session.h"
#include "platform/dialogs.h"
#include "platform/file_io.h"

namespace shinofu::app {

struct StartupOptions {
    bool installCompanionFiles = true;  // copy the shipped configuration and help on first start
    bool enterWorkingDirectory = true;  // create it when missing and change into it
    bool removeUndoSnapshots = true;
};

struct StartupMessage {
    platform::MessageKind kind;
    std::string text;
};

// Fills the session; what the user must be told comes back in order.
std::vector<StartupMessage> startUp(Session& session, const StartupOptions& options);

// The decoded lines of a companion file ("shinofu" + suffix); nothing when it is missing, and
// nothing with the error filled when it cannot be read.
std::optional<std::vector<std::string>> readCompanionLines(const char* suffix, platform::IoError& error);

// "~/x" names a folder in the user's home, or in $SHINOFU_HOME when that is set.
std::string expandHome(const std::string& path);

}  // namespace shinofu::app
