#include "app/command_line.h"

#include <algorithm>
#include <cmath>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <new>
#include <optional>

#include "app/file_commands.h"
#include "app/midi_commands.h"
#include "app/midi_import.h"
#include "app/musicxml_commands.h"
#include "app/page_files.h"
#include "app/recording_import.h"
#include "app/session.h"
#include "app/startup.h"
#include "model/score.h"
#include "model/score_file.h"
#include "model/score_json.h"
#include "model/text_fields.h"
#include "output/jpeg_file.h"
#include "output/page_export.h"
#include "output/page_image.h"
#include "output/picture_file.h"
#include "output/print_document.h"
#include "output/svg_picture.h"
#include "output/wav_file.h"
#include "platform/file_io.h"
#include "platform/ui_text.h"

namespace shinofu::app {
namespace {

namespace fs = std::filesystem;

// One text, so a translation can lay out the whole message.
const char* const kUsage = UI_TEXT("ui",
                                   "使い方:\n"
                                   "  shinofu [--audio-input SOUND] [FILE]   エディタを開く（SOUND: マイクの代わりに聞く録音）\n"
                                   "  shinofu new OUT.gd4                    新規作成の譜面を書き出す\n"
                                   "  shinofu convert IN OUT [--page N] [--numeric] [--part N] [--transpose N] [--octave ±1]\n"
                                   "                         [--tempo N] [--meter 3/4] [--pickup N]（録音の採譜、N: 弱起の拍数）\n"
                                   "    IN:  .gd4 .gd3 .gd2 .mid .midi .musicxml .xml .mxl .wav .flac .ogg .mp3\n"
                                   "    OUT: .gd4 .png .svg .jpg .jpeg .pdf .emf .wmf .mid .wav .dt .musicxml .json\n");

std::string usage() { return ui::text("ui", kUsage); }

// The companion folder's configuration and score settings apply, but nothing is installed or written.
void startQuietly(Session& session) {
    StartupOptions options;
    options.installCompanionFiles = false;
    options.enterWorkingDirectory = false;
    options.removeUndoSnapshots = false;
    startUp(session, options);
}

bool tellImport(const ScoreImport& imported, std::ostream& err) {
    if (!imported.imported) err << imported.error << "\n";
    for (const std::string& notice : imported.notices) err << notice << "\n";
    return imported.imported;
}

bool loadInput(const fs::path& in, Session& session, const RecordingChoices& recording, std::ostream& err) {
    const std::string ext = platform::lowerExtension(in);
    if (isRecordingFile(in)) return tellImport(importRecordingFile(in, session, recording), err);
    if (ext == ".mid" || ext == ".midi") return tellImport(importMidiFile(in, session), err);
    if (ext == ".musicxml" || ext == ".xml" || ext == ".mxl") return tellImport(importMusicXmlFile(in, session), err);
    if (ext != ".gd4" && ext != ".gd3" && ext != ".gd2") {
        err << ui::text("ui", "読み込めない形式です: ") << in.string() << "\n";
        return false;
    }
    platform::IoError error;
    if (!model::loadScoreFile(in, session.score, session.readOptions(ext == ".gd4"), error)) {
        err << error.message << "\n";
        return false;
    }
    return true;
}

struct ConvertOptions {
    std::optional<int> page;  // without it a picture of a score of several pages is written page by page
    bool numeric = false;
    int part = 1;
    int transpose = 0;  // semitones, -7..7
    int octave = 0;     // -1, 0, +1
    RecordingChoices recording;
};

// One of the meters a score holds: 2/4, 3/4, 4/4, 3/8, 6/8.
bool parseMeter(const std::string& text, audio::TranscriptionSettings& settings) {
    for (const auto& [top, bottom] : {std::pair{2, 4}, {3, 4}, {4, 4}, {3, 8}, {6, 8}}) {
        if (text == std::to_string(top) + "/" + std::to_string(bottom)) {
            settings.meterTop = top;
            settings.meterBottom = bottom;
            return true;
        }
    }
    return false;
}

bool parseOptions(const std::vector<std::string>& args, ConvertOptions& options, std::ostream& err) {
    for (size_t i = 3; i < args.size(); ++i) {
        auto number = [&](int& target) {
            if (i + 1 >= args.size() || !model::parseWholeNumber(args[i + 1]) || *model::parseWholeNumber(args[i + 1]) < 1) {
                err << args[i] << ui::text("ui", " には 1 以上の数が要ります\n");
                return false;
            }
            target = *model::parseWholeNumber(args[++i]);
            return true;
        };
        // The option's value when it is a whole number from low to high, taken.
        auto numberIn = [&](int low, int high) -> std::optional<int> {
            const std::optional<int> value = i + 1 < args.size() ? model::parseWholeNumber(args[i + 1]) : std::nullopt;
            if (!value || *value < low || *value > high) return std::nullopt;
            ++i;
            return value;
        };
        if (args[i] == "--page") {
            int page = 1;
            if (!number(page)) return false;
            options.page = page;
        } else if (args[i] == "--part") {
            if (!number(options.part)) return false;
        } else if (args[i] == "--tempo") {
            const std::optional<int> tempo = numberIn(30, 300);
            if (!tempo) {
                err << ui::text("ui", "--tempo には 30 から 300 までの数が要ります\n");
                return false;
            }
            options.recording.transcription.tempo = *tempo;
        } else if (args[i] == "--meter") {
            if (i + 1 >= args.size() || !parseMeter(args[i + 1], options.recording.transcription)) {
                err << ui::text("ui", "--meter には 2/4 3/4 4/4 3/8 6/8 のどれかが要ります\n");
                return false;
            }
            ++i;
        } else if (args[i] == "--pickup") {
            const std::optional<int> beats = numberIn(0, 5);
            if (!beats) {
                err << ui::text("ui", "--pickup には弱起の拍数（0 から拍子の拍数 − 1 まで）が要ります\n");
                return false;
            }
            options.recording.transcription.pickup = *beats;
        } else if (args[i] == "--numeric") {
            options.numeric = true;
        } else if (args[i] == "--transpose" || args[i] == "--octave") {
            const bool transpose = args[i] == "--transpose";
            const std::optional<int> value = i + 1 < args.size() ? model::parseWholeNumber(args[i + 1]) : std::nullopt;
            const int limit = transpose ? 7 : 1;
            if (!value || *value < -limit || *value > limit) {
                err << args[i]
                    << (transpose ? ui::text("ui", " には -7 から 7 までの数が要ります\n") : ui::text("ui", " には -1 か 1 が要ります\n"));
                return false;
            }
            (transpose ? options.transpose : options.octave) = *value;
            ++i;
        } else {
            err << ui::text("ui", "知らないオプションです: ") << args[i] << "\n" << usage();
            return false;
        }
    }
    // A pickup is shorter than the measure it leads into.
    const audio::TranscriptionSettings& transcription = options.recording.transcription;
    if (transcription.pickup >= transcription.meterTop) {
        err << ui::format(ui::text("ui", "--pickup には弱起の拍数（0 から %1 まで）が要ります\n"),
                          {std::to_string(transcription.meterTop - 1)});
        return false;
    }
    return true;
}

bool selectPart(Session& session, const ConvertOptions& options, std::ostream& err) {
    if (options.part > session.score.partCount) {
        err << ui::format(ui::text("ui", "パート %1 はありません（%2 パートまで）\n"),
                          {std::to_string(options.part), std::to_string(session.score.partCount)});
        return false;
    }
    session.score.curPart = options.part;
    return true;
}

bool writePicture(const fs::path& out, Session& session, const ConvertOptions& options, std::ostream& err) {
    if (!selectPart(session, options, err)) return false;
    session.refreshDerivedState();
    render::ViewState view = session.view;
    view.numericDisplay = options.numeric;
    const render::PageTables tables = render::buildPageTables(session.score, view);
    const int pageCount = options.numeric ? 1 : tables.pageCount;
    if (options.page && *options.page > pageCount) {
        err << ui::format(ui::text("ui", "ページ %1 はありません（%2 ページまで）\n"),
                          {std::to_string(*options.page), std::to_string(pageCount)});
        return false;
    }
    output::DrawingResources resources;
    platform::IoError error;
    const std::string ext = platform::lowerExtension(out);
    if (ext == ".jpg" || ext == ".jpeg") {
        view.curPage = options.page.value_or(1);
        if (output::writeJpegFile(output::wholePageImage(session.score, view, resources), out, error)) return true;
        err << error.message << "\n";
        return false;
    }
    if (ext == ".emf" || ext == ".wmf") {
        view.curPage = options.page.value_or(1);
        const std::string picture = output::metafilePicture(
            ext == ".emf" ? output::MetafileKind::Enhanced : output::MetafileKind::Plain, session.score, view, resources);
        if (picture.empty()) error.message = ui::text("ui", "メタファイルを作れません：") + out.string();
        if (!picture.empty() && platform::writeFileAtomically(out, picture, error)) return true;
        err << error.message << "\n";
        return false;
    }
    std::string failure;
    if (writePageFiles(out, session, view, resources, pageCount, options.page, failure)) return true;
    err << failure << "\n";
    return false;
}

bool writeOutput(const fs::path& out, Session& session, const ConvertOptions& options, std::ostream& err) {
    model::Score& score = session.score;
    const std::string ext = platform::lowerExtension(out);
    if (ext == ".png" || ext == ".svg" || ext == ".jpg" || ext == ".jpeg" || ext == ".pdf" || ext == ".emf" ||
        ext == ".wmf") {
        return writePicture(out, session, options, err);
    }
    if (ext == ".mid") {
        platform::IoError error;
        if (writeMidiFile(out, session, {}, error) != MidiWrite::Written) {
            err << error.message << "\n";
            return false;
        }
        return true;
    }
    if (ext == ".wav") {
        platform::IoError error;
        if (output::writeWavFile(score, out, error) != output::WavWrite::Written) {
            err << error.message << "\n";
            return false;
        }
        return true;
    }
    if (ext == ".dt") {
        if (!selectPart(session, options, err)) return false;
        platform::IoError error;
        if (!writeFingeringGrid(out, session, options.part, error)) {
            err << error.message << "\n";
            return false;
        }
        return true;
    }
    if (ext == ".gd4") {
        model::SaveResult result = model::saveScoreFile(out, score);
        if (!result.unmapped.empty()) {
            err << ui::text("ui", "Shift-JIS で書けない文字を「?」にしました:");
            for (const auto& c : result.unmapped) err << " " << c;
            err << "\n";
        }
        if (!result.written) err << result.error.message << "\n";
        return result.written;
    }
    if (ext == ".musicxml") {
        platform::IoError error;
        if (!writeMusicXmlFile(out, session, error)) {
            err << error.message << "\n";
            return false;
        }
        return true;
    }
    if (ext == ".json") {
        platform::IoError error;
        platform::AtomicFile file(out);
        model::writeScoreJson(score, [&](std::string_view piece) { file.append(piece); });
        if (!file.commit(error)) {
            err << error.message << "\n";
            return false;
        }
        return true;
    }
    err << ui::text("ui", "書き出せない形式です: ") << out.string() << "\n";
    return false;
}

}  // namespace

bool isConversionCommand(const std::vector<std::string>& args) {
    return !args.empty() && (args[0] == "new" || args[0] == "convert" || args[0] == "--help" || args[0] == "-h");
}

namespace {

int convert(const std::vector<std::string>& args, std::ostream& err) {
    if (args[0] == "--help" || args[0] == "-h") {
        err << usage();
        return 0;
    }
    Session session;
    startQuietly(session);
    if (args[0] == "new") {
        if (args.size() != 2) {
            err << usage();
            return 1;
        }
        return writeOutput(args[1], session, ConvertOptions{}, err) ? 0 : 1;
    }
    if (args.size() < 3) {
        err << usage();
        return 1;
    }
    ConvertOptions options;
    if (!parseOptions(args, options, err)) return 1;
    if (!loadInput(args[1], session, options.recording, err)) return 1;
    if (options.transpose != 0) session.transpose(options.transpose);
    if (options.octave != 0) session.shiftOctave(options.octave > 0);
    return writeOutput(args[2], session, options, err) ? 0 : 1;
}

}  // namespace

int runConversion(const std::vector<std::string>& args, std::ostream& err) {
    // Unwinding removes any temporary being written; the user reads why in their language.
    try {
        return convert(args, err);
    } catch (const std::bad_alloc&) {
        err << ui::text("ui", "メモリが足りないため中止しました\n");
        return 1;
    }
}

}  // namespace shinofu::app
