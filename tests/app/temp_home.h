// A fresh companion folder and working folder for one test, removed afterwards.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace shinofu::testing {

class TempHome {
public:
    explicit TempHome(const std::string& name) {
        root_ = std::filesystem::temp_directory_path() / ("shinofu_" + name + "_" + std::to_string(::getpid()));
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_);
        ::setenv("SHINOFU_HOME", companion().c_str(), 1);
        ::setenv("HOME", (root_ / "user").c_str(), 1);
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(root_);
    }
    ~TempHome() {
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(root_);
    }
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    std::filesystem::path root() const { return root_; }
    std::filesystem::path companion() const { return root_ / "companion"; }

private:
    std::filesystem::path root_;
    std::filesystem::path previous_;
};

}  // namespace shinofu::testing
