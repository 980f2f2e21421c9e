// stonewise-cli results: the results diary, its groups and records, adding and removing them, and
// the wins and losses of a player.
#include <cstdio>
#include <map>
#include <ostream>
#include <string>

#include "cli/CliCommand.h"
#include "cli/DataFolderOption.h"
#include "cli/ResultGroupOption.h"
#include "record/StringTable.h"
#include "store/GameResultReport.h"

namespace stonewise::cli {

namespace {

constexpr const char* kUsage =
    "usage: stonewise-cli results [--data DIR]\n"
    "       stonewise-cli results GROUP [--player NAME] [--data DIR]\n"
    "       stonewise-cli results --new-group NAME | --remove-group GROUP [--data DIR]\n"
    "       stonewise-cli results GROUP --add --date Y-M-D [--ended Y-M-D] --black NAME --white NAME\n"
    "                             --result B+3|W+2.5|B+R|W+T|jigo --name GAME --place PLACE\n"
    "                             [--handicap N] [--komi K] [--impressions TEXT] [--data DIR]\n"
    "       stonewise-cli results GROUP --remove N [--data DIR]\n";

// The options of the command line: "--name value" pairs and lone flags, the rest in order.
struct Options {
    std::map<std::string, std::string> values;
    bool add = false;
    std::vector<std::string> rest;
};

std::optional<Options> parse(const std::vector<std::string>& args) {
    static const char* const kValued[] = {"--player",   "--new-group", "--remove-group", "--date",  "--ended",
                                          "--black",    "--white",     "--result",       "--name",  "--place",
                                          "--handicap", "--komi",      "--impressions",  "--remove"};
    Options o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--add") {
            o.add = true;
            continue;
        }
        bool valued = false;
        for (const char* name : kValued) valued = valued || args[i] == name;
        if (valued) {
            if (i + 1 >= args.size()) return std::nullopt;
            o.values[args[i]] = args[i + 1];
            ++i;
        } else if (args[i].starts_with("--")) {
            return std::nullopt;
        } else {
            o.rest.push_back(args[i]);
        }
    }
    return o;
}

std::optional<GameDate> parseDay(const std::string& text) {
    int y = 0, m = 0, d = 0;
    char s1 = 0, s2 = 0, extra = 0;
    if (std::sscanf(text.c_str(), "%d%c%d%c%d%c", &y, &s1, &m, &s2, &d, &extra) != 5) return std::nullopt;
    if ((s1 != '-' && s1 != '/') || s2 != s1 || y < 1 || y > 9999 || m < 1 || m > 12 || d < 1 || d > 31)
        return std::nullopt;
    return GameDate{static_cast<std::uint16_t>(y), static_cast<std::uint16_t>(m), static_cast<std::uint8_t>(d), 0};
}

std::optional<double> parseNumber(const std::string& text) {
    double v = 0;
    char extra = 0;
    if (std::sscanf(text.c_str(), "%lf%c", &v, &extra) != 1) return std::nullopt;
    return v;
}

// "B+3", "W+2.5", "B+R" (resignation), "W+T" (on time) or "jigo" into the result and margin fields.
bool parseResult(const std::string& text, GameResult& g) {
    if (text == "jigo" || text == "0" || text == "Draw") {
        g.result = kResultJigo;
        g.margin = 0;
        return true;
    }
    if (text.size() < 3 || (text[0] != 'B' && text[0] != 'W') || text[1] != '+') return false;
    g.result = text[0] == 'B' ? kResultBlackWon : 2;
    const std::string how = text.substr(2);
    if (how == "R") g.margin = kMarginResignation;
    else if (how == "T") g.margin = kMarginOnTime;
    else if (const auto points = parseNumber(how); points && *points >= 0 && *points < kMarginResignation)
        g.margin = static_cast<float>(*points);
    else return false;
    return true;
}

// The record the options describe; a problem is written to `err`.
std::optional<GameResult> recordFromOptions(const Options& o, std::ostream& err) {
    auto value = [&o](const char* name) {
        const auto it = o.values.find(name);
        return it == o.values.end() ? std::string() : it->second;
    };
    GameResult g;
    const auto begun = parseDay(value("--date"));
    const auto ended = value("--ended").empty() ? begun : parseDay(value("--ended"));
    if (!begun || !ended) {
        err << "stonewise-cli: --date and --ended take a day as YYYY-MM-DD\n";
        return std::nullopt;
    }
    g.begun = *begun;
    g.ended = *ended;
    g.firstPlayer = fromUtf8(value("--black"));
    g.secondPlayer = fromUtf8(value("--white"));
    g.gameName = fromUtf8(value("--name"));
    g.place = fromUtf8(value("--place"));
    g.impressions = fromUtf8(value("--impressions"));
    const auto handicap = parseNumber(value("--handicap").empty() ? "0" : value("--handicap"));
    const auto komi = parseNumber(value("--komi").empty() ? "6.5" : value("--komi"));
    if (!handicap || *handicap < 0 || *handicap > 361 || !komi || *komi < -100 || *komi > 100) {
        err << "stonewise-cli: --handicap takes 0 to 361 stones and --komi a number\n";
        return std::nullopt;
    }
    g.handicap = static_cast<std::uint16_t>(*handicap);
    g.komi = static_cast<float>(*komi);
    if (!parseResult(value("--result"), g)) {
        err << "stonewise-cli: --result takes B+3, W+2.5, B+R, W+T or jigo\n";
        return std::nullopt;
    }
    if (const auto missing = missingResultField(g)) {
        err << "stonewise-cli: " << toUtf8(uiText(*missing)) << "\n";
        return std::nullopt;
    }
    return g;
}

