#pragma once

#include <optional>
#include <string>
#include <vector>

#include "record/GameInfo.h"
#include "store/StoreMessage.h"

namespace stonewise {

class CloudRegistry;

class CIgoBoard;
class GameStore;
class MemberList;
class RecordSequence;
class StringTable;
class Ui;

// The game types the settings dialog offers.
enum class GameTypeChoice { Viewing, MailGo, EnglishMailGo, PlayAndRecord };

// How a decided game was won.
enum class WinKind { Points, Resignation, OnTime };

// Bits of the header's carried word that keep the dialog's check boxes with the game.
constexpr std::uint16_t kInfoSearchTarget = 0x01;   // "手順検索の対象"
constexpr std::uint16_t kInfoHideLastNumber = 0x02; // "最終手順番号を非表示"
constexpr std::uint16_t kInfoSavable = 0x04;        // "保存可能"
// Bit of the flags word: the Mail Go game writes its mail in English.
constexpr std::uint16_t kInfoEnglishMail = 0x01;
// Bit of the first version byte: the game uses the cloud folder.
constexpr std::uint8_t kInfoUsesCloud = 0x02;
constexpr std::uint8_t kInfoCloudAlsoMail = 0x04;

// "勝敗設定": the result of a game.
struct ResultDialogRequest {
    std::int16_t winner = kInPlay;
    WinKind kind = WinKind::Points;
    float points = 0.0f;
    GameDate endDate; // year, month, day, hour
};

struct ResultDialogResult {
    bool accepted = false;
    std::int16_t winner = kInPlay; // kInPlay, kBlackWins, kWhiteWins, kJigo
    WinKind kind = WinKind::Points;
    float points = 0.0f; // for WinKind::Points, 0 up to below 1000
    GameDate endDate;
};

// "対局者": the name and kind of a player, for a new one or for changing the one chosen.
struct PlayerDialogRequest {
    bool newPlayer = true;
    std::u16string name;
    std::uint16_t kind = 0; // MemberKind
};

struct PlayerDialogResult {
    bool accepted = false;
    std::u16string name;
    std::uint16_t kind = 0;
};

// What the game settings dialog shows and the user changes. The texts are those of the lists
// (ranks, member names); the handicap is the stored value and the komi a key of komi × 10.
struct GameSettingsValues {
    int number = 0;
    bool thirteenLines = false;
    std::u16string name;
    std::u16string whiteName;
    std::u16string blackName;
    std::u16string whiteRank; // free text; the rank list offers "九段".."１８級"
    std::u16string blackRank;
    bool even = true; // "互先": no handicap stones
    int handicap = 2; // 1 free placement, 2..9 table, above 9 free with that many
    int komiKey = 0;  // komi × 10 of the list entry
    GameTypeChoice type = GameTypeChoice::Viewing;
    GameDate startDate;
    std::int16_t winner = kInPlay;
    float margin = 0.0f;
    GameDate endDate;
    bool searchTarget = false;
    bool protect = false;
    int initialMove = 0; // the move shown first when the game opens; 0 none
    bool hideLastNumber = false;
    bool savable = false;
    bool useCloud = false;
    std::uint32_t cloudFile = 0; // the game's file of a cloud folder (its registry identifier)
    bool cloudAlsoMail = false;  // "「次の手」をクラウドに保存したとき、メールも作成する"
    std::u16string mailSubject;
};

// The game settings dialog "対局設定" without a window: it starts from a header, the members and
// the record's state, keeps the user's values and carries out the rules of the header — the
// handicap question, the komi lists, the result, the checks before it is confirmed, new members
// from typed names — showing its questions and messages through `Ui`.
class GameSettings {
public:
    struct Context {
        bool newGame = false;        // "新規対局": the game does not exist yet
        bool external = false;       // a game of an external folder: nothing can be changed
        bool wholePointKomi = false; // "コミを整数で表示する"
        int recordLastMove = 0;      // the last move number of the record
        bool recordHasNodes = false;
        GameDate today;
        CloudRegistry* cloud = nullptr; // the cloud folders, for "クラウド..."; null: not available
        std::string cloudStartFolder;   // where choosing a cloud file starts
    };

