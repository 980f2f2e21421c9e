// stonewise-cli csv: a result group of the results diary exported as the program's CSV file.
#include <algorithm>
#include <ostream>
#include <string>

#include "cli/CliCommand.h"
#include "cli/DataFolderOption.h"
#include "cli/ResultGroupOption.h"
#include "record/StringTable.h"
#include "store/GameResultReport.h"

namespace stonewise::cli {

namespace {

int run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    std::vector<std::string> args = arguments;
    const auto folder = takeDataFolder(args);
    bool wholePointKomi = false;
    if (const auto it = std::find(args.begin(), args.end(), "--whole-komi"); it != args.end()) {
        wholePointKomi = true;
        args.erase(it);
    }
    if (!folder || args.size() != 2 || args[0].starts_with("--") || args[1].starts_with("--")) {
        err << "usage: stonewise-cli csv GROUP OUT.csv [--whole-komi] [--data DIR]   (GROUP: its number from 1, as "
               "`results` lists it, or its name)\n";
        return 2;
    }
    GameResultStore store(*folder, StringTable::japanese());
    StoreMessages messages;
    store.readGroups(messages);
    const auto slot = findResultGroup(store, args[0]);
    if (!slot) {
        reportMessages(messages, err);
        err << "stonewise-cli: there is no result group " << args[0] << "\n";
        return 1;
    }
    const bool written = store.exportCsv(*slot, args[1], wholePointKomi, messages);
    if (written) out << toUtf8(formatText(uiText(kTextCsvWritten), {fromUtf8(args[1])})) << "\n";
    reportMessages(messages, err);
    return written ? 0 : 1;
}

} // namespace

CliCommand csvCommand() {
    return {"csv", "csv GROUP OUT.csv [--whole-komi] [--data DIR]",
            "Writes a result group of the results diary as a CSV file in UTF-16 with its byte-order mark, tab "
            "separated, as the program exports it (--whole-komi: komi as whole points)",
            &run};
}

} // namespace stonewise::cli
