#include "output/pdf_file.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "output/score_page.h"
#include "platform/qt_canvas.h"
#include "render/page_tables.h"

namespace shinofu::output {
namespace {

constexpr int kDotsPerInch = 96;  // a view pixel is a CSS pixel on paper too

}  // namespace

bool writePdfFile(const model::Score& score, const render::ViewState& view, const DrawingResources& resources,
                  const std::filesystem::path& path, platform::IoError& error) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kDotsPerInch);
        writer.setPageSize(QPageSize(QSizeF(view.viewWidth * 72.0 / kDotsPerInch, view.viewHeight * 72.0 / kDotsPerInch),
                                     QPageSize::Point, QString(), QPageSize::ExactMatch));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setTitle(QString::fromStdString(score.title()));
        writer.setCreator("Shinofu");
        QPainter painter(&writer);
        if (!painter.isActive()) {
            error.message = "PDF を作れません：" + path.string();
            return false;
        }
        platform::QtCanvas canvas(painter, resources.paths, resources.catalog);
        render::ViewState page = view;
        const int pages = view.numericDisplay ? 1 : render::buildPageTables(score, view).pageCount;
        for (int number = 1; number <= pages; ++number) {
            if (number > 1) writer.newPage();
            page.curPage = number;
            painter.fillRect(QRect(0, 0, view.viewWidth, view.viewHeight), platform::QtCanvas::toQColor(view.backColor));
            drawScorePage(canvas, score, page);
        }
    }
    return platform::writeFileAtomically(path, std::string(bytes.constData(), static_cast<size_t>(bytes.size())), error);
}

}  // namespace shinofu::output