    GameSettings(const GameInfo& info, MemberList& members, const StringTable* strings, Ui* ui, Context context);

    const GameSettingsValues& values() const { return m_values; }
    // The values without rules of their own (name, players, ranks, komi, type, dates, check boxes).
    GameSettingsValues& edit() { return m_values; }
    const Context& context() const { return m_context; }
    const GameInfo& original() const { return m_original; }

    // --- the lists of the combo boxes ---
    std::vector<std::u16string> rankTexts() const;
    // The handicap list: "自由置碁", "２子".."９子" (keys 1..9); a stored value above 9 adds "自由%d子".
    std::vector<std::pair<int, std::u16string>> handicapChoices() const;
    std::vector<std::pair<int, std::u16string>> komiChoices() const;
    // The names of the members, in number order.
    std::vector<std::u16string> memberNames() const;
    // "白番　%s" / "黒番　%s" with the name chosen.
    std::u16string playerLine(bool white) const;
    // The state line: the result text or the in-play text of the game type.
    std::u16string stateText() const;

    // --- values with rules ---
    // Chooses a handicap (with `even` false) or an even game. With more than one move in the
    // record the user is asked 20410 first; on no the stored value stays and false is returned.
    bool setHandicap(bool even, int handicap);
    // Selects the komi entry a stored komi matches (the lists' matching rules).
    void setKomi(float komi);
    // "参照...": the name made from the two players, "黒 対 白".
    void proposeName();
    // "勝敗設定...": the result dialog; a result that is not valid is refused with its message.
    bool chooseResult();
    // "新規対局者..." and "修正...": the player dialog for one side; the member is created or changed
    // when the settings are confirmed.
    bool editPlayer(bool white, bool newPlayer);
    // "クラウド...": the game's file of a cloud folder ("クラウド設定"); choosing one turns the cloud on,
    // stopping its use turns it off.
    void cloudSettings();

    // --- confirming ---
    // The reason the values cannot be taken, or nothing.
    std::optional<std::u16string> refusal() const;
    // "OK": shows the refusal and returns false (nothing changes, the dialog stays), else adds the
    // members typed in (11805 for each), shows the handicap message when it changed over a record
    // with nodes, and makes `result()`.
    bool confirm();
    const GameInfo& result() const { return m_result; }
    bool handicapChanged() const;
    bool boardChanged() const;
    // Whether the board size can no longer change (the record has moves).
    bool boardSizeFixed() const { return m_context.recordHasNodes && m_context.recordLastMove > 0; }
    // Whether the Mail Go values (the cloud and the mail subject) apply to the type chosen.
    bool mailValuesApply() const {
        return m_values.type == GameTypeChoice::MailGo || m_values.type == GameTypeChoice::EnglishMailGo;
    }

private:
    std::u16string text(int id) const;
    int memberNumber(const std::u16string& name) const;
    std::uint16_t memberKind(bool white) const;
    GameInfo build(int blackNumber, int whiteNumber) const;

    GameInfo m_original;
    MemberList& m_members;
    const StringTable* m_strings;
    Ui* m_ui;
    Context m_context;
    GameSettingsValues m_values;
    GameSettingsValues m_initial;
    GameInfo m_result;
    // Kinds chosen in the player dialog for each side (white, black), applied on confirming.
    std::optional<std::uint16_t> m_kind[2];
    std::u16string m_renamedFrom[2];
};

// The header's values as the settings dialog shows them.
GameSettingsValues settingsValues(const GameInfo& info, bool wholePointKomi);

// A new game of `group`: the number is taken (nothing, with the full group's message, when none is
// free), the record (empty, or with the table's handicap stones) written with `info` as its entry,
// and the game list and members saved. The same for the window and stonewise-cli.
std::optional<int> storeNewGame(GameStore& store, int group, GameInfo& info, const RecordSequence& record,
                                StoreMessages& messages);

} // namespace stonewise
