// Maps the Windows face names that scores store onto the faces installed here.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace shinofu::platform {

class FontCatalog {
public:
    static constexpr const char* kMusicFace = "ShinofuMusic";
    static constexpr const char* kFallbackFace = "IPAGothic";

    // isInstalled tells whether a family is available; unknown faces that are not installed fall back.
    explicit FontCatalog(std::function<bool(const std::string&)> isInstalled) : isInstalled_(std::move(isInstalled)) {}

    std::string installedFace(std::string_view storedFace) const;
    static bool isMusicFace(std::string_view face) { return face == kMusicFace; }

private:
    std::function<bool(const std::string&)> isInstalled_;
};

}  // namespace shinofu::platform
