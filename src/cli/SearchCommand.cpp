// stonewise-cli search: the games of a group that hold words in their names, players or comments.
#include <ostream>
#include <string>

#include "cli/CliCommand.h"
#include "cli/DataFolderOption.h"
#include "record/StringTable.h"
#include "record/Text.h"
#include "store/GameStore.h"
#include "store/TextSearch.h"

namespace stonewise::cli {

namespace {

constexpr std::size_t kExcerptRadius = 30;

constexpr const char* kUsage = "usage: stonewise-cli search [--data DIR] [--group N]... [--all] [--main-only] "
                               "[--no-name] [--no-players] [--] WORDS...\n";

// Takes the options out of `args`; false on a malformed one. What is left are the words.
bool takeOptions(std::vector<std::string>& args, std::vector<int>& groups, TextSearchOptions& options) {
    std::vector<std::string> words;
    bool optionsEnd = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (optionsEnd || a.size() < 2 || a.compare(0, 2, "--") != 0) words.push_back(a);
        else if (a == "--") optionsEnd = true;
        else if (a == "--all") options.allTerms = true;
        else if (a == "--main-only") options.branches = false;
        else if (a == "--no-name") options.gameName = false;
        else if (a == "--no-players") options.players = false;
        else if (a == "--group" && i + 1 < args.size()) {
            const std::string& n = args[++i];
            if (n.empty() || n.size() > 3 || n.find_first_not_of("0123456789") != std::string::npos) return false;
            const int group = std::stoi(n) - 1;
            if (group < 0 || group >= kScratchGroup) return false;
            groups.push_back(group);
        } else return false;
    }
    args = std::move(words);
    return true;
}

// Searches one group and prints its hits, then what stopped or was skipped.
void printHits(GameStore& store, int group, const std::vector<std::u16string>& terms, const TextSearchOptions& options,
               std::ostream& out, std::ostream& err) {
    const TextSearchResult result = searchGroup(store, group, terms, options);
    StoreMessages listMessages;
    const GameList& list = store.gameList(group, listMessages);
    for (const TextSearchHit& hit : result.hits) {
        const GameInfo* info = list.find(hit.game);
        const std::u16string name = info ? info->name : std::u16string();
        out << group + 1 << "\t" << hit.game << "\t" << toUtf8(hitExcerpt(name, {}, kExcerptRadius)) << "\t";
        if (hit.sequence != 0) out << hit.move << " (" << hit.moveInSequence << " in variation " << hit.sequence << ")";
        else out << hit.move;
        out << "\t";
        if (hit.comment.empty() && info) {
            // A hit on the game's header: its players.
            out << "Black: " << toUtf8(playerSearchNames(store.members(), info->blackPlayer, info->blackName)[0])
                << ", White: " << toUtf8(playerSearchNames(store.members(), info->whitePlayer, info->whiteName)[0]);
        } else {
            out << toUtf8(hitExcerpt(hit.comment, terms, kExcerptRadius));
        }
        out << "\n";
    }
    if (result.full) err << "stonewise-cli: the search stopped at " << kMaxSearchHits << " hits\n";
    if (result.skipped > 0) err << "stonewise-cli: " << result.skipped << " games could not be read and were skipped\n";
}

int run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    std::vector<std::string> args = arguments;
    const auto folder = takeDataFolder(args);
    std::vector<int> groups;
    TextSearchOptions options;
    if (!folder || !takeOptions(args, groups, options)) {
        err << kUsage;
        return 2;
    }
    std::u16string typed;
    for (const std::string& word : args) {
        if (!typed.empty()) typed += u' ';
        typed += fromUtf8(word);
    }
    GameStore store(*folder, StringTable::japanese());
    StoreMessages messages;
    store.readGroupList(messages);
    store.readMembers(messages);
    for (const StoreMessage& m : messages) err << toUtf8(m.title) << ": " << toUtf8(m.text) << "\n";
    if (groups.empty()) groups.push_back(0);
    for (const int group : groups)
        if (!store.group(group)) {
            err << "stonewise-cli: there is no group " << group + 1 << "\n";
            return 1;
        }
    const std::vector<std::u16string> terms = searchTerms(typed);
    out << "Group\tGame\tName\tMove\tText\n";
    for (const int group : groups) printHits(store, group, terms, options, out, err);
    return 0;
}

} // namespace

CliCommand searchCommand() {
    return {"search", "search [--data DIR] [--group N]... [--all] [--main-only] [--no-name] [--no-players] WORDS...",
            "Searches the games of a group (N from 1, default 1; --group again for more groups, in turn) for words in "
            "their names, players and comments "
            "and prints each hit: group, game, name, move and the text around it (--all: every word must occur; "
            "--main-only: not in variations; no words: every commented move)",
            &run};
}

} // namespace stonewise::cli
