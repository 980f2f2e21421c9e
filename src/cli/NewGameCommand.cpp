// stonewise-cli new-game: a new game in a group, made as "新規対局" makes it in the window.
#include <cmath>
#include <filesystem>
#include <map>
#include <ostream>
#include <string>

#include "app/Application.h"
#include "app/CIgoBoard.h"
#include "app/Clock.h"
#include "app/GameSettings.h"
#include "cli/CliCommand.h"
#include "cli/DataFolderOption.h"
#include "record/GameInfoText.h"
#include "record/StringTable.h"
#include "record/Text.h"
#include "store/GameStore.h"
#include "store/SettingsFile.h"

namespace stonewise::cli {

namespace {

constexpr const char* kUsage =
    "usage: stonewise-cli new-game --data DIR --group N --white NAME --black NAME [--handicap H] [--komi K] "
    "[--size 13|19] [--name NAME]\n"
    "  N from 1, as `groups` lists it; H 0 (even), 1 (free placement) or 2..9; K a komi of the lists\n"
    "  (-25..9.5 in whole or half points)\n";

bool wholeNumber(const std::string& text, int& out) {
    try {
        std::size_t used = 0;
        out = std::stoi(text, &used);
        return used == text.size();
    } catch (...) {
        return false;
    }
}

// The key (komi × 10) of the list entry that is exactly `text`, in the whole-point list for a whole
// komi and the half-point list for a half one; nothing for any other value.
std::optional<int> komiKey(const std::string& text, bool& wholePoints) {
    double komi = 0;
    try {
        std::size_t used = 0;
        komi = std::stod(text, &used);
        if (used != text.size() || !std::isfinite(komi)) return std::nullopt;
    } catch (...) {
        return std::nullopt;
    }
    const double tenths = komi * 10.0;
    if (std::abs(tenths - std::round(tenths)) > 1e-6) return std::nullopt;
    const int key = static_cast<int>(std::lround(tenths));
    wholePoints = key % 10 == 0;
    for (const ListEntry& e : komiList(wholePoints))
        if (e.key == key) return key;
    return std::nullopt;
}

// The type a new game of a group gets: the group's use.
GameTypeChoice typeForGroup(std::uint32_t groupType) {
    if (groupType & 16) return GameTypeChoice::PlayAndRecord;
    if (groupType & 1) return GameTypeChoice::MailGo;
    return GameTypeChoice::Viewing;
}

int run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    std::vector<std::string> args = arguments;
    const auto folder = takeDataFolder(args);
    std::map<std::string, std::string> options;
    bool wellFormed = folder.has_value() && args.size() % 2 == 0;
    for (std::size_t i = 0; wellFormed && i < args.size(); i += 2) {
        static const char* const kKnown[] = {"--group", "--white", "--black", "--handicap",
                                             "--komi",  "--size",  "--name"};
        bool known = false;
        for (const char* k : kKnown) known |= args[i] == k;
        wellFormed = known && !options.count(args[i]);
        options[args[i]] = args[i + 1];
    }
    int shownGroup = 0;
    int handicap = 0;
    int size = 19;
    bool wholePoints = false;
    std::optional<int> komi = 0;
    if (wellFormed && options.count("--komi")) komi = komiKey(options["--komi"], wholePoints);
    if (!wellFormed || !options.count("--group") || !options.count("--white") || !options.count("--black") ||
        !wholeNumber(options["--group"], shownGroup) || shownGroup < 1 || shownGroup > kMaxUserGroups ||
        (options.count("--handicap") &&
         (!wholeNumber(options["--handicap"], handicap) || handicap < 0 || handicap > 9)) ||
        (options.count("--size") && (!wholeNumber(options["--size"], size) || (size != 13 && size != 19))) || !komi) {
        err << kUsage;
        return 2;
    }

    // The folder as the window's first start prepares it: settings, default groups and members. (The
    // window's recovery file is left alone: it belongs to the next start of the window.)
    Application app(CommandLine{}, *folder, std::string());
    const bool firstStart = !std::filesystem::exists(folder->file(kSettingsFileName));
    app.loadSettings(nullptr);
    const SystemClock clock;
    const DateTime now = clock.localNow();
    const GameDate today{static_cast<std::uint16_t>(now.year), static_cast<std::uint16_t>(now.month),
                         static_cast<std::uint8_t>(now.day), 0};
    GameStore store(*folder, app.strings());
    StoreMessages messages;
    store.start(app.settings(), today, messages);
    if (firstStart && !saveSettings(*folder, app.settings())) {
        err << "stonewise-cli: the data folder " << folder->path() << " cannot be written\n";
        return 1;
    }
    const int group = shownGroup - 1;
    const GroupRecord* record = store.group(group);
    if (!record || record->name.empty()) {
        err << "stonewise-cli: there is no group " << shownGroup << "\n";
        return 1;
    }

    GameInfo info;
    info.number = store.newGameNumber(group, messages).value_or(0);
    info.board = size == 13 ? 1 : 0;
    GameSettings::Context context;
    context.newGame = true;
    context.wholePointKomi = wholePoints;
    context.today = today;
    GameSettings settings(info, store.members(), &app.strings(), nullptr, context);
    GameSettingsValues& v = settings.edit();
    v.whiteName = fromUtf8(options["--white"]);
    v.blackName = fromUtf8(options["--black"]);
    v.type = typeForGroup(record->type);
    v.komiKey = *komi;
    settings.setHandicap(handicap == 0, handicap);
    if (options.count("--name")) v.name = fromUtf8(options["--name"]);
    else settings.proposeName();
    const bool newWhite = store.members().findByName(v.whiteName) < 0;
    const bool newBlack = store.members().findByName(v.blackName) < 0 && v.blackName != v.whiteName;
    if (const auto refused = settings.refusal()) {
        err << "stonewise-cli: " << toUtf8(*refused) << "\n";
        return 1;
    }
    settings.confirm();
    GameInfo made = settings.result();
    // The record as the window makes it: empty, or with the table's handicap stones.
    CIgoBoard board(BoardEnvironment{});
    board.newGame(made);
    const std::optional<int> stored = storeNewGame(store, group, made, board.record().main(), messages);
    for (const StoreMessage& m : messages) err << toUtf8(m.title) << ": " << toUtf8(m.text) << "\n";
    if (newWhite) out << "added player " << options["--white"] << " as member " << made.whitePlayer << "\n";
    if (newBlack) out << "added player " << options["--black"] << " as member " << made.blackPlayer << "\n";
    if (!stored) {
        err << "stonewise-cli: the game could not be stored in group " << shownGroup << "\n";
        return 1;
    }
    out << "stored as game " << *stored << " of group " << shownGroup << ": " << toUtf8(made.name) << " (handicap "
        << toUtf8(handicapText(made.handicap)) << ", komi " << toUtf8(komiText(made.komi, wholePoints)) << ", "
        << made.boardSize() << " lines)\n";
    return 0;
}

} // namespace

CliCommand newGameCommand() {
    return {"new-game",
            "new-game --data DIR --group N --white NAME --black NAME [--handicap H] [--komi K] [--size 13|19]",
            "Creates a new game in a group (N from 1) with its players (new names become members), handicap, komi "
            "and board size, as the window's new game does; a new data folder is prepared as at a first start",
            &run};
}

} // namespace stonewise::cli
