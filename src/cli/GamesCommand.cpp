// stonewise-cli games: the game list of one group.
#include <ostream>
#include <string>

#include "cli/CliCommand.h"
#include "cli/DataFolderOption.h"
#include "record/GameInfoText.h"
#include "record/StringTable.h"
#include "record/Text.h"
#include "store/GameStore.h"

namespace stonewise::cli {

namespace {

std::string memberName(const GameStore& store, int number) {
    const MemberRecord* m = store.members().find(number);
    if (m) return toUtf8(m->name);
    std::string unknown = "<";
    unknown += std::to_string(number);
    unknown += '>';
    return unknown;
}

int run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    std::vector<std::string> args = arguments;
    const auto folder = takeDataFolder(args);
    int shown = 0;
    if (folder && args.size() == 1) {
        try {
            std::size_t used = 0;
            shown = std::stoi(args[0], &used);
            if (used != args[0].size()) shown = 0;
        } catch (...) {
            shown = 0;
        }
    }
    if (!folder || args.size() != 1 || shown < 1 || shown > kScratchGroup) {
        err << "usage: stonewise-cli games GROUP [--data DIR]   (GROUP from 1, as `groups` lists it)\n";
        return 2;
    }
    const int group = shown - 1;
    GameStore store(*folder, StringTable::japanese());
    StoreMessages messages;
    store.readGroupList(messages);
    store.readMembers(messages);
    if (!store.group(group)) {
        for (const StoreMessage& m : messages) err << toUtf8(m.title) << ": " << toUtf8(m.text) << "\n";
        err << "stonewise-cli: there is no group " << shown << "\n";
        return 1;
    }
    out << "No.\tName\tBlack\tWhite\tHandicap\tType\tState\tDate\n";
    for (const GameInfo* g : store.gameList(group, messages).entries()) {
        out << g->number << "\t" << toUtf8(g->name) << "\t" << memberName(store, g->blackPlayer) << "\t"
            << memberName(store, g->whitePlayer) << "\t" << toUtf8(handicapColumnText(*g, false)) << "\t"
            << toUtf8(gameTypeText(*g));
        if (g->isProtected()) out << " " << toUtf8(protectionText(*g));
        out << "\t" << toUtf8(gameStateText(*g)) << "\t" << toUtf8(dateColumnText(*g)) << "\n";
    }
    for (const StoreMessage& m : messages) err << toUtf8(m.title) << ": " << toUtf8(m.text) << "\n";
    return messages.empty() ? 0 : 1;
}

} // namespace

CliCommand gamesCommand() {
    return {"games", "games GROUP [--data DIR]",
            "Lists the game list of a group (GROUP from 1, as `groups` lists it): number, name, players, handicap "
            "or komi, type, state and date (--data: another data folder)",
            &run};
}

} // namespace stonewise::cli
