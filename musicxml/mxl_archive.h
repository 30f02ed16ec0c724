// Compressed MusicXML (".mxl"): a ZIP whose META-INF/container.xml names the score document.
// Entries are read with a ceiling on what they unpack to, whatever their headers claim.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace shinofu::musicxml {

constexpr size_t kMostDocumentBytes = size_t{64} << 20;

bool looksLikeZip(std::string_view bytes);

struct MxlUnpacked {
    std::optional<std::string> document;
    std::string error;  // why not, in Japanese
};

MxlUnpacked unpackMxl(std::string_view bytes, size_t mostBytes = kMostDocumentBytes);

}  // namespace shinofu::musicxml
