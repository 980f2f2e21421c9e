#pragma once

#include <optional>
#include <string>

namespace stonewise {

// What the program was started with.
struct CommandLine {
    bool largeWindow = false;  // "MOVIE": the main window is made 1280 × 960
    bool maintenance = false;  // "MODE=MAINTENANCE"
    std::optional<int> locale; // "LOCALE=<number>", low 16 bits
    std::u16string file;       // a game-record file to open, or empty
};

// Reads the argument string (everything after the program path). "MOVIE" exactly sets the large
// window; a string of 8 characters or more is a file path (a leading double quote runs to the next
// one); "LOCALE=" and "MODE=MAINTENANCE" are found anywhere in the string; shorter strings are ignored.
CommandLine parseCommandLine(std::u16string_view arguments);

// Joins argv[1..] of a start in `currentFolder` into the argument string, quoting arguments that
// hold blanks. A relative file path is made absolute first, so that it names the same file when it
// is handed to a program running elsewhere, and so that a short name such as "a.sgf" (which the
// argument string would take for a stray word) is read as the file it names. A word that is no
// keyword, shorter than 8 characters and names no file stays as it is (and is ignored).
std::u16string joinArguments(int argc, const char* const* argv, const std::string& currentFolder);

// "--print FILE --pdf OUT.pdf [--numbers] [--from N]": a game-record file printed to a PDF file
// without a window.
struct PrintCommandLine {
    bool requested = false; // "--print" is among the arguments
    std::string error;      // what is wrong with them (English, for the terminal); empty when fine
    std::string file;
    std::string pdf;
    bool numbers = false;
    int from = 1; // the first move number printed
};

// Reads argv[1..] as a print command; `requested` stays false when no argument is "--print".
PrintCommandLine parsePrintCommandLine(int argc, const char* const* argv);

} // namespace stonewise
