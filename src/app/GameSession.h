#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "record/GameInfo.h"
#include "record/RecordSequence.h"

#include "formats/SgfWriter.h"
#include "store/StoreMessage.h"

namespace stonewise {

class CIgoBoard;
class GameStore;
class Ui;
struct SettingsRecord;

// The game the main board window shows, as a game of the library: its group and number, opening
// it, saving it when it is left, and moving it to the finished-games group. Number 0 is the
// temporary game, kept in the scratch group between runs.
class GameSession {
public:
    GameSession(CIgoBoard& board, GameStore& store, SettingsRecord& settings, Ui* ui);

    int group() const { return m_group; }
    int number() const { return m_number; }
    bool temporary() const { return m_number == 0; }
    // Whether the game shown has changes that are not saved.
    bool unsaved() const;
    // Whether the game shown is the temporary game and holds moves the user played or edited
    // here (not a file read and left as it was): what a game replacing it would lose, since only
    // the scratch copy keeps it.
    bool temporaryHoldsUserWork() const;

    // The board shows something that is no game of the library (a Go book): nothing is saved or
    // kept for recovery until a game of the library, a new or a read game is shown again.
    void detach() { m_detached = true; }
    bool detached() const { return m_detached; }

    // Shows the temporary game left by the last run, or a new one.
    void startUp();
    // Shows game `number` of `group`; false (with the store's messages shown) when it cannot be read.
    bool openGame(int group, int number);
    // Makes `group` current and shows its last game, or a new temporary game when it has none.
    void openGroup(int group);
    // Starts a new temporary game with `info`'s board and handicap.
    void newTemporaryGame();
    // Shows a record read from a file or the clipboard as the temporary game (the game shown before
    // is saved first).
    void showReadGame(std::unique_ptr<RecordSequence> main, const GameInfo& info);

    // Saves the game shown when it changed: a protected game is refused with 11401; a library game
    // asks 11201 unless `ask` is false or the settings say no; then its file and list entry are
    // written. The temporary game is written to the scratch group without a question. Changed list
    // pages, the group list and the members are written too. False when a write failed.
    bool saveCurrentGame(bool ask);
    // Stores the game shown with its header and list entry without a question, also when the header
    // has just protected it (the settings dialog's change). False when a write failed.
    bool storeHeader();

    // Moves the game shown into the finished-games group of `finishedType` (2 or 32) after the
    // question 17011, then shows the next game of the group (the first number above, else the
    // nearest below, else none). False when refused or it failed.
    bool moveToFinishedGroup(int finishedType);

    // "現在の棋譜を変更前の状態に戻す": shows the game again as it was last stored (a game started
    // empty: empty again). False, with nothing replaced, for a game read from a file and never
    // stored, or when the stored game cannot be read.
    bool canReloadStored() const { return m_origin != Origin::ReadUnstored; }
    bool reloadStored();

    // --- the recovery file ---
    // The file that holds the game shown while it has changes not yet saved, so that a run that
    // is killed loses nothing; empty (the default) keeps none.
    void setRecoveryFile(std::string path) { m_recoveryPath = std::move(path); }
    const std::string& recoveryFile() const { return m_recoveryPath; }
    // Writes the game shown to the recovery file when it changed since the last save and since the
    // last write; removes the file once nothing is left unsaved.
    void keepRecovery();
    // Removes the recovery file and keeps none for the rest of the run (its clean end).
    void endRecovery();
    // Shows the game the recovery file holds, in its place in the library when that game is still
    // there (else as the temporary game), as changed. False when there is no readable file.
    bool restoreRecovery();

private:
    void removeRecovery();
    // Where the game shown came from, for restoring it.
    enum class Origin { Stored, NewGame, ReadUnstored };

    void showMessages(const StoreMessages& messages);
    SgfWriteOptions sgfOptions() const;
    // Writes the game shown back to its external file; `info` takes the file's new time.
    bool writeExternalFile(const std::string& path, GameInfo& info);
    // The SGF copy of the game shown in the group's "SGF" folder.
    bool writeSgfCopy(const GameInfo& info);
    bool ensureScratchGroup();

    CIgoBoard& m_board;
    GameStore& m_store;
    SettingsRecord& m_settings;
    Ui* m_ui;
    int m_group = 0;
    int m_number = 0;
    int m_savedChanges = 0;
    int m_readChanges = -1; // the change counter right after a file was read as the temporary game
    Origin m_origin = Origin::NewGame;
    std::string m_recoveryPath;
    bool m_recoveryWritten = false;
    bool m_detached = false;
    int m_recoveryChanges = 0;
};

// Makes sure the scratch group names the folder of the temporary game's file (and the group list
// says so); false when the list could not be written.
bool prepareScratchGroup(GameStore& store);

// The recovery file's bytes: "SWRV", version 1, the group and the game number, a flags word (1:
// what the library stores for the game is an earlier state of it) and a reserved word, then the
// game file with its entry. `decodeRecoveryFile` gives nothing for anything else.
struct RecoveredGame {
    int group = 0;
    int number = 0;
    bool storedEarlier = false;
    std::unique_ptr<RecordSequence> main;
    GameInfo info;
};
std::vector<std::uint8_t> encodeRecoveryFile(int group, int number, bool storedEarlier, const RecordSequence& main,
                                             const GameInfo& info);
std::optional<RecoveredGame> decodeRecoveryFile(std::span<const std::uint8_t> bytes);

} // namespace stonewise
