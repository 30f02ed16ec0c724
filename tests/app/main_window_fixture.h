// The main window started in a temporary companion folder, driven through its menus.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <filesystem>
#include <memory>

#include "app/command_table.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "temp_home.h"

namespace shinofu::testing {

inline const std::filesystem::path kDemo = std::filesystem::path(SHINOFU_SOURCE_DIR) / "data/demo/sakura.gd4";

class MainWindowTest : public ::testing::Test {
protected:
    explicit MainWindowTest(const char* name = "window") : home_(name) {}

    app::MainWindow& start() {
        app::StartupOptions options;
        options.installCompanionFiles = false;
        app::startUp(session_, options);
        window_ = std::make_unique<app::MainWindow>(session_, dialogs_,
                                                    std::make_unique<platform::NullMidiOut>("test"));
        return *window_;
    }
    void trigger(const std::vector<std::string>& path) {
        QAction* action = window_->action(app::commandPath(path));
        ASSERT_NE(action, nullptr) << app::commandPath(path);
        ASSERT_TRUE(action->isEnabled()) << app::commandPath(path);
        action->trigger();
    }

    TempHome home_;
    app::Session session_;
    platform::ScriptedDialogs dialogs_;
    std::unique_ptr<app::MainWindow> window_;
};

}  // namespace shinofu::testing
