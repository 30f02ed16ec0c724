// Command-line conversions run in-process in a fresh folder with its own companion folder.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "platform/file_io.h"

namespace shinofu::testing {

class ConversionTest : public ::testing::Test {
protected:
    explicit ConversionTest(const std::string& name) : name_(name) {}

    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() / ("shinofu_" + name_ + "_" + std::to_string(::getpid()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        ::setenv("SHINOFU_HOME", (folder_ / "home").c_str(), 1);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string bytesOf(const std::filesystem::path& path) {
        platform::IoError error;
        return platform::readFileBytes(path, error).value_or("");
    }
    int run(std::vector<std::string> args) {
        err_.str("");
        return app::runConversion(args, err_);
    }

    std::string name_;
    std::filesystem::path folder_;
    std::ostringstream err_;
};

}  // namespace shinofu::testing
