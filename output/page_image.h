// The page drawn into a raster image: what the score view shows and what PNG export writes.
#pragma once

#include <QImage>

#include "model/score.h"
#include "platform/font_catalog.h"
#include "platform/music_glyphs.h"
#include "platform/qt_glyph_paths.h"
#include "render/item_bounds.h"
#include "render/page_drawer.h"

namespace shinofu::output {

// Shared, read-only drawing resources: the music glyphs and the face catalog.
struct DrawingResources {
    DrawingResources();
    platform::MusicGlyphs glyphs;
    platform::QtGlyphPaths paths{glyphs};
    platform::FontCatalog catalog;
};

// The page as a raster image; items, when given, receive where its symbols and marks were drawn.
QImage renderPageImage(const model::Score& score, const render::ViewState& view, const DrawingResources& resources,
                       const render::PageOptions& options = {}, render::PageItems* items = nullptr);

}  // namespace shinofu::output
