#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/LibraryDialogs.h"
#include "store/GameResultReport.h"
#include "store/GameResultStore.h"

namespace stonewise {

// The columns of the results list, in the order of the CSV file.
enum class GameResultColumn { Begun, Ended, Black, White, Handicap, Result, Name, Place, Impressions };
constexpr int kGameResultColumns = 9;
std::u16string gameResultColumnTitle(GameResultColumn column);

// One record of the list as the user reads it.
struct GameResultRow {
    int slot = 0; // the record's slot in its group's file
    std::array<std::u16string, kGameResultColumns> cells;
    const std::u16string& cell(GameResultColumn c) const { return cells[static_cast<std::size_t>(c)]; }
};

// A result group offered in the group combo.
struct ResultGroupChoice {
    int slot = 0;
    std::u16string name;
};

// "対局記録リスト" (185): the result groups, the records of the group shown, adding, editing and
// deleting them, the CSV export, showing a result's game, and the wins, losses and jigo of the
// chosen player. The dialog stays open until `closeRequested`.
class GameResultListForm {
public:
    explicit GameResultListForm(LibraryEnvironment env);

    std::vector<ResultGroupChoice> groups() const;
    // The slot of the group shown, -1 with none.
    int group() const { return m_group; }
    void setGroup(int slot);

    // The name typed for a new group, and "新規グループ": refused without a name, asked when a
    // group of that name exists; false when no group was added.
    const std::u16string& newGroupName() const { return m_newGroupName; }
    void setNewGroupName(std::u16string_view name) { m_newGroupName = std::u16string(name); }
    bool newGroup();
    // "グループ削除": asks, then deletes the group shown with its records.
    void deleteGroup();

    const std::vector<GameResultRow>& rows() const { return m_rows; }
    // The selected row, -1 for none.
    int selected() const { return m_selected; }
    void select(int row) { m_selected = row >= 0 && row < static_cast<int>(m_rows.size()) ? row : -1; }
    // "追加...": the dialog "対局記録" for a new record of the group shown.
    void addRecord();
    // "修正...": the dialog "対局記録" for the selected record.
    void editRecord();
    // "削除": asks, then deletes the selected record.
    void deleteRecord();
    // "棋譜表示": shows the stored game named as the selected record's game and closes; a game
    // nobody stored is said.
    void showGame();
    // "CSV出力...": asks for a file and writes the group shown as CSV; the status line says where.
    void exportCsv();
    // The line under the list ("CSV出力完了：%s").
    const std::u16string& statusLine() const { return m_status; }

    // "対局者選択": "＜全ての黒番＞", then every player of the group.
    std::vector<std::u16string> playerChoices() const;
    int player() const { return m_player; }
    void setPlayer(int index);
    // "勝数", "負数", "ジゴ数" of the chosen player in the group shown.
    ResultTally tally() const;

    void close() { m_close = true; }
    bool closeRequested() const { return m_close; }

private:
    void reload();
    bool store(const ResultSlots& records);
    const GameResult* selectedRecord() const;

    LibraryEnvironment m_env;
    GameResultStore m_results;
    int m_group = -1;
    ResultSlots m_records;
    std::vector<GameResultRow> m_rows;
    int m_selected = -1;
    int m_player = 0;
    std::u16string m_newGroupName;
    std::u16string m_status;
    std::string m_lastFolder;
    bool m_close = false;
};

// How a decided game was won.
// The result choice of a drawn game, "持碁".
constexpr int kStrDrawnGame = 10008;

enum class ResultMarginKind { Points, Resignation, OnTime };

// "対局記録" (186): one record, new or edited. The records of its group are given so that the same
// game entered twice is noticed.
class GameResultForm {
public:
    // A new record (`editing` none) begun and ended today, or the record in slot `editing`.
    GameResultForm(LibraryEnvironment env, const ResultSlots& group, std::optional<int> editing);

    bool isNew() const { return !m_editing; }
    const GameDate& begun() const { return m_record.begun; }
    void setBegun(const GameDate& day) { m_record.begun = day; }
    const GameDate& ended() const { return m_record.ended; }
    void setEnded(const GameDate& day) { m_record.ended = day; }
    // The place; the list's "＜場所名を入力してください＞" stands for no place.
    const std::u16string& place() const { return m_record.place; }
    void setPlace(std::u16string_view place);
    // "＜場所名を入力してください＞", "メール", then the places of the group's records.
    std::vector<std::u16string> placeChoices() const;
    // Every player of the group's records, for the name lists.
    std::vector<std::u16string> playerChoices() const;
    const std::u16string& black() const { return m_black; }
    void setBlack(std::u16string_view name) { m_black = std::u16string(name); }
    const std::u16string& white() const { return m_white; }
    void setWhite(std::u16string_view name) { m_white = std::u16string(name); }
    int handicap() const { return m_record.handicap; }
    void setHandicap(int stones);
    float komi() const { return m_record.komi; }
    void setKomi(float komi) { m_record.komi = komi; }
    // The komi as the dialog shows it: "%0.1f".
    std::u16string komiText() const;
    // 1 black won, 3 jigo, 2 white won.
    int winner() const { return m_record.jigo() ? kResultJigo : m_record.blackWon() ? kResultBlackWon : 2; }
    void setWinner(int winner) { m_record.result = static_cast<std::uint16_t>(winner); }
    ResultMarginKind marginKind() const { return m_kind; }
    void setMarginKind(ResultMarginKind kind) { m_kind = kind; }
    // The number of points of a counted result, as typed.
    const std::u16string& points() const { return m_points; }
    void setPoints(std::u16string_view points) { m_points = std::u16string(points); }
    const std::u16string& gameName() const { return m_record.gameName; }
    void setGameName(std::u16string_view name) { m_record.gameName = std::u16string(name); }
    const std::u16string& impressions() const { return m_record.impressions; }
    void setImpressions(std::u16string_view text) { m_record.impressions = std::u16string(text); }

    // OK: checks the game name, the players, the place and the points of a counted result (each
    // refusal said, the dialog stays open), then asks when the same game is already there ("追加しない"
    // keeps the dialog open). True when the record may be stored.
    bool confirm();
    // The record as confirmed.
    const GameResult& record() const { return m_record; }

private:
    LibraryEnvironment m_env;
    const ResultSlots& m_group;
    std::optional<int> m_editing;
    GameResult m_record;
    std::u16string m_black;
    std::u16string m_white;
    ResultMarginKind m_kind = ResultMarginKind::Points;
    std::u16string m_points;
};

} // namespace stonewise
