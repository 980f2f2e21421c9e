// stonewise-cli groups: the groups of the library with their types and game counts.
#include <cstdio>
#include <ostream>
#include <string>

#include "cli/CliCommand.h"
#include "cli/DataFolderOption.h"
#include "record/StringTable.h"
#include "record/Text.h"
#include "store/GameStore.h"

namespace stonewise::cli {

namespace {

// The kinds of a group type, e.g. "viewing+external"; "none" for type 0.
std::string groupTypeText(std::uint32_t type) {
    static constexpr std::pair<std::uint32_t, const char*> kKinds[] = {{kGroupMailGo, "mail-go"},
                                                                       {kGroupFinishedMailGo, "finished-mail-go"},
                                                                       {kGroupPlayAndRecord, "play-and-record"},
                                                                       {kGroupFinishedGames, "finished-games"},
                                                                       {kGroupProblems, "problems"},
                                                                       {kGroupViewing, "viewing"},
                                                                       {kGroupExternal, "external"}};
    std::string s;
    for (const auto& [bit, name] : kKinds)
        if (type & bit) {
            if (!s.empty()) s += '+';
            s += name;
        }
    const std::uint32_t known = 1 | 2 | 16 | 32 | 64 | 256 | 512;
    if (type & ~known) {
        char other[24];
        std::snprintf(other, sizeof other, "0x%x", type & ~known);
        if (!s.empty()) s += '+';
        s += other;
    }
    return s.empty() ? "none" : s;
}

int run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    std::vector<std::string> args = arguments;
    const auto folder = takeDataFolder(args);
    if (!folder || !args.empty()) {
        err << "usage: stonewise-cli groups [--data DIR]\n";
        return 2;
    }
    GameStore store(*folder, StringTable::japanese());
    StoreMessages messages;
    store.readGroupList(messages);
    out << "No.\tGames\tType\tName\n";
    for (int n = 0; n < kGroupSlots; ++n) {
        const GroupRecord* g = store.group(n);
        if (!g) continue;
        const int games = n == kScratchGroup ? 0 : store.gameList(n, messages).count();
        out << n + 1 << "\t" << games << "\t" << groupTypeText(g->type) << "\t" << toUtf8(g->name);
        if (g->externalFolder) out << "\t(" << toUtf8(*g->externalFolder) << ")";
        out << "\n";
    }
    for (const StoreMessage& m : messages) err << toUtf8(m.title) << ": " << toUtf8(m.text) << "\n";
    return messages.empty() ? 0 : 1;
}

} // namespace

CliCommand groupsCommand() {
    return {"groups", "groups [--data DIR]",
            "Lists the groups of the data folder: number (from 1, as the program shows it), games, type and name "
            "(--data: another data folder)",
            &run};
}

} // namespace stonewise::cli
