#include "output/svg_picture.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>

#include "output/score_page.h"
#include "platform/qt_canvas.h"
#include "platform/ui_text.h"

namespace shinofu::output {
namespace {

constexpr int kCssDotsPerInch = 96;  // an SVG pixel: the picture opens at the size the view shows it

}  // namespace

bool writeSvgFile(const model::Score& score, const render::ViewState& view, const DrawingResources& resources,
                  const std::filesystem::path& path, platform::IoError& error) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QSize size(std::max(1, view.viewWidth), std::max(1, view.viewHeight));
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setResolution(kCssDotsPerInch);
    generator.setTitle(QString::fromStdString(score.title()));
    {
        QPainter painter(&generator);
        if (!painter.isActive()) {
            error.message = ui::text("ui", "SVG を作れません：") + path.string();
            return false;
        }
        painter.fillRect(QRect(QPoint(0, 0), size), platform::QtCanvas::toQColor(view.backColor));
        platform::QtCanvas canvas(painter, resources.paths, resources.catalog);
        drawScorePage(canvas, score, view);
    }
    return platform::writeFileAtomically(path, std::string(bytes.constData(), static_cast<size_t>(bytes.size())), error);
}

}  // namespace shinofu::output
