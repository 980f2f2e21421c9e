#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "record/GameInfo.h"
#include "store/StoreMessage.h"

namespace stonewise {

class CIgoBoard;
class GameList;
class GameSession;
class GameStore;
class RecordSequence;
class Ui;

// What the library's dialogs work on: the store, the desktop, the game the board shows, today, and
// the two things the program around them does (a command by id, saving a record as SGF).
struct LibraryEnvironment {
    GameStore* store = nullptr;
    Ui* ui = nullptr;
    GameSession* session = nullptr; // the game shown; null without a board
    CIgoBoard* board = nullptr;
    GameDate today;
    bool wholePointKomi = false; // "コミを整数で表示する"
    std::function<void(int command)> runCommand;
    std::function<void(const RecordSequence&, const GameInfo&)> saveAsSgf;

    void showMessages(const StoreMessages& messages) const;
    // Shows game `number` of `group` on the board, the game shown saved first; false when it
    // cannot be read (the store's messages shown).
    bool showGame(int group, int number) const;
    bool isShown(int group, int number) const;
    // The game shown left its group (deleted or moved): the board shows the next game of the group
    // (the first number above, else the nearest below), else an empty temporary game.
    void shownGameLeft(int group, int number) const;
};

// "G%d: %s": a group as the combo boxes offer it (number + 1, name).
std::u16string groupChoiceText(int group, std::u16string_view name);

// A group offered in a combo box.
struct GroupChoice {
    int group = 0;
    std::u16string text; // "G%d: %s"
};
// The user's groups (not the scratch group of the temporary game), in number order.
std::vector<GroupChoice> groupChoices(const GameStore& store);

// --- game lists -----------------------------------------------------------------------------------

enum class GameListColumn { Name, Number, Protection, White, Black, Handicap, Type, State, Date };
constexpr int kGameListColumns = 9;

// The columns of the panel beside the board, and of the dialog "対局リスト".
std::span<const GameListColumn> panelColumns();
std::span<const GameListColumn> dialogColumns();
// A column's title; the date column of an external group is "読み込み日時".
std::u16string gameListColumnTitle(GameListColumn column, bool externalGroup);

// One game of a list as the user reads it.
struct GameListRow {
    GameInfo info;
    std::array<std::u16string, kGameListColumns> cells;
    const std::u16string& cell(GameListColumn c) const { return cells[static_cast<std::size_t>(c)]; }
    bool operator==(const GameListRow& other) const { return info.number == other.info.number && cells == other.cells; }
};

// The rows of a group's games in game-number order; the players are the member names.
std::vector<GameListRow> gameListRows(GameStore& store, int group, bool wholePointKomi, StoreMessages& messages);
// Sorts rows by a column as a user expects it: numbers, handicaps and dates by value, texts by
// text; equal values keep game-number order.
void sortGameListRows(std::vector<GameListRow>& rows, GameListColumn column, bool ascending);

// What the panel beside the board shows: the current group's games and the game on the board.
struct GameListPanelContent {
    int group = -1;
    std::u16string title; // "G%d: %s"
    bool external = false;
    std::vector<GameListRow> rows;
    // The game on the board when it belongs to this group, 0 for the temporary game (its row comes
    // first, as "臨時"), else -1.
    int shownNumber = -1;
    bool operator==(const GameListPanelContent&) const = default;
};
GameListPanelContent gameListPanelContent(const LibraryEnvironment& env);

// "対局リスト" (146): a group's games with the buttons that act on the selected one. The dialog
// stays open until `closeRequested`.
class GameListForm {
public:
    GameListForm(LibraryEnvironment env, int group);

    std::vector<GroupChoice> groups() const { return groupChoices(*m_env.store); }
    int group() const { return m_group; }
    // Lists another group's games (the combo 1027).
    void setGroup(int group);
    bool externalGroup() const;
    const std::vector<GameListRow>& rows() const { return m_rows; }
    // The selected game, -1 for none.
    int selected() const { return m_selected; }
    void select(int number);
    bool closeRequested() const { return m_close; }

