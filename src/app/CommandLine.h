#pragma once

#include <optional>
#include <string>

namespace stonewise {

// What the program was started with.
struct CommandLine {
    bool largeWindow = false;        // "MOVIE": the main window is made 1280 × 960
    bool maintenance = false;        // "MODE=MAINTENANCE"
    std::optional<int> locale;       // "LOCALE=<number>", low 16 bits
    std::u16string file;             // a game-record file to open, or empty
};

// Reads the argument string (everything after the program path). "MOVIE" exactly sets the large
// window; a string of 8 characters or more is a file path (a leading double quote runs to the next
// one); "LOCALE=" and "MODE=MAINTENANCE" are found anywhere in the string; shorter strings are ignored.
CommandLine parseCommandLine(std::u16string_view arguments);

// Joins argv[1..] into the argument string, quoting arguments that hold blanks.
std::u16string joinArguments(int argc, const char* const* argv);

} // namespace stonewise
