#include "app/page_files.h"

#include "output/picture_file.h"
#include "output/print_document.h"
#include "output/svg_picture.h"
#include "platform/file_io.h"

namespace shinofu::app {

namespace fs = std::filesystem;

fs::path pageFile(const fs::path& out, int page) {
    return out.parent_path() / (out.stem().string() + "-" + std::to_string(page) + out.extension().string());
}

bool writePageFiles(const fs::path& out, const Session& session, const render::ViewState& shown,
                    const output::DrawingResources& resources, int pageCount, std::optional<int> page,
                    std::string& error) {
    const std::string ext = platform::lowerExtension(out);
    platform::IoError failure;
    render::ViewState view = shown;
    if (ext == ".pdf") {
        output::PrintJob job;
        job.headerItems = session.config.headerItems;
        job.date = output::todayShortDate();
        job.lastPage = pageCount;
        if (page) job.firstPage = job.lastPage = *page;
        if (output::writePdfFile(session.score, view, resources, job, out, failure)) return true;
        error = failure.message;
        return false;
    }
    // One page as named, or every page of several as OUT-1, OUT-2, ...
    const int first = page.value_or(1);
    const int last = page.value_or(pageCount);
    const auto target = [&](int number) { return first == last ? out : pageFile(out, number); };
    bool written = true;
    if (ext == ".png") {
        written = output::writePagePngs(session.score, view, resources, first, last, target, failure);
    } else {
        for (int number = first; number <= last && written; ++number) {
            view.curPage = number;
            written = output::writeSvgFile(session.score, view, resources, target(number), failure);
        }
    }
    if (!written) {
        error = failure.message;
        return false;
    }
    // Every page written: the pages of an earlier, longer export under the same name go, so the
    // folder holds this score's pages alone. Only names of exactly that pattern, up to the first gap.
    if (!page) {
        std::error_code ignored;
        for (int number = first == last ? 1 : last + 1; fs::is_regular_file(pageFile(out, number), ignored); ++number) {
            fs::remove(pageFile(out, number), ignored);
        }
    }
    return true;
}

}  // namespace shinofu::app
