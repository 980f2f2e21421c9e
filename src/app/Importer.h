#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/ImportDialog.h"
#include "formats/GameFileLoader.h"
#include "store/StoreMessage.h"

namespace stonewise {

class GameStore;
class StringTable;

// How one file (or one game of a collection file) of an import ended.
enum class ImportStatus { Stored, Temporary, Skipped, Refused };

struct ImportReport {
    std::string path;
    int gameIndex = 0; // the game's place in its file (0 for a file of one game)
    ImportStatus status = ImportStatus::Refused;
    int group = -1; // Stored: the group and the game's number
    int number = 0;
    std::u16string name;    // the name the game was stored under
    std::u16string message; // Refused: why
    std::u16string title;   // Refused: the title of the message box that says why
};

// What an import needs from the window or the command line: the dialog, messages, the progress
// window, and the temporary game.
class ImportFrontEnd {
public:
    virtual ~ImportFrontEnd() = default;
    virtual ImportDialogResult askImport(const ImportDialogRequest& request) = 0;
    virtual void showMessage(std::u16string_view text, std::u16string_view title) = 0;
    // Makes a game the window's temporary game; false when that did not happen.
    virtual bool takeTemporary(LoadedGame& game) = 0;
    // The progress of an import of several files: false from `stepProgress` ("中止") ends it.
    virtual void beginProgress(const ImportProgressRequest&) {}
    virtual bool stepProgress(int /*done*/, std::u16string_view /*text*/) { return true; }
    virtual void endProgress() {}
    // Each file's (each game's) outcome, as soon as it is known; a refusal is said in a message
    // box unless the front end says it its own way.
    virtual void reported(const ImportReport& report) {
        if (report.status == ImportStatus::Refused && !report.message.empty())
            showMessage(report.message, report.title);
    }
};

struct ImportOptions {
    int defaultGroup = 0;     // the window's current group
    bool mainWindow = true;   // overwriting and new games are the main board window's
    bool demoRecords = false; // sample records: "name(3)" is stored as "name"
    // Without the dialog: every file takes `preset` (the command line).
    bool askDialog = true;
    ImportDialogResult preset;
    // A full group does not refuse: a new group of its type and name takes the next games (the
    // command line's "into new groups"); the limit of 100 groups still refuses.
    bool overflowToNewGroups = false;
    LoadSettings settings; // code page, members, local time
};

struct ImportSummary {
    int stored = 0;
    int temporary = 0;
    int skipped = 0;
    int refused = 0;
    bool ended = false;              // "終了", "中止" or a refusal that ends the import
    bool mergeContinuations = false; // the dialog's last choice, kept for the next import
    std::optional<int> lastGroup;    // where the last stored game went
    std::optional<int> lastNumber;
};

// Brings game-record files into the library through the dialog "ファイルの読み込み": each file is
// pre-read, the dialog asks how and where (unless "全ての読み込みに適用する" was chosen), then every
// game of the file is read and stored. Refusals are said through the front end and the import
// goes on with the next file; nothing already stored changes on a refusal.
class Importer {
public:
    Importer(GameStore& store, const StringTable& strings, ImportFrontEnd& frontEnd);
    ImportSummary run(const std::vector<std::string>& paths, const ImportOptions& options);

private:
    struct State;
    bool importFile(State& state, const std::string& path);
    bool storeGames(State& state, const std::string& path, std::u16string_view name, bool nameEdited);
    std::optional<int> resolveGroup(const State& state, int choice, const GameInfo& info) const;
    // A new group after the full group `full`: its type, its name and the next number.
    std::optional<int> overflowGroup(int full);
    // A target group that takes no files; false when the import ends.
    bool refuseTarget(State& state, const std::string& path, std::optional<int> group);
    void refuse(State& state, const std::string& path, int gameIndex, std::u16string text, int group = -1);
    // A file or game the loader could not read: its own messages, else the failure's.
    void refuseUnread(State& state, const std::string& path, int gameIndex, const std::vector<LoadMessage>& messages,
                      LoadFailure failure);
    ImportDialogRequest dialogRequest(const State& state, const std::string& path, const std::u16string& name,
                                      int fileCount) const;
    std::u16string text(int id) const;

    GameStore& m_store;
    const StringTable& m_strings;
    ImportFrontEnd& m_frontEnd;
};

// Stores a game as a new game of a group: the lowest free number, the name made unique in the
// group, its file and its list entry (the list page written). Nothing, with the store's messages,
// when the group is full or a file could not be written (then nothing of the group changed).
std::optional<int> storeNewGame(GameStore& store, int group, const RecordSequence& main, GameInfo info,
                                StoreMessages& messages);

// "name(3)" → "name": a sample record's name without its number.
std::u16string withoutSampleNumber(std::u16string_view name);

// The group that automatic assignment gives a record: a Mail Go record the first Mail Go group,
// a play-and-record record the first play-and-record group, a problem (type 3, or start flags of
// 16 or more) the first problem group; any other record the first group. Nothing without groups.
std::optional<int> automaticGroup(const GameStore& store, const GameInfo& info);

// The message that a file could not be read, with its reason (what the loader did not already say).
std::u16string loadFailureMessage(const StringTable& strings, const std::string& path, LoadFailure failure);

} // namespace stonewise
