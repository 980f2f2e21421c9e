// stonewise-cli pattern: build a pattern database from groups of the library, and search it for the
// position of a game-record file, printing the hits in the search panel's order.
#include <ostream>
#include <string>

#include "app/PatternBooks.h"
#include "cli/CliCommand.h"
#include "cli/DataFolderOption.h"
#include "formats/GameFileLoader.h"
#include "formats/MemberDirectory.h"
#include "record/StringTable.h"
#include "record/Text.h"
#include "search/PatternBuild.h"
#include "search/PatternDatabase.h"
#include "search/PatternTexts.h"
#include "store/GameStore.h"

namespace stonewise::cli {

namespace {

constexpr const char* kUsage =
    "usage: stonewise-cli pattern build --data DIR --kind K [--variations] [--group N...] [--book B...]\n"
    "       stonewise-cli pattern search --data DIR --kind K FILE [--move M] --type joseki|fuseki|game|corner\n"
    "       (K: general, reference, joseki, fuseki or 0-3; N from 1, as `groups` lists them; B from 1,\n"
    "       the installed Go books of the data folder in file-name order)\n";

constexpr const char* kKinds[] = {"general", "reference", "joseki", "fuseki"};

std::optional<int> number(const std::string& s, int low, int high) {
    if (s.empty() || s.size() > 6 || s.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    const int n = std::stoi(s);
    if (n < low || n > high) return std::nullopt;
    return n;
}

std::optional<PatternKind> kindOf(const std::string& s) {
    for (int k = 0; k < kPatternKindCount; ++k)
        if (s == kKinds[k] || s == std::to_string(k)) return static_cast<PatternKind>(k);
    return std::nullopt;
}

std::optional<PatternSearchType> typeOf(const std::string& s) {
    if (s == "joseki") return PatternSearchType::Joseki;
    if (s == "fuseki") return PatternSearchType::Fuseki;
    if (s == "game") return PatternSearchType::Game;
    if (s == "corner") return PatternSearchType::GameCorner;
    return std::nullopt;
}

void printMessages(const StoreMessages& messages, std::ostream& err) {
    for (const StoreMessage& m : messages) err << toUtf8(m.title) << ": " << toUtf8(m.text) << "\n";
}

// The build's progress as one line rewritten in place, its messages on lines of their own.
class CliWatcher final : public PatternBuildWatcher {
public:
    explicit CliWatcher(std::ostream& err) : m_err(err) {}
    bool progress(int done, int total, std::u16string_view) override {
        if (done % 100 == 0 || done + 1 == total)
            m_err << "\rpattern build: " << done + 1 << "/" << total << std::flush;
        m_line = true;
        return true;
    }
    void message(std::u16string_view text, std::u16string_view title) override {
        endLine();
        m_err << toUtf8(title) << ": " << toUtf8(text) << "\n";
    }
    void endLine() {
        if (m_line) m_err << "\n";
        m_line = false;
    }

private:
    std::ostream& m_err;
    bool m_line = false;
};

int build(GameStore& store, PatternKind kind, const std::vector<std::string>& args, std::ostream& out,
          std::ostream& err) {
    std::vector<int> groups;
    std::vector<int> bookNumbers;
    bool variations = false;
    std::vector<int>* list = nullptr;
    for (const std::string& a : args) {
        if (a == "--group") list = &groups;
        else if (a == "--book") list = &bookNumbers;
        else if (a == "--variations") variations = true;
        else if (const auto n = list ? number(a, 1, kScratchGroup) : std::nullopt) list->push_back(*n - 1);
        else {
            err << kUsage;
            return 2;
        }
    }
    if (groups.empty() && bookNumbers.empty()) {
        err << kUsage;
        return 2;
    }
    std::vector<CompositionEntry> composition;
    for (const int g : groups) {
        StoreMessages messages;
        if (!store.group(g)) {
            err << "stonewise-cli: there is no group " << g + 1 << "\n";
            return 1;
        }
        for (const GameInfo* info : store.gameList(g, messages).entries())
            composition.push_back(
                {static_cast<std::uint16_t>(g), static_cast<std::uint16_t>(info->number), info->name});
        printMessages(messages, err);
    }
    PatternBooks books(store.folder());
    for (const int b : bookNumbers) {
        const std::u16string title = books.title(b);
        if (title.empty()) {
            err << "stonewise-cli: there is no Go book " << b + 1 << "\n";
            return 1;
        }
        composition.push_back({static_cast<std::uint16_t>(kBookGroupBase + b), 0, title});
    }
    CliWatcher watcher(err);
    PatternBuildOptions options;
    options.kind = kind;
    options.variations = variations;
    const PatternBuildResult result = buildPatternDatabase(store, composition, options, watcher, &books);
    watcher.endLine();
    out << toUtf8(result.text) << "\n";
    return result.status == PatternBuildResult::Status::Built ? 0 : 1;
}

// The name column of a result: the group's (or book's) name and the record's.
std::u16string nameColumn(const GameStore& store, const PatternBooks& books, const PatternDatabase& db,
                          const PatternResult& r) {
    if (r.group >= kBookGroupBase) return resultNameLabel(books.title(r.group - kBookGroupBase), db.name(r.name));
    const GroupRecord* group = store.group(r.group);
    return resultNameLabel(group ? std::u16string_view(group->name) : std::u16string_view(), db.name(r.name));
}

std::string nextMoveText(std::uint8_t next) {
    if (next == kNoMoveByte) return "-";
    if (next == kElsewhereByte) return "tt";
    return {static_cast<char>('a' + (next >> 4)), static_cast<char>('a' + (next & 15))};
}

int search(GameStore& store, PatternKind kind, const std::vector<std::string>& args, std::ostream& out,
           std::ostream& err) {
    std::string file;
    int move = -1;
    std::optional<PatternSearchType> type;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--move" && i + 1 < args.size()) {
            const auto n = number(args[++i], 0, 9999);
            if (!n) return err << kUsage, 2;
            move = *n;
        } else if (args[i] == "--type" && i + 1 < args.size()) {
            if (!(type = typeOf(args[++i]))) return err << kUsage, 2;
        } else if (file.empty() && !args[i].starts_with("--")) {
            file = args[i];
        } else {
            return err << kUsage, 2;
        }
    }
    if (file.empty() || !type) return err << kUsage, 2;
    InMemoryMembers members;
    LoadSettings settings;
    settings.members = &members;
    const LoadedGame game = loadGameFile(file, LoadRequest{}, settings);
    if (!game.ok) {
        err << "stonewise-cli pattern: " << file << ": " << loadFailureText(game.failure) << "\n";
        return 1;
    }
    PatternDatabase db;
    bool damaged = false;
    if (!db.load(patternFolder(store.folder().path(), kind), kind, &damaged)) {
        err << toUtf8(uiText(kTextNoSearchData)) << "\n";
        if (damaged) err << toUtf8(uiText(kTextDamagedRebuild)) << " (stonewise-cli pattern build)\n";
        return 1;
    }
    PatternQuery query;
    query.prepare(*game.main, move, game.info.boardSize());
    const PatternSearchOutcome outcome = db.search(query, *type);
    if (outcome.message != 0) {
        err << toUtf8(uiText(outcome.message)) << "\n";
        return 1;
    }
    out << toUtf8(resultCountLine(static_cast<int>(outcome.results.size()))) << "\n";
    const PatternBooks books(store.folder());
    for (const PatternResult& r : outcome.results) {
        out << toUtf8(resultTypeLabel(r)) << "\t" << toUtf8(nameColumn(store, books, db, r)) << "\t"
            << (r.group < kBookGroupBase ? r.group + 1 : r.group) << "\t" << r.game << "\t" << r.variation << "\t"
            << int(r.matchedMoves) << "\t" << nextMoveText(r.nextMove) << "\n";
    }
    return 0;
}

int run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    std::vector<std::string> args = arguments;
    const auto folder = takeDataFolder(args);
    if (!folder || args.empty() || (args[0] != "build" && args[0] != "search")) return err << kUsage, 2;
    const bool building = args[0] == "build";
    args.erase(args.begin());
    std::optional<PatternKind> kind;
    for (std::size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == "--kind") {
            kind = kindOf(args[i + 1]);
            args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
            break;
        }
    if (!kind) return err << kUsage, 2;
    GameStore store(*folder, StringTable::japanese());
    StoreMessages messages;
    store.readGroupList(messages);
    printMessages(messages, err);
    return building ? build(store, *kind, args, out, err) : search(store, *kind, args, out, err);
}

} // namespace

CliCommand patternCommand() {
    return {"pattern", "pattern build|search --data DIR --kind K ...",
            "Builds the pattern database of kind K (general, reference, joseki, fuseki) from the games of groups "
            "(build --group N...), or searches it for the position of a game-record file at move M (search FILE "
            "--move M --type joseki|fuseki|game|corner) and prints the hits: type, name, group, game, variation, "
            "moves matched and the corner's next move",
            &run};
}

} // namespace stonewise::cli
