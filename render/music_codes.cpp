#include "render/music_codes.h"

#include "platform/text_codec.h"

namespace shinofu::render {

std::string musicText(int code) {
    return platform::TextCodec::decode(std::string(1, static_cast<char>(static_cast<uint8_t>(code))));
}

}  // namespace shinofu::render
