#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/TextEncoding.h"
#include "record/GameInfo.h"
#include "record/RecordSequence.h"
#include "record/StringTable.h"

namespace stonewise {

class MemberDirectory;

// How a read record is registered with the game store.
enum class LoadMode : std::uint8_t {
    Temporary = 0, // replaces the window's scratch game
    Overwrite = 1, // reuses the stored game of the given name (a new game when there is none)
    NewGame = 2,   // a new game in the current group, its name made unique
    StoreLoad = 3, // the store reads one of its own SGF copies; the game keeps its identity
};

// The kind of a game-record file, from its extension (without regard to case).
enum class GameFileKind : std::uint8_t { Unknown, Sgf, Ugf };

// ".sgf" and ".sgf$" (automatic save files) are SGF; ".ugf" and ".ugi" are UGF.
GameFileKind gameFileKind(std::string_view path);

// The store's side of a load; the data store implements it for the current group.
class GameNameRegistry {
public:
    virtual ~GameNameRegistry() = default;
    // The header of the current group's game called `name`; nothing when there is none.
    virtual std::optional<GameInfo> findGame(std::u16string_view name) const = 0;
    // `name`, or `name` followed by "(%d)" so that no game of the current group has it.
    virtual std::u16string uniqueName(std::u16string_view name) const = 0;
};

// A message the board window shows for a load: its number in the string table (0 when it has
// none), the Japanese text already formatted, and the title.
struct LoadMessage {
    int id = 0;
    std::u16string text;
    std::u16string title;
};

// Message numbers of the loads.
constexpr int kMsgUnknownFileKind = 11604; // "ファイルは処理できない形式です。 %s"
constexpr int kMsgClipboardTitle = 11613;  // "コピーされた棋譜データを開く"
constexpr int kMsgClipboardFailed = 11614; // the copied data could not be read
constexpr int kMsgReadTitle = 11606;       // "ファイル読み込み"
constexpr int kMsgBoardNotShown = 27000; // "この棋譜の碁盤は%s路です。19路と13路の棋譜だけを読み込めます。"
constexpr int kMsgLossesHeading = 27001;           // what follows went beyond the record's limits
constexpr int kMsgLostNodes = 27002;               // "%d" moves, stones and marks beyond 1,024 in a line
constexpr int kMsgLostLabels = 27003;              // "%d" labels beyond 50 in a line
constexpr int kMsgLostBranches = 27004;            // "%d" variations beyond 255, or nested too deep
constexpr int kMsgLostComments = 27005;            // "%d" comments that did not fit
constexpr int kMsgLostClearedPoints = 27006;       // "%d" points cleared of stones (AE)
constexpr int kMsgLostPlayerToMove = 27009;        // "%d" player-to-move marks (PL) after the start
constexpr int kMsgCollection = 27007;              // "%d" games in the file, the first opened
constexpr int kMsgSaveWritesReducedRecord = 27008; // saving writes the record without what was left out

// What the caller asks for.
struct LoadRequest {
    LoadMode mode = LoadMode::Temporary;
    std::u16string gameName;              // the name chosen by the caller; empty for none
    const GameInfo* storedInfo = nullptr; // StoreLoad: the header of the game being loaded
};

// What the reader needs from its surroundings.
struct LoadSettings {
    CodePage codePage = CodePage::Cp932; // the system code page
    std::string charset;                 // read files in this charset whatever they say; empty: decide
    MemberDirectory* members = nullptr;  // players are found or created here
    GameNameRegistry* games = nullptr;   // the current group's games (overwrite, unique names)
    bool mergeContinuations = false;     // "基本手順の続きと思われる分岐を基本手順に組み込む"
    bool problemMode = false;            // the window is in problem-collection mode
    std::optional<GameTime> now;         // local time: the waiting time of a loaded game
};

// Why a load failed.
enum class LoadFailure : std::uint8_t {
    None,
    UnknownFileKind, // an extension other than .sgf, .sgf$, .ugf, .ugi (message 11604)
    CannotOpen,      // missing or unreadable file
    TooLarge,        // larger than the reader takes
    NoGame,          // the text holds no game tree
    BoardSize,       // a board other than 19 or 13 lines (message 27000 names the size)
};

// A short English description of a failure, for the command line.
std::string_view loadFailureText(LoadFailure failure);

// A record read from a file or the clipboard, ready for a board window.
struct LoadedGame {
    bool ok = false;
    LoadFailure failure = LoadFailure::None;
    LoadMode mode = LoadMode::Temporary; // the mode used (Overwrite falls back to NewGame)
    GameFileKind kind = GameFileKind::Unknown;
    TextSource textSource;                // the charset the file was read in and why
    std::unique_ptr<RecordSequence> main; // never null; empty on failure
    GameInfo info;
    int handicapStones = 0;
    int maxNesting = 0;
    bool familyFile = false;
    bool oldDialect = false;
    int dropped = 0; // nodes and variations beyond the record's limits
    // What the file held that the record could not: one numbered text with "%d" (27002..27006, 27009)
    // and its count per kind, in that order. Empty when nothing was left out.
    std::vector<std::pair<int, int>> losses;
    int gamesInFile = 1;               // game trees in the file; only the first is read
    std::vector<LoadMessage> messages; // to show, in order

