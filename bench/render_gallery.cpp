// Renders the engraving gallery (render_gallery OUTDIR [SCALE]): every note value, rest, dot, accidental, ledger lines, both clefs,
// all key signatures and meters, as PNG pages to look at after any change to the drawing.
#include <QGuiApplication>
#include <QPainter>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "midi/performance_pass.h"
#include "model/score.h"
#include "model/score_reader.h"
#include "output/page_image.h"
#include "platform/file_io.h"
#include "platform/qt_canvas.h"
#include "render/music_codes.h"
#include "platform/text_codec.h"
#include "render/view_state.h"

namespace {

namespace fs = std::filesystem;
using namespace shinofu;

std::vector<std::string> scoreLines(const std::string& header, const std::vector<std::string>& parts) {
    std::vector<std::string> lines = {"$V:3", header, "$END"};
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) lines.push_back("$START");
        lines.push_back(parts[i]);
    }
    return lines;
}

// Magnification of every page, for looking at details: noteSize and view grow together.
double gScale = 1.0;

void renderPage(const fs::path& file, const std::vector<std::string>& lines, bool fClef = false, int rows = 12) {
    model::Score score;
    model::readScore(lines, score, model::ReadOptions{});
    if (fClef) score.part(1).fClef = true;
    render::ViewState view;
    view.rowsPerPage = rows;
    view.showMeasureNumbers = true;
    view.noteSize *= gScale;
    view.viewWidth = static_cast<int>(view.viewWidth * gScale);
    view.viewHeight = static_cast<int>(view.viewHeight * gScale);
    output::DrawingResources resources;
    QImage image = output::renderPageImage(score, view, resources);
    image.save(QString::fromStdString(file.string()));
}

const char* kNoteValues =
    "c2 n n 384 u,"
    "b1 n n 192 u,c2 n n 192 d,"
    "g1 n n 96 u,d2 n n 96 d,a1 n n 48 u,e2 n n 48 d,f1 n n 24 u,g2 n n 24 d,b1 n n 24 u,f2 n n 24 d,"
    "g1 n n 144 u,a1 n n 48 u,b1 n n 288 d,c2 n n 72 d,d2 n n 24 d,"
    "e1 n n 64 u,f1 n n 64 u,g1 n n 64 u,rest n n 192 u,"
    "rest n n 384 u,"
    "rest n n 24 u,rest n n 48 u,rest n n 96 u,rest n n 192 u,"
    "c1 # n 96 u,d1 f n 96 u,e1 - n 96 u,f1 x n 96 u,"
    "g1 d n 96 u,a1 # n 96 u,c2 f n 96 d,b1 - n 96 d,"
    "c1 n n 96 u,a0 n n 96 u,f0 n n 96 u,c0 n n 96 u,"
    "a2 n n 96 d,c3 n n 96 d,e3 n n 96 d,b3 n n 96 d";

