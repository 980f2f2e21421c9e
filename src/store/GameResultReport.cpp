#include "store/GameResultReport.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "record/GameInfoText.h"
#include "record/StringTable.h"
#include "record/Text.h"

namespace stonewise {

namespace {

std::tuple<int, int, int> dayKey(const GameDate& d) { return {d.year, d.month, d.day}; }

bool isZero(const GameDate& d) { return d.year == 0 && d.month == 0 && d.day == 0; }

// How a game went for `player` (an empty name: for black); nothing when they did not play it.
std::optional<int> outcomeFor(const GameResult& g, std::u16string_view player) {
    bool black = true;
    if (!player.empty()) {
        if (g.blackName() == player) black = true;
        else if (g.whiteName() == player) black = false;
        else return std::nullopt;
    }
    if (g.jigo()) return 0;
    return g.blackWon() == black ? 1 : -1;
}

void count(ResultTally& t, int outcome) {
    if (outcome > 0) ++t.wins;
    else if (outcome < 0) ++t.losses;
    else ++t.jigo;
}

} // namespace

std::optional<int> missingResultField(const GameResult& record) {
    if (record.gameName.empty()) return kTextNoGameName;
    if (record.blackName().empty()) return kTextNoBlackName;
    if (record.whiteName().empty()) return kTextNoWhiteName;
    if (record.place.empty()) return kTextNoPlace;
    return std::nullopt;
}

bool sameResultGame(const GameResult& a, const GameResult& b) {
    return dayKey(a.begun) == dayKey(b.begun) && a.blackName() == b.blackName() && a.whiteName() == b.whiteName() &&
           a.gameName == b.gameName;
}

std::u16string resultDateText(const GameDate& d) {
    return formatText(u"%4d/%2d/%2d", {int{d.year}, int{d.month}, int{d.day}});
}

std::u16string resultHandicapText(const GameResult& record, bool wholePointKomi) {
    GameInfo info;
    info.handicap = static_cast<std::int16_t>(std::min<int>(record.handicap, 0x7FFF));
    info.komi = record.komi;
    return handicapColumnText(info, wholePointKomi);
}

std::u16string resultOutcomeText(const GameResult& record) {
    GameInfo info;
    info.winner = record.jigo() ? kJigo : record.blackWon() ? kBlackWins : kWhiteWins;
    // A margin that is no number of points (negative, or not a number) reads as none.
    info.margin = record.margin >= 0.0f ? record.margin : 0.0f;
    return resultText(info);
}

std::u16string resultCsvText(std::u16string_view groupName, const ResultSlots& records, bool wholePointKomi) {
    std::u16string text(groupName);
    text += u'\n';
    text += uiText(kTextResultCsvHeading);
    for (const auto& g : records) {
        if (!g) continue;
        for (const std::u16string& column :
             {resultDateText(g->begun), resultDateText(g->ended), g->blackName(), g->whiteName(),
              resultHandicapText(*g, wholePointKomi), resultOutcomeText(*g), g->gameName, g->place, g->impressions}) {
            text += column;
            text += u'\t';
        }
        text += u"\r\n";
    }
    return text;
}

std::vector<std::uint8_t> resultCsvBytes(std::u16string_view groupName, const ResultSlots& records,
                                         bool wholePointKomi) {
    const std::u16string text = resultCsvText(groupName, records, wholePointKomi);
    std::vector<std::uint8_t> bytes{0xFF, 0xFE}; // the byte-order mark U+FEFF
    bytes.reserve(2 * text.size() + 2);
    for (const char16_t c : text) {
        bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return bytes;
}

bool ResultPeriod::contains(const GameDate& day) const {
    if (!isZero(from) && dayKey(day) < dayKey(from)) return false;
    if (!isZero(to) && dayKey(day) > dayKey(to)) return false;
    return true;
}

ResultTally tallyResults(const ResultSlots& records, std::u16string_view player, const ResultPeriod& period) {
    ResultTally t;
    for (const auto& g : records)
        if (g && period.contains(g->begun))
            if (const auto outcome = outcomeFor(*g, player)) count(t, *outcome);
    return t;
}

std::vector<std::u16string> resultPlayers(const ResultSlots& records) {
    std::vector<std::u16string> names;
    for (const auto& g : records)
        if (g)
            for (const std::u16string* name : {&g->firstPlayer, &g->secondPlayer})
                if (!name->empty()) names.push_back(*name);
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

std::vector<ResultTallyRow> tallyByOpponent(const ResultSlots& records, std::u16string_view player) {
    std::map<std::u16string, ResultTally> byOpponent;
    for (const auto& g : records) {
        if (!g || player.empty()) continue;
        if (const auto outcome = outcomeFor(*g, player))
            count(byOpponent[g->blackName() == player ? g->whiteName() : g->blackName()], *outcome);
    }
    std::vector<ResultTallyRow> rows;
    for (const auto& [opponent, tally] : byOpponent) rows.push_back({opponent, 0, tally});
    return rows;
}

std::vector<ResultTallyRow> tallyByYear(const ResultSlots& records, std::u16string_view player) {
    std::map<int, ResultTally> byYear;
    for (const auto& g : records)
        if (g)
            if (const auto outcome = outcomeFor(*g, player)) count(byYear[g->begun.year], *outcome);
    std::vector<ResultTallyRow> rows;
    for (const auto& [year, tally] : byYear) rows.push_back({{}, year, tally});
    return rows;
}

} // namespace stonewise
