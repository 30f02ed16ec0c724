// "画面ファイル保存": the shown page as a metafile (drawn again at twice the view's resolution, a
// white border over its edge) or as the grey JPEG of the whole page.
#pragma once

#include <string>

#include "model/score.h"
#include "output/page_image.h"
#include "render/view_state.h"

namespace shinofu::output {

enum class MetafileKind { Enhanced, Plain };

// Pixels from the top of the staff page to below its last staff row at the view's scale, as
// far down as the rows were moved apart to keep their items clear.
int wholePageHeight(const model::Score& score, const render::ViewState& view, const DrawingResources& resources);

struct PictureSize {
    int width;
    int height;
};

// The metafile's bytes; empty when the metafile library failed.
std::string metafilePicture(MetafileKind kind, const model::Score& score, const render::ViewState& view,
                            const DrawingResources& resources);

// The raster the JPEG is made of: the view's picture, made tall enough for the whole staff page.
QImage wholePageImage(const model::Score& score, const render::ViewState& view, const DrawingResources& resources);

}  // namespace shinofu::output
