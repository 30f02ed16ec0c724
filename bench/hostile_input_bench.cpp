// Times the conversion of files made to hurt (a metronome glyph of absurd size, a title of a
// megabyte, 300 000 notes that take no time, every one opening a beam and a slur) to the staff
// and the numeric page, and prints the time of each and the peak memory.
#include <sys/resource.h>
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
        {"300 000 zero-length tied notes", stackedNotes("c1 n ts 0 u", 300000)},
        {"300 000 zero-length notes opening beams and slurs", stackedNotes("c1 n ssrs3s 0 u", 300000)},
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
    fs::remove_all(folder);
    return 0;
}
