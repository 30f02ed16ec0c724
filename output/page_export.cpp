#include "output/page_export.h"

#include <cmath>
#include <memory>
#include <vector>

#include <QPainter>

#include "numeric/numeric_page.h"
#include "output/emf_canvas.h"
#include "output/score_page.h"
#include "platform/qt_canvas.h"
#include "render/page_drawer.h"
#include "output/wmf_canvas.h"

namespace shinofu::output {
namespace {

constexpr int kMetafileScale = 2;
constexpr int kDotsPerInch = 96 * kMetafileScale;  // placed in a document, the picture keeps the view's size
constexpr double kNumericPageRatio = 1.414;        // the numeric page is laid out on an A-series sheet
constexpr int kBorderPen = 3;

int rounded(double value) { return static_cast<int>(std::lround(value)); }

// The view the metafile is drawn with, and the numeric page's measured picture.
struct MetafileLayout {
    render::ViewState view;
    PictureSize size;
};

MetafileLayout metafileLayout(const model::Score& score, const render::ViewState& shown, const DrawingResources& resources) {
    render::ViewState view = shown;
    view.originX = 0;
    view.originY = 0;
    view.edit.shown = false;  // a picture for documents, not the editor's marking
    if (!view.numericDisplay) {
        // The lines keep the view's layout; only the drawing unit grows.
        view.zoom *= kMetafileScale;
        return {view, {shown.viewWidth * kMetafileScale, wholePageHeight(score, shown, resources) * kMetafileScale}};
    }
    view.viewHeight = rounded(shown.viewWidth * kNumericPageRatio);
    const numeric::NumericPictureExtent extent =
        numeric::measureNumPage(score, {view.viewWidth, view.viewHeight, 0, 0, view.backColor, view.drawColor, true});
    view.originX = extent.left;
    return {view, {std::max(1, shown.viewWidth - extent.left), std::max(1, extent.height)}};
}

}  // namespace

int wholePageHeight(const model::Score& score, const render::ViewState& view, const DrawingResources& resources) {
    // Only a drawing tells how far the rows were moved apart: drawn once where nothing shows.
    QImage probe(1, 1, QImage::Format_RGB32);
    QPainter painter(&probe);
    platform::QtCanvas canvas(painter, resources.paths, resources.catalog);
    std::vector<double> rowDrop;
    render::PageOptions options;
    options.rowDrop = &rowDrop;
    render::ViewState page = view;
    page.originX = 0;
    page.originY = 0;
    drawScorePage(canvas, score, page, options);
    const double lastRow = static_cast<double>(rowDrop.size()) * view.lineSpacing + (rowDrop.empty() ? 0.0 : rowDrop.back());
    return std::max(render::rowsHeight(view), rounded((view.topMargin + lastRow + 9) * view.drawUnit()));
}

std::string metafilePicture(MetafileKind kind, const model::Score& score, const render::ViewState& shown,
                            const DrawingResources& resources) {
    const MetafileLayout layout = metafileLayout(score, shown, resources);
    const PictureSize size = layout.size;
    std::unique_ptr<MetafileCanvas> target;
    if (kind == MetafileKind::Enhanced) {
        target = std::make_unique<EmfCanvas>(size.width, size.height, kDotsPerInch, resources.paths, resources.catalog);
    } else {
        target = std::make_unique<WmfCanvas>(size.width, size.height, kDotsPerInch, resources.paths, resources.catalog);
    }
    const platform::Colour white = 0xFFFFFF;
    target->setPen({white, 1});
    target->setBrush({white, false});
    target->rectangle(0, 0, size.width, size.height);
    render::PageOptions options;
    options.clear = false;  // the picture is white already, and larger than the view
    drawScorePage(*target, score, layout.view, options);
    // Covers the frame line the page draws along its edge.
    target->setPen({white, kBorderPen});
    target->setBrush({0, true});
    target->rectangle(0, 0, size.width, size.height);
    return target->finish();
}

QImage wholePageImage(const model::Score& score, const render::ViewState& shown, const DrawingResources& resources) {
    render::ViewState view = shown;
    view.originX = 0;
    view.originY = 0;
    if (!view.numericDisplay) view.viewHeight = wholePageHeight(score, shown, resources);
    return renderPageImage(score, view, resources);
}

}  // namespace shinofu::output