    // "棋譜表示": shows the selected game on the board (the game shown saved first) and closes.
    void showGame();
    // "削除": asks 11203 under 11202, then deletes the game.
    void deleteGame();
    // "保護": protects the game, or lifts its protection.
    void toggleProtection();
    // "修正...": the game settings of the selected game (shown on the board first).
    void editGame();
    // "コピー...": the dialog "対局のコピー・移動".
    void copyGame();
    // "SGF保存...": writes the selected game as an SGF file.
    void saveSgf();
    // "閉じる".
    void close() { m_close = true; }
    // Selects the first game whose name or players contain `text`; the result line says how many
    // games match ("%d 件見付かりました。").
    int search(std::u16string_view text);
    const std::u16string& searchResult() const { return m_searchResult; }

private:
    void reload();
    const GameInfo* selectedInfo() const;

    LibraryEnvironment m_env;
    int m_group;
    std::vector<GameListRow> m_rows;
    int m_selected = -1;
    bool m_close = false;
    std::u16string m_searchResult;
};

// "対局のコピー・移動" (163): copies or moves one game to a group under a name.
class CopyMoveForm {
public:
    CopyMoveForm(LibraryEnvironment env, int group, int number);

    std::u16string sourceText() const; // the group, "G%d: %s"
    std::u16string gameText() const;   // the game's number and name
    std::vector<GroupChoice> destinations() const { return groupChoices(*m_env.store); }
    int destination() const { return m_destination; }
    void setDestination(int group) { m_destination = group; }
    const std::u16string& name() const { return m_name; }
    // The new name, at most 200 characters.
    void setName(std::u16string_view name);
    // "コピー" / "移動": true when done (the dialog closes); the name actually used is `name()`.
    bool copy() { return transfer(false); }
    bool move() { return transfer(true); }
    // The number the copy or move got in the destination, once done.
    std::optional<int> result() const { return m_result; }

private:
    bool transfer(bool move);

    LibraryEnvironment m_env;
    int m_group;
    int m_number;
    int m_destination;
    std::u16string m_name;
    std::optional<int> m_result;
};

// The name a game takes in a list so that no other game there has it: unchanged when free, else
// with "(%d)" added, counting up from a number already in parentheses at its end; at most
// `maxLength` characters.
std::u16string uniqueGameName(const GameList& list, std::u16string_view name, std::size_t maxLength);

// --- groups --------------------------------------------------------------------------------------

enum class GroupListColumn { Number, Name, Games, Type };
constexpr int kGroupListColumns = 4;
std::u16string groupListColumnTitle(GroupListColumn column);

struct GroupListRow {
    int group = 0;
    std::array<std::u16string, kGroupListColumns> cells;
    bool deletable = false; // no games and not the current group
};

// The type check boxes of "グループ設定", in their order, with their bits.
struct GroupTypeBox {
    std::uint32_t bit;
    int textId;
};
std::span<const GroupTypeBox> groupTypeBoxes();
// The type of a group as the list shows it: the names of its bits.
std::u16string groupTypeText(std::uint32_t type);

// "グループリスト": the groups, a new one, editing and deleting one.
class GroupListForm {
public:
    explicit GroupListForm(LibraryEnvironment env);

    const std::vector<GroupListRow>& rows() const { return m_rows; }
    // "新規": the group settings for a new group; refused at 100 groups.
    void newGroup();
    // The group settings of an existing group.
    void editGroup(int group);
    // Asks, then deletes a group without games that is not the current group (else 11403 / 11402).
    void deleteGroup(int group);
    // Why the deletion is not offered ("対局が在るグループ、或いは現在のグループは削除できません。").
    std::u16string deleteHint() const;

private:
    void reload();

