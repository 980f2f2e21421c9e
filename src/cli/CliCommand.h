#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace stonewise::cli {

// One command of stonewise-cli: `stonewise-cli NAME ARGS...`.
struct CliCommand {
    std::string_view name;
    std::string_view usage;   // e.g. "info FILE"
    std::string_view summary; // one line for the help text
    // Runs the command; returns the process exit code (0 success, 1 failure, 2 wrong arguments).
    int (*run)(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
};

// Every command of the program, in the order the help text lists them.
const std::vector<CliCommand>& allCommands();

} // namespace stonewise::cli
