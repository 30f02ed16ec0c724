// The music glyphs as Qt painter paths, made once per character and size and reused.
#pragma once

#include <QImage>
#include <QPainterPath>
#include <tuple>
#include <map>
#include <mutex>
#include <string>

#include "platform/music_glyphs.h"

namespace shinofu::platform {

class QtGlyphPaths {
public:
    explicit QtGlyphPaths(const MusicGlyphs& glyphs) : glyphs_(glyphs) {}

    // The character's outline with its cell's top-left at the origin.
    const QPainterPath& path(uint8_t code, int cellHeight) const;
    const MusicGlyphs& glyphs() const { return glyphs_; }

    // The character rendered once in a colour, for raster targets, where drawing an image is far
    // cheaper than filling the outline again; offset is where the image's corner lies from the cell's.
    struct Stamp {
        QImage image;
        QPoint offset;
    };
    // Null for glyphs too large to keep as images (fill the path instead). The stamps share a byte
    // budget; past it the cache starts afresh, so no file's sizes can make it grow without end.
    const Stamp* stamp(uint8_t code, int cellHeight, QRgb colour) const;


private:
    const MusicGlyphs& glyphs_;
    mutable std::map<std::pair<uint8_t, int>, QPainterPath> paths_;
    mutable std::map<std::tuple<uint8_t, int, QRgb>, Stamp> stamps_;
    mutable size_t stampBytes_ = 0;
    mutable std::mutex mutex_;
};

// A glyph outline as a painter path, offset by (dx, dy).
QPainterPath toPainterPath(const Path& path, double dx = 0, double dy = 0);

}  // namespace shinofu::platform