    // Whether the record lacks something of the file: a later save writes the reduced record.
    bool reduced() const { return !losses.empty(); }
};

// What the window says once a file is open, in the interface language (`language`; null or a
// missing text: Japanese): the parts left out at the record's limits under heading 27001, one line
// each, and for a collection text 27007 with the number of games. Empty when there is nothing to
// say.
std::u16string loadNoticeText(const LoadedGame& game, const StringTable* language = nullptr);

// Text 27008, for a save of a record that was reduced when it was read.
std::u16string reducedRecordSaveText(const StringTable* language = nullptr);

// Reads a game-record file (SGF or UGF by extension) with the load mode's naming and header rules.
LoadedGame loadGameFile(const std::string& path, const LoadRequest& request, const LoadSettings& settings);

// Reads the bytes of a game-record file of a known kind; `fileName` (may be empty) names the game
// when the file does not.
LoadedGame loadGameBytes(std::string_view bytes, GameFileKind kind, std::u16string_view fileName,
                         const LoadRequest& request, const LoadSettings& settings);

// Reads SGF text from the clipboard (taken from its first "(" on). A failure carries message 11614
// titled "コピーされた棋譜データを開く".
LoadedGame loadClipboardText(std::u16string_view text, const LoadRequest& request, const LoadSettings& settings);

// --- collections: files that hold several games ---
// The top-level game trees of SGF text, in order, each from its "(" to its matching ")" (a tree
// left open runs to the end). Brackets of property values, with their escapes, are passed over.
std::vector<std::u16string_view> sgfGameTrees(std::u16string_view text);

// Reads every game of a game-record file: each game tree of an SGF collection in turn (a file of
// one tree, and a UGF file, give exactly what `loadGameFile` gives). A file that cannot be read
// gives one failed game. `each` is called with every game as soon as it is read (the store may
// take the game's name before the next one is named); the games are not kept.
void loadEveryGameOfFile(const std::string& path, const LoadRequest& request, const LoadSettings& settings,
                         const std::function<void(LoadedGame&)>& each);

// The header pre-read of a file, for the file-import dialog.
struct HeaderPreview {
    bool ok = false;
    LoadFailure failure = LoadFailure::None;
    GameFileKind kind = GameFileKind::Unknown;
    GameInfo info;
    std::u16string proposedName;
    int handicapStones = 0;
    std::vector<LoadMessage> messages; // a board that cannot be shown (27000)
};

// Pre-reads a file's header: game information and a proposed game name (the file name when the
// file names no game).
HeaderPreview preReadGameFile(const std::string& path, const LoadSettings& settings);

// Pre-reads clipboard SGF text.
HeaderPreview preReadClipboardText(std::u16string_view text, const LoadSettings& settings);

// Clears what an overwritten game does not keep: komi, winner and margin, type, flags, board,
// start flags, Mail Go flags, display flags and waiting time.
void clearForOverwrite(GameInfo& info);

} // namespace stonewise
