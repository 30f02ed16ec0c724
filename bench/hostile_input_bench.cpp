// Times the conversion of files made to hurt (a metronome glyph of absurd size, a title of a
// megabyte, 200 000 notes that take no time, every one opening a beam and a slur) to the staff
// and the numeric page, and prints the time of each and the peak memory. Then the files that once
// took gigabytes, and the largest score the readers accept, each converted by the program itself
// so that its peak memory is its own.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QGuiApplication>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/command_line.h"

namespace {

namespace fs = std::filesystem;

const std::string kEmptySections = "$END\r\n$NEND\r\n$STARTM\r\n$END\r\n$STARTS\r\n$END\r\n$STARTL\r\n$END\r\n";

std::string stackedNotes(const char* item, int count) {
    std::string file = "$V:3\r\n$END\r\n";
    for (int i = 0; i < count; ++i) {
        file += i % 1000 ? "," : (i ? "\r\n" : "");
        file += item;
    }
    return file + "\r\n" + kEmptySections;
}

std::string bigEndian(uint32_t value, int bytes) {
    std::string out;
    for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    return out;
}

// 200 notes, each after the longest delta time a MIDI file can say.
std::string midiOfHugeDeltas() {
    std::string track;
    for (int i = 0; i < 200; ++i) track += std::string("\xFF\xFF\xFF\x7F\x90\x3C\x40\x00\x80\x3C\x00", 11);
    track += std::string("\x00\xFF\x2F\x00", 4);
    return "MThd" + bigEndian(6, 4) + bigEndian(0, 2) + bigEndian(1, 2) + bigEndian(96, 2) + "MTrk" +
           bigEndian(static_cast<uint32_t>(track.size()), 4) + track;
}

std::string musicXml(const std::string& beats, int emptyMeasures) {
    std::string xml = "<?xml version=\"1.0\"?><score-partwise><part-list><score-part id=\"P1\"/></part-list><part id=\"P1\">"
                      "<measure><attributes><divisions>1</divisions><time><beats>" + beats +
                      "</beats><beat-type>4</beat-type></time></attributes><note><pitch><step>C</step><octave>5</octave>"
                      "</pitch><duration>1</duration></note></measure>";
    for (int i = 0; i < emptyMeasures; ++i) xml += "<measure/>";
    return xml + "</part></score-partwise>";
}

// Six parts of the most notes a part may hold: the largest score any reader accepts.
std::string largestScore() {
    std::string file = "$V:3\r\n$END\r\n";
    for (int part = 1; part <= 6; ++part) {
        if (part > 1) file += "$START\r\n";
        for (int i = 0; i < 200000; ++i) file += i % 1000 == 999 ? "c2 n n 12 u\r\n" : "c2 n n 12 u,";
    }
    return file;
}

// Runs the program's conversion under GNU time, whose own small process keeps the figure the
// program's own; prints the status, the time and the peak memory.
void convertAlone(const char* name, const fs::path& in, const fs::path& out, const std::vector<std::string>& extra = {}) {
    const fs::path figures = out.parent_path() / "figures.txt";
    std::vector<std::string> args = {"/usr/bin/time", "-f", "%M %e", "-o", figures.string(), SHINOFU_PROGRAM, "convert",
                                     in.string(), out.string()};
    args.insert(args.end(), extra.begin(), extra.end());
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        const int quiet = ::open("/dev/null", O_WRONLY);
        ::dup2(quiet, STDERR_FILENO);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    double kilobytes = 0;
    double seconds = 0;
    std::ifstream report(figures);
    // A failing command's report starts with a line saying so.
    for (std::string line; std::getline(report, line);) std::istringstream(line) >> kilobytes >> seconds;
    std::printf("  %-58s %-10s %6.2f s  status %d  peak %7.1f MiB\n", name, out.extension().c_str(), seconds,
                WIFEXITED(status) ? WEXITSTATUS(status) : -1, kilobytes / 1024);
}

double peakMebibytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const fs::path folder = fs::temp_directory_path() / ("shinofu_hostile_bench_" + std::to_string(::getpid()));
    fs::create_directories(folder / "home");
    ::setenv("SHINOFU_HOME", (folder / "home").c_str(), 1);
    const std::vector<std::pair<const char*, std::string>> inputs = {
        {"metronome glyph at size -32768",
         "$V:3\r\n$TEMPO:=60,1,-8,0,36,39,9,6,6,0,M,1,-8,0,31,33,7,-32768,-32768,8,4/4\r\n$END\r\n"},
        {"title of 1 MiB", "$V:3\r\n$NAME:" + std::string(1 << 20, 'A') + ",1,-8,0,0,0,6,10,1,0,;,;,\r\n$END\r\nc1 n n 96 u\r\n"},
        {"200 000 zero-length tied notes", stackedNotes("c1 n ts 0 u", 200000)},
        {"200 000 zero-length notes opening beams and slurs", stackedNotes("c1 n ssrs3s 0 u", 200000)},
    };
    std::printf("hostile inputs converted to the staff page and the numeric page (PNG)\n");
    for (const auto& [name, bytes] : inputs) {
        const fs::path in = folder / "input.gd4";
        std::ofstream(in, std::ios::binary) << bytes;
        for (bool numeric : {false, true}) {
            std::vector<std::string> args = {"convert", in.string(), (folder / "page.png").string()};
            if (numeric) args.push_back("--numeric");
            std::ostringstream err;
            const auto start = std::chrono::steady_clock::now();
            const int status = shinofu::app::runConversion(args, err);
            const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            std::printf("  %-52s %-8s %6.2f s  status %d\n", name, numeric ? "numeric" : "staff", seconds, status);
        }
    }
    std::printf("  peak memory %.1f MiB\n", peakMebibytes());

