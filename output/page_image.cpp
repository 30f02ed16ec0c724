#include "output/page_image.h"

#include <QPainter>

#include "output/score_page.h"
#include "platform/qt_canvas.h"

namespace shinofu::output {

DrawingResources::DrawingResources() : catalog(platform::QtCanvas::isFamilyInstalled) {}

QImage renderPageImage(const model::Score& score, const render::ViewState& view, const DrawingResources& resources,
                       const render::PageOptions& options, render::PageItems* items) {
    QImage image(std::max(1, view.viewWidth), std::max(1, view.viewHeight), QImage::Format_RGB32);
    image.fill(platform::QtCanvas::toQColor(view.backColor));
    QPainter painter(&image);
    platform::QtCanvas canvas(painter, resources.paths, resources.catalog);
    render::PageItems drawn = drawScorePage(canvas, score, view, options);
    if (items) *items = std::move(drawn);
    return image;
}

}  // namespace shinofu::output
