#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/GameResultFile.h"

namespace stonewise {

// Numbers of the texts of the results diary.
enum GameResultStringId : int {
    kTitleResultGroupsReading = 55000, // "対局結果のグループリストの読み込み"
    kTextResultFileVersion = 55001,    // a results file of another version
    kTextResultCsvHeading = 55002, // "対局日\t終局日\t黒番\t白番\t手合割\t勝敗\t対局名\t対局場所\t感想\n"
    kTextCsvFilesFilter = 55003, // "CSV files {*.%s}"
    kTextAllFilesFilter = 55004, // "All files"
    kTextCsvWritten = 55005,     // "CSV出力完了：%s"
    kTitleCsvExport = 55006,     // "CSV出力"
    kTextCsvNotWritten = 55007,  // the CSV file could not be written: %s
    kTextNoGameName = 55024,     // "対局名を入力して下さい。"
    kTextNoBlackName = 55025,    // "黒番対局者の名前を入力して下さい。"
    kTextNoWhiteName = 55026,    // "白番対局者の名前を入力して下さい。"
    kTextNoPlace = 55027,        // "対局場所名を入力して下さい。"
};

// What a record lacks before it may be stored, as the number of the text that asks for it: the
// game name, black's name, white's name, the place, in that order; nothing when it is complete.
std::optional<int> missingResultField(const GameResult& record);
// Whether two records are of the same game: begun the same day, with the same players in the same
// colours and the same game name.
bool sameResultGame(const GameResult& a, const GameResult& b);

// The texts of one record as the list and the CSV file show them.
// "%4d/%2d/%2d" (year, month, day).
std::u16string resultDateText(const GameDate& date);
// The handicap text for 1 or more stones, else the komi text.
std::u16string resultHandicapText(const GameResult& record, bool wholePointKomi);
// "持碁", or the winner's colour with the margin: "%s%d目勝ち", "%s%0.1f目勝ち", "%s中押し勝ち" or
// "%s時間切れ勝ち".
std::u16string resultOutcomeText(const GameResult& record);

// The export of a group: the group's name, the heading line (both ended by a line feed), then one
// line per record in list order, each column followed by a tab and the line by "\r\n". Empty
// slots are left out.
std::u16string resultCsvText(std::u16string_view groupName, const ResultSlots& records, bool wholePointKomi);
// The same as the file holds it: UTF-16LE, beginning with the byte-order mark.
std::vector<std::uint8_t> resultCsvBytes(std::u16string_view groupName, const ResultSlots& records,
                                         bool wholePointKomi);

// Wins, losses and jigo.
struct ResultTally {
    int wins = 0;
    int losses = 0;
    int jigo = 0;
    int games() const { return wins + losses + jigo; }
    bool operator==(const ResultTally&) const = default;
};

// Games begun within [from, to] (days; a zero date leaves that side open).
struct ResultPeriod {
    GameDate from;
    GameDate to;
    bool contains(const GameDate& day) const;
};

// The wins, losses and jigo of `player` in the games they played (either colour); an empty name
// counts from black's side over every game ("＜全ての黒番＞").
ResultTally tallyResults(const ResultSlots& records, std::u16string_view player, const ResultPeriod& period = {});

// The names of every player of the records, each once, sorted.
std::vector<std::u16string> resultPlayers(const ResultSlots& records);

// The tally of `player` against one opponent, or within one year.
struct ResultTallyRow {
    std::u16string opponent; // empty for a row of a year
    int year = 0;            // 0 for a row of an opponent
    ResultTally tally;
};
// The games of `player` per opponent, opponents sorted by name.
std::vector<ResultTallyRow> tallyByOpponent(const ResultSlots& records, std::u16string_view player);
// The games of `player` per year the game began, oldest first (an empty name: from black's side).
std::vector<ResultTallyRow> tallyByYear(const ResultSlots& records, std::u16string_view player);

} // namespace stonewise