void printTally(std::ostream& out, const std::string& label, const ResultTally& t) {
    out << label << "\twins " << t.wins << "\tlosses " << t.losses << "\tjigo " << t.jigo << "\n";
}

void printRecords(std::ostream& out, const ResultSlots& records, const std::string& player) {
    int shown = 0;
    for (const auto& g : records) {
        if (!g) continue;
        out << ++shown;
        for (const std::u16string& column :
             {resultDateText(g->begun), resultDateText(g->ended), g->blackName(), g->whiteName(),
              resultHandicapText(*g, false), resultOutcomeText(*g), g->gameName, g->place, g->impressions})
            out << "\t" << toUtf8(column);
        out << "\n";
    }
    const std::u16string who = fromUtf8(player);
    printTally(out, player.empty() ? "black" : player, tallyResults(records, who));
    for (const ResultTallyRow& row : tallyByOpponent(records, who))
        printTally(out, "  vs " + toUtf8(row.opponent), row.tally);
    for (const ResultTallyRow& row : tallyByYear(records, who))
        printTally(out, "  " + std::to_string(row.year), row.tally);
}

// Removes the n-th record as the list numbers them (from 1); false when there is none.
bool removeShown(ResultSlots& records, int n) {
    for (auto it = records.begin(); it != records.end(); ++it)
        if (*it && --n == 0) {
            records.erase(it);
            return true;
        }
    return false;
}

int run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    std::vector<std::string> args = arguments;
    const auto folder = takeDataFolder(args);
    const auto options = folder ? parse(args) : std::nullopt;
    if (!options || options->rest.size() > 1) {
        err << kUsage;
        return 2;
    }
    const Options& o = *options;
    GameResultStore store(*folder, StringTable::japanese());
    StoreMessages messages;
    store.readGroups(messages);
    auto finish = [&](int code) {
        reportMessages(messages, err);
        return messages.empty() ? code : std::max(code, 1);
    };

    if (o.values.contains("--new-group")) {
        const std::u16string name = fromUtf8(o.values.at("--new-group"));
        const auto slot = name.empty() ? std::nullopt : store.addGroup(name, messages);
        if (!slot) err << "stonewise-cli: the group was not added (no name, 50 groups, or not written)\n";
        else out << "added result group " << *slot + 1 << ": " << toUtf8(name) << "\n";
        return finish(slot ? 0 : 1);
    }
    if (o.values.contains("--remove-group")) {
        const auto slot = findResultGroup(store, o.values.at("--remove-group"));
        if (!slot) err << "stonewise-cli: there is no result group " << o.values.at("--remove-group") << "\n";
        const bool removed = slot && store.removeGroup(*slot, messages);
        if (removed) out << "removed result group " << *slot + 1 << "\n";
        return finish(removed ? 0 : 1);
    }
    if (o.rest.empty()) {
        out << "No.\tRecords\tName\n";
        for (int slot = 0; slot < kResultGroupSlots; ++slot)
            if (const ResultGroup* g = store.group(slot)) {
                int count = 0;
                for (const auto& r : store.readRecords(slot, messages)) count += r ? 1 : 0;
                out << slot + 1 << "\t" << count << "\t" << toUtf8(g->name) << "\n";
            }
        return finish(0);
    }
    const auto slot = findResultGroup(store, o.rest[0]);
    if (!slot) {
        err << "stonewise-cli: there is no result group " << o.rest[0] << "\n";
        return finish(1);
    }
    ResultSlots records = store.readRecords(*slot, messages);
    if (o.add || o.values.contains("--remove")) {
        if (!messages.empty()) return finish(1); // a file that did not read whole is not rewritten from here
        if (o.add) {
            const auto record = recordFromOptions(o, err);
            if (!record) return 2;
            records.push_back(*record);
        } else if (const auto n = parseNumber(o.values.at("--remove")); !n || !removeShown(records, int(*n))) {
            err << "stonewise-cli: there is no record " << o.values.at("--remove") << "\n";
            return 1;
        }
        if (!store.writeRecords(*slot, records, messages)) return finish(1);
        out << (o.add ? "added" : "removed") << " a record of result group " << *slot + 1 << "\n";
        return finish(0);
    }
    printRecords(out, records, o.values.contains("--player") ? o.values.at("--player") : std::string());
    return finish(0);
}

} // namespace

CliCommand resultsCommand() {
    return {"results", "results [GROUP] [--player NAME] [--add ...] [--remove N] [--new-group NAME] [--data DIR]",
            "Lists the result groups of the results diary, or a group's records with the wins, losses and jigo of a "
            "player (black's when none is named) against each opponent and per year; adds or removes groups and "
            "records (GROUP: its number from 1, or its name)",
            &run};
}

} // namespace stonewise::cli
