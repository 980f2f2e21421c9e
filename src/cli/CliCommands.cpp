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
CliCommand cloudCommand();
CliCommand mailCommand();
CliCommand resultsCommand();
CliCommand csvCommand();
CliCommand helpCommand();
CliCommand patternCommand();
CliCommand bookCommand();
CliCommand countCommand();

// Each command lives in a file of its own; this list puts them in the help text's order.
const std::vector<CliCommand>& allCommands() {
    static const std::vector<CliCommand> commands = {
        infoCommand(),    convertCommand(), settingsCommand(), groupsCommand(),      gamesCommand(),   exportCommand(),
        newGameCommand(), importCommand(),  searchCommand(),   associationCommand(), resultsCommand(), csvCommand(),
        mailCommand(),    cloudCommand(),   patternCommand(),  bookCommand(),        countCommand(),   helpCommand(),
    };
    return commands;
}

} // namespace stonewise::cli
