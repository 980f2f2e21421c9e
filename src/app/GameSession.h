#pragma once

#include <memory>
#include <optional>

#include "record/GameInfo.h"
#include "record/RecordSequence.h"

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

    // Moves the game shown into the finished-games group of `finishedType` (2 or 32) after the
    // question 17011, then shows the next game of the group (the first number above, else the
    // nearest below, else none). False when refused or it failed.
    bool moveToFinishedGroup(int finishedType);

private:
    void showMessages(const StoreMessages& messages);
    bool ensureScratchGroup();

    CIgoBoard& m_board;
    GameStore& m_store;
    SettingsRecord& m_settings;
    Ui* m_ui;
    int m_group = 0;
    int m_number = 0;
    int m_savedChanges = 0;
};

} // namespace stonewise