// Every character of the music font in a labelled grid, each cell's top-left marked.
void renderGlyphSheet(const fs::path& file) {
    std::vector<int> codes = {':', ';', 'Q', 'R', 'P', 'S', 'T', ',', '=', '>', '?', 'J', 'K', 'M', 'W', 'V', 'Z',
                              '[', 'X', 'Y', ']', '^', '_', '\\', 'H', 'D', 'F', 'E', 'B', 'C', 'A', 'G'};
    for (int code = 162; code <= 166; ++code) codes.push_back(code);
    for (int offset = 33; offset <= 42; ++offset) codes.push_back(160 + offset);
    for (int offset = 33; offset <= 42; ++offset) codes.push_back(offset);
    constexpr int kColumns = 10;
    constexpr int kCell = 110;
    const int rows = (static_cast<int>(codes.size()) + kColumns - 1) / kColumns;
    QImage image(kColumns * kCell, rows * kCell, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    output::DrawingResources resources;
    platform::QtCanvas canvas(painter, resources.paths, resources.catalog);
    platform::FontDescription label;
    label.height = 12;
    label.face = "ＭＳ ゴシック";
    for (size_t i = 0; i < codes.size(); ++i) {
        const int x = static_cast<int>(i % kColumns) * kCell + 20;
        const int y = static_cast<int>(i / kColumns) * kCell + 24;
        canvas.setPen({0xC0C0C0, 1, platform::PenStyle::Solid, platform::RasterMode::Copy});
        canvas.moveTo(x - 6, y);
        canvas.lineTo(x + 6, y);
        canvas.moveTo(x, y - 6);
        canvas.lineTo(x, y + 6);
        canvas.setTextColour(0x808080);
        canvas.text(x - 14, y - 22, std::to_string(codes[i]), label);
        canvas.setTextColour(0);
        platform::FontDescription music;
        music.height = 48;
        music.face = render::kMusicFace;
        canvas.text(x, y, render::musicText(codes[i]), music);
    }
    image.save(QString::fromStdString(file.string()));
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const fs::path folder = argc > 1 ? argv[1] : "gallery";
    if (argc > 2) gScale = std::stod(argv[2]);
    fs::create_directories(folder);
    renderGlyphSheet(folder / "glyphs.png");
    renderPage(folder / "notes.png", scoreLines("$MeasNum:4", {kNoteValues}));
    renderPage(folder / "fclef.png",
           scoreLines("$MeasNum:4", {"c-1 n n 96 u,e- n n 96 u,g- n n 96 u,b- n n 96 u,d0 n n 96 d,f0 # n 96 d,"
                                     "a0 n n 96 d,c1 n n 96 d,e1 n n 96 d,g1 n n 96 d,rest n n 192 u"}),
           true);
    const char* keys[] = {"C", "G", "D", "A", "E", "B", "F#", "C#", "F", "B-", "E-", "A-", "D-", "G-", "C-"};
    for (int key = 0; key < 15; ++key) {
        renderPage(folder / ("key" + std::to_string(key) + ".png"),
               scoreLines(std::string("$KEY:") + keys[key] + ",8", {"c1 n n 96 u,d1 n n 96 u,e1 n n 96 u,f1 n n 96 u"}),
               false, 1);
    }
    const char* meters[][2] = {{"4/4", "c1 n n 384 u"}, {"3/4", "c1 n n 288 u,rest n n 288 u"},
                               {"2/4", "c1 n n 192 u,rest n n 192 u"}, {"3/8", "c1 n n 144 u,rest n n 144 u"},
                               {"6/8", "c1 n n 288 u,rest n n 288 u"}};
    for (int meter = 0; meter < 5; ++meter) {
        renderPage(folder / ("meter" + std::to_string(meter) + ".png"),
               scoreLines(std::string("$TEMPO:=60,1,-8,0,0,0,6,10,10,0,M,1,-8,0,0,0,6,10,15,8,") + meters[meter][0],
                          {meters[meter][1]}),
               false, 1);
    }
    // Every fingering of 八本 over three octaves, sharps, a tie across strips and a long title, on
    // the staff with its numerals and as a numeric page.
    shinofu::platform::IoError error;
    auto bytes = shinofu::platform::readFileBytes(fs::path(SHINOFU_SOURCE_DIR) / "tests/data/fingerings.gd4", error);
    if (bytes) {
        model::Score score;
        model::readScore(shinofu::platform::decodeLines(*bytes), score, model::ReadOptions{});
        midi::performancePass(score);
        render::ViewState view;
        output::DrawingResources resources;
        output::renderPageImage(score, view, resources).save(QString::fromStdString((folder / "fingerings.png").string()));
        view.numericDisplay = true;
        output::renderPageImage(score, view, resources)
            .save(QString::fromStdString((folder / "fingerings_numeric.png").string()));
    }
    // Every beam group, curve, sign, mark and lyric, alone and as a chorus of its two parts.
    auto engraving = shinofu::platform::readFileBytes(fs::path(SHINOFU_SOURCE_DIR) / "tests/data/engraving_gallery.gd4", error);
    if (engraving) {
        model::Score score;
        model::readScore(shinofu::platform::decodeLines(*engraving), score, model::ReadOptions{});
        midi::performancePass(score);
        render::ViewState view;
        view.noteSize *= gScale;
        view.viewWidth = static_cast<int>(view.viewWidth * gScale);
        view.viewHeight = static_cast<int>(view.viewHeight * gScale);
        output::DrawingResources resources;
        output::renderPageImage(score, view, resources).save(QString::fromStdString((folder / "engraving.png").string()));
        score.chorusCount = 1;
        score.applyChorusStems();
        output::renderPageImage(score, view, resources)
            .save(QString::fromStdString((folder / "engraving_chorus.png").string()));
    }
    std::cout << "gallery written to " << folder.string() << "\n";
    return 0;
}
