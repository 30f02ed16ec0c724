#include "output/print_document.h"

#include <QBuffer>
#include <QDate>
#include <QLocale>
#include <QPageSize>
#include <QPdfWriter>

#include "output/score_page.h"
#include "platform/qt_canvas.h"
#include "platform/ui_text.h"

namespace shinofu::output {
namespace {

constexpr int kPdfDotsPerInch = 600;

void printPage(QPainter& painter, platform::QtCanvas& canvas, QPagedPaintDevice& device, const model::Score& score,
               const render::ViewState& shown, const PrintJob& job, int page) {
    const int paperWidth = device.width();
    const int paperHeight = device.height();
    const PrintPlacement placement = printPlacement(job.settings, paperWidth, paperHeight, shown.viewWidth);
    render::ViewState view = shown;
    view.curPage = page;
    view.edit.shown = false;
    render::PageOptions options;
    options.clear = false;  // paper is its own background
    if (view.numericDisplay) {
        // The numeric page is laid out in view pixels; the painter scales it onto the paper.
        view.originX = 0;
        view.originY = 0;
        painter.save();
        painter.translate(-placement.originX, -placement.originY);
        painter.scale(placement.scale, placement.scale);
        drawScorePage(canvas, score, view, options);
        painter.restore();
    } else {
        view.zoom *= placement.scale;
        view.originX = placement.originX;
        view.originY = placement.originY;
        drawScorePage(canvas, score, view, options);
    }

    HeaderContext context{score.title(), page, job.date, score.fonts[0], view.drawUnit(), paperWidth, paperHeight,
                          [&canvas](const std::string& text, const platform::FontDescription& font) {
                              return canvas.textWidth(text, font);
                          }};
    if (view.numericDisplay) context.drawUnit = shown.drawUnit() * placement.scale;
    canvas.setTextColour(shown.drawColor);
    canvas.setTextBackground(false, shown.backColor);
    for (const PrintedText& text : headerTexts(job.settings, job.headerItems, context)) {
        canvas.text(text.x, text.y, text.text, text.font);
    }
}

}  // namespace

std::string todayShortDate() {
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();
}

void printPages(QPainter& painter, QPagedPaintDevice& device, const model::Score& score, const render::ViewState& view,
                const DrawingResources& resources, const PrintJob& job) {
    platform::QtCanvas canvas(painter, resources.paths, resources.catalog);
    for (int page = job.firstPage; page <= job.lastPage; ++page) {
        if (page > job.firstPage) device.newPage();
        printPage(painter, canvas, device, score, view, job, page);
    }
}

bool writePdfFile(const model::Score& score, const render::ViewState& view, const DrawingResources& resources,
                  const PrintJob& job, const std::filesystem::path& path, platform::IoError& error) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfDotsPerInch);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setTitle(QString::fromStdString(score.title()));
        writer.setCreator("Shinofu");
        QPainter painter(&writer);
        if (!painter.isActive()) {
            error.message = ui::text("ui", "PDF を作れません：") + path.string();
            return false;
        }
        printPages(painter, writer, score, view, resources, job);
    }
    return platform::writeFileAtomically(path, std::string(bytes.constData(), static_cast<size_t>(bytes.size())), error);
}

}  // namespace shinofu::output
