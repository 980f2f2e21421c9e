#include "cli/CliCommand.h"

namespace stonewise::cli {

CliCommand infoCommand();
CliCommand convertCommand();
CliCommand settingsCommand();
CliCommand groupsCommand();
CliCommand gamesCommand();
CliCommand exportCommand();
CliCommand newGameCommand();
CliCommand importCommand();
CliCommand searchCommand();
CliCommand associationCommand();
CliCommand countCommand();

// Each command lives in a file of its own; this list puts them in the help text's order.
const std::vector<CliCommand>& allCommands() {
    static const std::vector<CliCommand> commands = {
        infoCommand(),    convertCommand(), settingsCommand(), groupsCommand(),      gamesCommand(), exportCommand(),
        newGameCommand(), importCommand(),  searchCommand(),   associationCommand(), countCommand(),
    };
    return commands;
}

} // namespace stonewise::cli