    std::printf("files that once took gigabytes, and the largest accepted score, each converted by the program\n");
    const auto write = [&](const char* name, const std::string& bytes) {
        std::ofstream(folder / name, std::ios::binary) << bytes;
        return folder / name;
    };
    convertAlone("MIDI, 200 notes after the longest delta times (2.4 KB)", write("deltas.mid", midiOfHugeDeltas()),
                 folder / "out.gd4");
    convertAlone("MusicXML, <beats> 2147483647", write("beats.musicxml", musicXml("2147483647", 0)), folder / "out.gd4");
    const fs::path empty = write("empty.musicxml", musicXml("4", 1000000));
    convertAlone("MusicXML, a million empty measures", empty, folder / "out.gd4");
    const std::string zip = "cd '" + folder.string() + "' && mkdir -p META-INF && printf '%s' '<container><rootfiles>"
                            "<rootfile full-path=\"empty.musicxml\"/></rootfiles></container>' > META-INF/container.xml"
                            " && python3 -m zipfile -c empty.mxl META-INF empty.musicxml";
    if (std::system(zip.c_str()) == 0) convertAlone(".mxl of the million empty measures", folder / "empty.mxl", folder / "out.gd4");
    std::string tooMany = "$V:3\r\n$END\r\n";
    for (int i = 0; i < 10000000; ++i) tooMany += i % 1000 == 999 ? "c1 n n 96 u\r\n" : "c1 n n 96 u,";
    convertAlone(".gd4 of 10 million notes (120 MB)", write("tooMany.gd4", tooMany), folder / "out.json");
    tooMany = {};
    std::string slow = "$V:3\r\n$TEMPO:1\r\n$END\r\n";
    for (int measure = 0; measure < 420; ++measure) slow += "c1 n n 384 u\r\n";
    convertAlone("tempo 1, 420 whole notes (a WAV past 4 GiB)", write("slow.gd4", slow), folder / "out.wav");
    const fs::path largest = write("largest.gd4", largestScore());
    for (const char* ext : {".json", ".png", ".mid", ".musicxml", ".gd4"}) {
        convertAlone("the largest accepted score: 6 parts of 200 000 notes", largest, folder / ("largest" + std::string(ext)),
                     {"--page", "1"});
    }
    fs::remove_all(folder);
    return 0;
}
