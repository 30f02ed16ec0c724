#include "platform/font_catalog.h"

#include <array>
#include <utility>

namespace shinofu::platform {

std::string FontCatalog::installedFace(std::string_view storedFace) const {
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 5> kFaces = {{
        {"ＭＳ ゴシック", "IPAGothic"},
        {"ＭＳ Ｐゴシック", "IPAPGothic"},
        {"ＭＳ 明朝", "IPAMincho"},
        {"ＭＳ Ｐ明朝", "IPAPMincho"},
        {"HG行書体", "AoyagiKouzanFontT"},
    }};
    for (const auto& [windows, installed] : kFaces) {
        if (windows == storedFace) return std::string(installed);
    }
    if (isMusicFace(storedFace)) return kMusicFace;
    std::string face(storedFace);
    return !face.empty() && isInstalled_ && isInstalled_(face) ? face : kFallbackFace;
}

}  // namespace shinofu::platform