    LibraryEnvironment m_env;
    std::vector<GroupListRow> m_rows;
};

// "グループ設定" (153): a new group or an existing one.
class GroupSettingsForm {
public:
    GroupSettingsForm(LibraryEnvironment env, std::optional<int> group);

    bool isNew() const { return !m_group; }
    // The number shown (1043): number + 1, for a new group the number it will take.
    int shownNumber() const;
    const std::u16string& name() const { return m_name; }
    void setName(std::u16string_view name);
    std::uint32_t type() const { return m_type; }
    bool checked(std::uint32_t bit) const { return (m_type & bit) != 0; }
    // "外部棋譜" is enabled only with "棋譜鑑賞用"; the others always.
    bool enabled(std::uint32_t bit) const;
    // Checks or clears a box; a disabled box does not change. Clearing "棋譜鑑賞用" clears
    // "外部棋譜" with it.
    void setChecked(std::uint32_t bit, bool on);
    // The folder field (1045) and "参照..." are enabled with "外部棋譜".
    bool folderEnabled() const { return checked(512); }
    const std::u16string& folder() const { return m_folder; }
    void setFolder(std::u16string_view folder) { m_folder = std::u16string(folder); }
    // "参照...": the save dialog as a folder picker; the folder of the path chosen goes into the field.
    void browse();
    // OK: false with the message shown (the dialog stays open), true once the group is written.
    bool confirm();
    // The group written by `confirm`.
    std::optional<int> group() const { return m_group; }

private:
    LibraryEnvironment m_env;
    std::optional<int> m_group;
    std::u16string m_name;
    std::uint32_t m_type = 0;
    std::u16string m_folder;
};

// --- members -------------------------------------------------------------------------------------

enum class MemberListColumn { Number, Name, Kind, Address, Registered };
constexpr int kMemberListColumns = 5;
std::u16string memberListColumnTitle(MemberListColumn column);
// "自分", "対局者" or "一般".
std::u16string memberKindText(int kind);

struct MemberListRow {
    int member = 0;
    std::array<std::u16string, kMemberListColumns> cells;
};

// "対局メンバーリスト": every member; adding, editing and deleting one.
class MemberListForm {
public:
    explicit MemberListForm(LibraryEnvironment env);

    const std::vector<MemberListRow>& rows() const { return m_rows; }
    void addMember();
    void editMember(int member);
    // Asks, then deletes a member; a member who plays in stored games is kept (the games would
    // lose their player's name).
    void deleteMember(int member);

private:
    void reload();

    LibraryEnvironment m_env;
    std::vector<MemberListRow> m_rows;
};

// "対局者設定" (145): a new member or an existing one, with its alias.
class MemberSettingsForm {
public:
    MemberSettingsForm(LibraryEnvironment env, std::optional<int> member);

    bool isNew() const { return !m_member; }
    // The number (1026): for a new member the first free number.
    int number() const;
    int kind() const { return m_kind; }
    void setKind(int kind) { m_kind = kind; }
    const std::u16string& name() const { return m_name; }
    void setName(std::u16string_view name);
    // The mail address, or for an alias the name of the member it stands for (1014).
    const std::u16string& address() const { return m_address; }
    void setAddress(std::u16string_view address);
    bool isAlias() const;
    // "%04d/%2d/%2d ": the registration date (today for a new member).
    std::u16string registeredText() const;
    // "別名にする...": the user picks an existing member's name ("既存メンバー名の参照"), which the
    // member becomes an alias of.
    void makeAlias();
    // "別名を解除".
    void clearAlias() { m_address.clear(); }
    // OK: false with the message shown, true once the member is written.
    bool confirm();
    std::optional<int> member() const { return m_member; }

private:
    LibraryEnvironment m_env;
    std::optional<int> m_member;
    int m_kind;
    std::u16string m_name;
    std::u16string m_address;
    GameDate m_registered;
};

} // namespace stonewise
