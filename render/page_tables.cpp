#include "render/page_tables.h"

#include <algorithm>

namespace shinofu::render {

int PageTables::measuresOn(int page, int line) const {
    int index = lineIndex(page, line);
    return index >= 0 && index < kLineTableSize ? lineMeasures[index] : lineMeasures[kLineTableSize - 1];
}

int PageTables::pageStart(int page) const {
    return page >= 1 && page - 1 < static_cast<int>(pageEnd.size()) ? pageEnd[page - 1] : pageEnd.back();
}

PageTables buildPageTables(const model::Score& score, const ViewState& view) {
    PageTables tables;
    const int measPerLine = std::max(1, score.song.measPerLine);
    const bool songTable = view.printView && score.song.lineMeasures[0] != 0;
    for (int i = 0; i < kLineTableSize; ++i) {
        int count = songTable ? score.song.lineMeasures[i] : measPerLine;
        tables.lineMeasures[i] = count > 0 ? count : measPerLine;
    }
    tables.lineStart[0] = 1;
    for (int i = 0; i < kLineTableSize; ++i) tables.lineStart[i + 1] = tables.lineStart[i] + tables.lineMeasures[i];

    for (int part = 1; part <= score.partCount; ++part) tables.visibleCount += score.part(part).visible;
    // A chorus pairs two visible parts on one staff; with too few parts the pairs that cannot be
    // formed are drawn as single staves, so a system always has at least one staff.
    tables.chorusCount = std::min(score.chorusCount, tables.visibleCount / 2);
    tables.stavesPerSystem = std::max(1, tables.visibleCount - tables.chorusCount);
    // More staves than rows still shows one system per page.
    tables.systemsPerPage = std::max(1, view.rowsPerPage / tables.stavesPerSystem);
    tables.pageLen = tables.systemsPerPage * measPerLine * score.measureLen();
    tables.pageCount = score.scoreLength() / tables.pageLen + 1;

    tables.pageEnd.push_back(0);
    int total = 0;
    int line = 0;
    const int length = score.scoreLength();
    while (true) {
        for (int j = 0; j < tables.systemsPerPage; ++j, ++line) {
            total += tables.lineMeasures[std::min(line, kLineTableSize - 1)] * score.measureLen();
        }
        tables.pageEnd.push_back(total);
        if (total >= length) break;
    }
    if (tables.pageEnd.back() > length) tables.pageEnd.push_back(length);
    return tables;
}

}  // namespace shinofu::render

namespace shinofu::render {

LinePosition posToLine(const PageTables& tables, int measureLen, int position) {
    int start = 0;
    for (int line = 0; line < kLineTableSize; ++line) {
        const int length = tables.lineMeasures[line] * measureLen;
        if (length <= 0) break;
        if (position < start + length) {
            return {(position - start) / measureLen + 1, (position - start) % measureLen, line % tables.systemsPerPage};
        }
        start += length;
    }
    return {1, 1, -1};
}

}  // namespace shinofu::render
