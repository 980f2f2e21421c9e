// stonewise-cli: the Stonewise core from the command line.
#include <iostream>

#include "cli/CliCommand.h"

namespace {

void printHelp(std::ostream& out) {
    out << "Usage: stonewise-cli COMMAND [ARGUMENTS]\n\nCommands:\n";
    for (const auto& c : stonewise::cli::allCommands()) out << "  " << c.usage << "\n      " << c.summary << "\n";
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || (args[0] == "help" && args.size() == 1)) {
        // "help" alone is the usage; "help TOPIC" a topic of the program's help.
        printHelp(args.empty() ? std::cerr : std::cout);
        return args.empty() ? 2 : 0;
    }
    for (const auto& c : stonewise::cli::allCommands()) {
        if (c.name != args[0]) continue;
        args.erase(args.begin());
        return c.run(args, std::cout, std::cerr);
    }
    std::cerr << "stonewise-cli: unknown command \"" << args[0] << "\"\n\n";
    printHelp(std::cerr);
    return 2;
}
