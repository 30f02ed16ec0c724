#include "audio/frame_detector.h"

#include "platform/ui_text.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

namespace shinofu::audio {
namespace {

constexpr const char* kModule = "libshinofu_aubio.so";

// In lib/shinofu beside the program's folder: /usr/bin/../lib/shinofu installed, build/lib/shinofu in a
// build tree, whose programs sit one or two folders deeper. Found by path rather than a run path,
// which a sanitizer's dlopen does not consult.
void* openModule(std::string& failure) {
    std::error_code error;
    std::filesystem::path folder = std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
    for (int up = 0; !error && up < 3 && folder.has_relative_path(); ++up, folder = folder.parent_path()) {
        const std::filesystem::path candidate = folder.parent_path() / "lib" / "shinofu" / kModule;
        if (std::filesystem::exists(candidate, error)) {
            if (void* handle = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL)) return handle;
            failure = ::dlerror();
            return nullptr;
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
        error = ui::text("ui", "音声を解析する部品を読み込めません：") + failure;
        return nullptr;
    }
    auto* make = reinterpret_cast<decltype(&shinofu_new_frame_detector)>(::dlsym(module, "shinofu_new_frame_detector"));
    FrameDetector* detector = make ? make(FrameDetector::kInterface, rate, window, hop) : nullptr;
    if (!detector) {
        error = ui::format(ui::text("ui", "音声を解析する部品が、このプログラムと版が合わないか、この音声を扱えません（%1 Hz）"),
                           {std::to_string(rate)});
    }
    return std::unique_ptr<FrameDetector>(detector);
}

}  // namespace shinofu::audio
