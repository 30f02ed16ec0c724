// Counts the items drawn over one another (collision_count [--formulas] [SEED [FOLDER]]): every page of a corpus — the
// demo, the engraving gallery, the fingering score, random scores of every meter and key with
// marks, signs, lyrics and numerals (alone and two parts in chorus), a 2048-measure melody — drawn
// through the real fonts, and per page kind the pairs of items whose ink boxes overlap (by two
// pixels or more: the boxes are rounded outwards). A note's
// own pieces, and signs on their bar lines, are meant to touch and are not counted.
#include <QGuiApplication>
#include <QPainter>

#include <cstdio>
#include <filesystem>
#include <random>
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "edit/mark_commands.h"
#include "midi/performance_pass.h"
#include "model/score_file.h"
#include "model/score_reader.h"
#include "output/page_image.h"
#include "render/page_tables.h"

namespace {

using namespace shinofu;
namespace fs = std::filesystem;

bool counted(render::InkKind kind) { return kind != render::InkKind::Ground && kind != render::InkKind::StaffLine; }

// Pairs of items, one of them placed, whose ink overlaps.
struct Tally {
    long pages = 0;
    long collisions = 0;
};
// Over the whole corpus, by the kinds of the two items: where the remaining overlaps come from.
std::map<std::pair<int, int>, long> gByKinds;
const char* const kKindNames[] = {"ground", "staff line", "staff sign", "note", "numeral", "lyric", "symbol", "mark"};

// With a folder named, each page with overlaps is written there with the overlapping boxes outlined.
fs::path gPictures;
int gPictureCount = 0;

bool gKeepClear = true;

void countPages(const model::Score& score, render::ViewState view, const output::DrawingResources& resources,
                Tally& tally) {
    const int pages = render::buildPageTables(score, view).pageCount;
    for (view.curPage = 1; view.curPage <= pages; ++view.curPage) {
        std::vector<render::Ink> ink;
        render::PageOptions options;
        options.ink = &ink;
        options.keepClear = gKeepClear;
        QImage page = output::renderPageImage(score, view, resources, options);
        std::map<std::pair<int, int>, std::pair<int, int>> pairs;  // owners → kinds
        for (size_t i = 0; i < ink.size(); ++i) {
            if (!counted(ink[i].kind)) continue;
            for (size_t j = i + 1; j < ink.size(); ++j) {
                const render::Ink& a = ink[i];
                const render::Ink& b = ink[j];
                if (a.owner == b.owner || !counted(b.kind) || !(render::isPlacedItem(a.kind) || render::isPlacedItem(b.kind))) continue;
                if (!a.box.near(b.box, -1)) continue;  // sharing one pixel row is touching
                const int first = static_cast<int>(a.kind);
                const int second = static_cast<int>(b.kind);
                pairs.emplace(std::pair(std::min(a.owner, b.owner), std::max(a.owner, b.owner)),
                              std::pair(std::min(first, second), std::max(first, second)));
            }
        }
        for (const auto& [owners, kinds] : pairs) ++gByKinds[kinds];
        if (!gPictures.empty() && !pairs.empty() && gPictureCount < 40) {
            QPainter painter(&page);
            painter.setPen(QColor(255, 0, 0));
            for (const render::Ink& piece : ink) {
                for (const auto& [owners, kinds] : pairs) {
                    if (piece.owner != owners.first && piece.owner != owners.second) continue;
                    painter.drawRect(piece.box.left, piece.box.top, piece.box.right - piece.box.left - 1,
                                     piece.box.bottom - piece.box.top - 1);
                    break;
                }
            }
            painter.end();
            page.save(QString::fromStdString((gPictures / ("page" + std::to_string(++gPictureCount) + ".png")).string()));
        }
        ++tally.pages;
        tally.collisions += static_cast<long>(pairs.size());
    }
}

void readFile(const fs::path& path, model::Score& score) {
    platform::IoError error;
    if (!model::loadScoreFile(path, score, model::ReadOptions{}, error)) std::fprintf(stderr, "%s\n", error.message.c_str());
}

// A melody of the meter with lyrics, marks, dynamics, hairpins and signs on random notes and measures.
void randomScore(std::mt19937& rng, int meter, int key, int parts, int measures, model::Score& score) {
    static const char* meters[] = {"4/4", "3/4", "2/4", "3/8", "6/8"};
    static const int measureLengths[] = {384, 288, 192, 144, 288};
    static const char* keys[] = {"C", "G", "D", "A", "E", "B", "F#", "C#", "F", "B-", "E-", "A-", "D-", "G-", "C-"};
    static const char* pitches[] = {"c1", "d1", "e1", "f1", "g1", "a1", "b1", "c2", "d2", "e2", "f2", "g2", "a2", "rest"};
    static const char* lyrics[] = {"さ", "く", "ら", "や", "よ", "い"};
    std::vector<std::string> lines = {"$V:3", std::string("$KEY:") + keys[key] + ",8",
                                      std::string("$TEMPO:=60,1,-8,0,0,0,6,10,10,0,M,1,-8,0,0,0,6,10,15,8,") + meters[meter],
                                      "$END"};
    for (int part = 1; part <= parts; ++part) {
        if (part > 1) lines.push_back("$START");
        for (int measure = 0; measure < measures; ++measure) {
            std::string line;
            for (int filled = 0; filled < measureLengths[meter];) {
                const int len = std::min(measureLengths[meter] - filled, rng() % 2 ? 48 : 96);
                line += (line.empty() ? "" : ",") + std::string(pitches[rng() % std::size(pitches)]) + " n n " +
                        std::to_string(len) + (rng() % 2 ? " u" : " d");
                filled += len;
            }
            lines.push_back(line);
        }
    }
    model::readScore(lines, score, model::ReadOptions{});
    score.recomputePositions();
    const render::ViewState view;
    const render::PageTables tables = render::buildPageTables(score, view);
    auto pageOf = [&](int position) {
        int page = 1;
        while (page < tables.pageCount && position >= tables.pageStart(page + 1)) ++page;
        return page;
    };
    const int measureLen = score.measureLen();
    for (int part = 1; part <= parts; ++part) {
        for (model::TNote* note = score.part(part).partHead; !note->isEndMarker(); note = note->next) {
            if (!model::isStaffPitch(note->pitch)) continue;
            if (rng() % 2) note->lyric = lyrics[rng() % std::size(lyrics)];
            const int page = pageOf(note->startPos);
            auto& marks = score.part(part).marks;
            switch (rng() % 12) {
            case 0: marks.push_back(edit::performanceMark(score, static_cast<edit::MarkKind>(1 + rng() % 3), note->startPos, page)); break;
            case 1: marks.push_back(edit::dynamicsMark(score, 1 + static_cast<int>(rng() % 8), note->startPos, page)); break;
            case 2:
                if (note->next && !note->next->isEndMarker()) {
                    marks.push_back(edit::hairpinMark(score, rng() % 2 ? model::kCrescendoStart : model::kDecrescendoStart, note->startPos, page, 12));
                    marks.push_back(edit::hairpinMark(score, model::HairpinRole(marks.back().hairpin + 1), note->next->startPos, page, 12));
                }
                break;
            default: break;
            }
        }
    }
    for (int measure = 0; measure < measures; measure += 1 + static_cast<int>(rng() % 4)) {
        const auto sign = edit::measureSign(static_cast<model::SymbolKind>(1 + rng() % 12), measure * measureLen,
                                            pageOf(measure * measureLen), 100);
        if (sign) {
            for (int part = 1; part <= parts; ++part) score.part(part).symbols.push_back(*sign);
        }
    }
    midi::performancePass(score);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    // "--formulas": the items where the layout formulas put them, before the clearance.
    if (argc > 1 && std::string(argv[1]) == "--formulas") {
        gKeepClear = false;
        --argc;
        ++argv;
    }
    std::mt19937 rng(argc > 1 ? static_cast<unsigned>(std::stoul(argv[1])) : 20261208u);
    if (argc > 2) {
        gPictures = argv[2];
        fs::create_directories(gPictures);
    }
    const output::DrawingResources resources;
    const fs::path source = SHINOFU_SOURCE_DIR;
    auto report = [](const char* kind, const Tally& tally) {
        std::printf("  %-34s %5ld pages, %6ld overlapping pairs\n", kind, tally.pages, tally.collisions);
    };
    std::printf("items drawn over one another, per page kind%s\n", gKeepClear ? "" : " (formula places, no clearance)");
    render::ViewState staff;
    render::ViewState print = staff;
    print.printView = true;

    Tally files, filesPrint;
    for (const char* file : {"data/demo/sakura.gd4", "tests/data/engraving_gallery.gd4", "tests/data/fingerings.gd4"}) {
        model::Score score;
        readFile(source / file, score);
        midi::performancePass(score);
        countPages(score, staff, resources, files);
        countPages(score, print, resources, filesPrint);
    }
    report("demo, gallery, fingerings: view", files);
    report("demo, gallery, fingerings: print", filesPrint);

    Tally random, chorus;
    for (int meter = 0; meter < 5; ++meter) {
        for (int key = 0; key < 15; ++key) {
            model::Score score;
            randomScore(rng, meter, key, 1, 16, score);
            countPages(score, staff, resources, random);
            model::Score pair;
            randomScore(rng, meter, key, 2, 8, pair);
            pair.chorusCount = 1;
            pair.applyChorusStems();
            render::ViewState numerals = staff;
            numerals.chorusNumeric = true;
            countPages(pair, numerals, resources, chorus);
        }
    }
    report("random, every meter and key", random);
    report("random, two parts in chorus", chorus);

    Tally melody;
    model::Score melodyScore;
    randomScore(rng, 0, 0, 1, 2048, melodyScore);
    countPages(melodyScore, staff, resources, melody);
    report("2048-measure melody", melody);
    std::printf("by kinds of item\n");
    for (const auto& [kinds, count] : gByKinds) {
        std::printf("  %-24s %6ld\n", (std::string(kKindNames[kinds.first]) + " / " + kKindNames[kinds.second]).c_str(), count);
    }
    return 0;
}
