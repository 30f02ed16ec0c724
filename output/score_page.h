// The page the view shows: the staff page with its fingering overlay, or the numeric page.
#pragma once

#include "model/score.h"
#include "platform/canvas.h"
#include "render/item_bounds.h"
#include "render/page_drawer.h"

namespace shinofu::output {

// Returns where the page's symbols and marks were drawn.
render::PageItems drawScorePage(platform::Canvas& canvas, const model::Score& score, const render::ViewState& view,
                   const render::PageOptions& options = {});

}  // namespace shinofu::output
