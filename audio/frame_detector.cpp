#include "audio/frame_detector.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

namespace shinofu::audio {
namespace {

constexpr const char* kModule = "libshinofu_aubio.so";

// Installed beside the program's libraries (bin/../lib/shinofu); in a build tree the run path finds it.
void* openModule(std::string& failure) {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        const std::filesystem::path installed = program.parent_path().parent_path() / "lib" / "shinofu" / kModule;
        if (std::filesystem::exists(installed, error)) {
            if (void* handle = ::dlopen(installed.c_str(), RTLD_NOW | RTLD_LOCAL)) return handle;
        }
    }
    if (void* handle = ::dlopen(kModule, RTLD_NOW | RTLD_LOCAL)) return handle;
    const char* told = ::dlerror();
    failure = told ? told : kModule;
    return nullptr;
}

}  // namespace

std::unique_ptr<FrameDetector> newFrameDetector(int rate, int window, int hop, std::string& error) {
    // Loaded once and kept: the detectors it makes live on its code.
    static std::string failure;
    static void* const module = openModule(failure);
    if (!module) {
        error = "音声を解析する部品を読み込めません：" + failure;
        return nullptr;
    }
    auto* make = reinterpret_cast<decltype(&shinofu_new_frame_detector)>(::dlsym(module, "shinofu_new_frame_detector"));
    FrameDetector* detector = make ? make(FrameDetector::kInterface, rate, window, hop) : nullptr;
    if (!detector) error = "音声を解析する部品が、このプログラムと版が合わないか、この音声を扱えません（" + std::to_string(rate) + " Hz）";
    return std::unique_ptr<FrameDetector>(detector);
}

}  // namespace shinofu::audio
