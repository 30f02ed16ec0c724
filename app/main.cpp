// Program entry: a command-line conversion, or the editor.
#include <iostream>
#include <string>
#include <vector>

#include "app/command_line.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (shinofu::app::isConversionCommand(args)) return shinofu::app::runConversion(args, std::cerr);
    std::cerr << "エディタはまだありません。\n";
    return 1;
}
