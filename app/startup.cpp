#include "app/startup.h"

#include <cstdlib>
#include <filesystem>

#include "edit/measure_clip.h"
#include "model/score_settings.h"
#include "platform/file_io.h"
#include "platform/paths.h"
#include "platform/text_codec.h"
#include "platform/ui_text.h"

namespace shinofu::app {
namespace {

namespace fs = std::filesystem;
using platform::MessageKind;
using platform::Paths;

constexpr const char* kShippedCompanionFiles[] = {".INI", ".txt", ".en.txt"};
constexpr const char* kUndoSnapshots[] = {"_0.tpu", "_1.tpu", "_2.tpu", "_3.tpu"};

void installCompanionFiles(std::vector<StartupMessage>& messages) {
    std::error_code error;
    fs::create_directories(Paths::companionFolder(), error);
    for (const char* suffix : kShippedCompanionFiles) {
        fs::path target = Paths::companionFile(suffix);
        if (fs::exists(target, error)) continue;
        fs::path shipped = Paths::dataFolder() / (std::string(Paths::kProgramName) + suffix);
        fs::copy_file(shipped, target, error);
        if (error) {
            messages.push_back({MessageKind::Warning, ui::text("ui", "設定ファイルを用意できません：") + target.string() + "\n" +
                                                          error.message()});
        }
    }
}

std::optional<std::vector<std::string>> readReported(const char* suffix, std::vector<StartupMessage>& messages) {
    platform::IoError error;
    auto lines = readCompanionLines(suffix, error);
    if (!error.message.empty()) messages.push_back({MessageKind::Error, error.message});
    return lines;
}

void enterWorkingDirectory(const std::string& folder, std::vector<StartupMessage>& messages) {
    std::error_code error;
    if (!fs::exists(folder, error)) {
        fs::create_directories(folder, error);
        if (error) {
            messages.push_back({MessageKind::Warning, folder + ui::text("ui", " ディレクトリが作れません")});
        } else {
            messages.push_back({MessageKind::Information, folder + ui::text("ui", " ディレクトリを作成しました")});
        }
    }
    fs::current_path(folder, error);
    if (error) messages.push_back({MessageKind::Error, ui::text("ui", "作業フォルダに移れません：") + folder + "\n" + error.message()});
}

}  // namespace

std::optional<std::vector<std::string>> readCompanionLines(const char* suffix, platform::IoError& error) {
    fs::path file = Paths::companionFile(suffix);
    std::error_code missing;
    if (!fs::exists(file, missing)) return std::nullopt;
    auto bytes = platform::readFileBytes(file, error);
    if (!bytes) return std::nullopt;
    return platform::decodeLines(*bytes);
}

std::string expandHome(const std::string& path) {
    // A program given a home of its own keeps everything it makes there, nothing in the user's.
    const char* own = std::getenv("SHINOFU_HOME");
    const char* home = own && *own ? own : std::getenv("HOME");
    if (!home || path.empty() || path[0] != '~' || (path.size() > 1 && path[1] != '/')) return path;
    return std::string(home) + path.substr(1);
}

std::vector<StartupMessage> startUp(Session& session, const StartupOptions& options) {
    std::vector<StartupMessage> messages;
    if (options.installCompanionFiles) installCompanionFiles(messages);
    // The score is replaced below: nothing may keep pointing into its records.
    edit::detachClip(session.edit.clip, session.score.measureLen());
    session.forgetPlacesInScore();

    session.score.fonts = model::builtInFontNames();
    if (auto lines = readReported(".INI", messages)) {
        session.config = model::readConfiguration(*lines);
    } else {
        session.config = model::configurationWithoutFile();
    }
    const model::Configuration& config = session.config;
    session.view = render::ViewState::fromConfiguration(config);
    session.score.fonts = config.fonts;
    session.score.numeric = config.numeric;

    std::error_code error;
    std::string folder = config.workingDirectory.empty() ? fs::current_path(error).string()
                                                         : expandHome(config.workingDirectory);
    session.config.workingDirectory = folder;
    if (options.enterWorkingDirectory) enterWorkingDirectory(folder, messages);

    if (options.removeUndoSnapshots) {
        for (const char* suffix : kUndoSnapshots) fs::remove(Paths::companionFile(suffix), error);
    }

    session.formatFlag = false;
    if (auto lines = readReported(".TMP", messages)) {
        model::ScoreSettingsResult settings =
            model::readScoreSettings(*lines, session.score, config.defaultFluteKey);
        session.formatFlag = settings.formatFlag;
        session.names = settings.names;
    } else {
        session.names = model::rememberNameLayout(session.score);
    }
    model::newScore(session.score, session.scoreDefaults());
    session.edit.editMode = 6;
    return messages;
}

}  // namespace shinofu::app
