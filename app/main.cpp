// Program entry: a command-line conversion, or the editor.
#include <QApplication>
#include <QGuiApplication>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/language.h"
#include "app/main_window.h"
#include "app/sound_input.h"
#include "app/startup.h"
#include "platform/fluid_midi_out.h"
#include "platform/qt_dialogs.h"

namespace {

// A conversion draws offscreen and never needs a runtime folder: Qt's remark that the session has
// none would only stand between the user and the conversion's own messages.
void quietAboutTheRuntimeFolder(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))) return;
    std::cerr << qFormatLogMessage(type, context, message).toStdString() << std::endl;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (shinofu::app::isConversionCommand(args)) {
        // Pictures are drawn with Qt's painter and fonts, which need an application but no screen.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(quietAboutTheRuntimeFolder);
        QGuiApplication application(argc, argv);
        shinofu::app::installLanguage();
        return shinofu::app::runConversion(args, std::cerr);
    }

    // Start-up changes into the working folder, so relative names are resolved first.
    if (args.size() >= 2 && args.front() == "--audio-input") {
        shinofu::app::SoundInput::useFile(std::filesystem::absolute(args[1]));
        args.erase(args.begin(), args.begin() + 2);
    }
    std::optional<std::filesystem::path> scoreFile;
    if (!args.empty()) scoreFile = std::filesystem::absolute(args.front());
    QApplication application(argc, argv);
    QApplication::setApplicationName("Shinofu");
    shinofu::app::installLanguage();
    shinofu::app::Session session;
    shinofu::platform::QtDialogs dialogs(nullptr);
    auto messages = shinofu::app::startUp(session, {});
    for (const auto& message : messages) dialogs.message(message.kind, message.text);
    shinofu::app::MainWindow window(session, dialogs, std::make_unique<shinofu::platform::FluidMidiOut>());
    window.show();
    if (scoreFile) window.openAtStart(*scoreFile);
    return QApplication::exec();
}
