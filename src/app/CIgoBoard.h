#pragma once

#include <initializer_list>
#include <string>

#include "app/CIgoBoardBase.h"
#include "app/StringTable.h"
#include "app/Ui.h"
#include "board/PositionRebuild.h"
#include "record/GameInfo.h"
#include "record/GameRecord.h"
#include "record/Text.h"

namespace stonewise {

class Clock;

// What a board window needs from its surroundings.
struct BoardEnvironment {
    Ui* ui = nullptr;
    BoardCanvas* canvas = nullptr;
    BoardPanels* panels = nullptr;
    const Clock* clock = nullptr;
    const StringTable* strings = nullptr;   // null: the Japanese table
    bool japanese = true;                   // interface language is Japanese
};

// Display and play switches of a board window (from the settings).
struct BoardOptions {
    bool showNumbers = false;          // "番号を表示"
    bool branchNumbersFromOne = false; // "分岐の番号を１から表示"
    bool diagramDisplay = false;       // "棋譜図表示にする"
    bool lastMoveMark = true;          // off with "最終手マークを表示しない"
    bool commentMarks = true;
};

// The board window of every working mode: it owns the game record, its header, the position and the
// navigation state, and carries out the record commands. It never paints and never blocks on a
// widget: it talks to the desktop through the interfaces of its environment.
class CIgoBoard : public CIgoBoardBase {
public:
    explicit CIgoBoard(BoardEnvironment env);
    ~CIgoBoard() override;

    // --- the game ---
    // Starts an empty game with the header's board size; a handicap of 2..9 is placed from the table.
    void newGame(const GameInfo& info);
    const GameInfo& gameInfo() const { return m_info; }
    GameInfo& gameInfo() { return m_info; }
    GameRecord& record() { return m_record; }
    const GameRecord& record() const { return m_record; }
    BoardOptions& options() { return m_options; }
    const BoardOptions& options() const { return m_options; }
    // Incremented by every edit; the store saves when it moved.
    int changeCounter() const { return m_changes; }

    // --- navigation state ---
    int totalMoves() const { return m_position.totalMoves; }
    // The move shown; -1 means the end of the path.
    int displayedMove() const { return m_position.displayedMove; }
    // The move shown as a number (the end resolved to total moves).
    int shownMove() const { return displayedMove() == -1 ? totalMoves() : displayedMove(); }
    bool atEnd() const { return displayedMove() == -1 || displayedMove() >= totalMoves(); }
    bool busy() const { return m_busy; }
    void setBusy(bool busy) { m_busy = busy; }
    bool viewOnly() const { return m_viewOnly; }
    void setViewOnly(bool on) { m_viewOnly = on; }
    bool editing() const { return m_editing; }
    void setEditing(bool on) { m_editing = on; }

    // --- the board ---
    // A left click on the board, in order of precedence: stop a running animation, free handicap
    // placement, a stone (selects its move), a branch mark, insertion mode, else play.
    void clickPoint(int x, int y);
    // Plays the colour to move at (x, y), with the refusals of the rules; true when the move was
    // taken into the record.
    bool placeStone(int x, int y);
    // Rebuilds the position for the displayed move and redraws; false when a move on an occupied
    // point stopped it (message 11605 was shown).
    bool rebuild();

    // --- handicap and setup stones ---
    // Places 2..9 handicap stones from the table into an empty main record; returns the count placed.
    int placeHandicapStones(int count);
    // Free handicap placement ("置石を配置"): clicks put down or take back black stones at move 1.
    void beginFreeHandicap();
    bool freeHandicapActive() const { return m_freeHandicap; }
    void toggleFreeHandicapStone(int x, int y);
    void endFreeHandicap();
    // A stone outside the move order ("手順外の黒石/白石を置く") at the displayed move; false when refused.
    bool placeSetupStone(int x, int y, Colour colour);
    // Takes away the setup stone at (x, y) of the current sequence ("手順外の石を取り除く").
    bool removeSetupStone(int x, int y);

    // --- texts ---
    // The numbered text; a missing number shows the lookup message and gives an empty text.
    std::u16string text(int id) const;
    // Shows a numbered message formatted with `args` in a message box.
    void showMessage(int id, std::u16string_view title, std::initializer_list<FormatArg> args = {});

protected:
    // Hands a legal move at (x, y) to the record: appended at the end of the path, or (in the middle)
    // made a new branch or reference sequence. Returns true when the record took it.
    virtual bool takeMove(int x, int y, int moveNumber);
    // Appends a move or pass of `moveNumber` at the end of the shown path and updates the position.
    bool appendMoveAtEnd(int x, int y, int moveNumber);
    // Puts a move just taken into the position: captures, prisoners, ko, marks, panels.
    void applyMoveToPosition(RecordSequence& s, int nodeIndex);
    // Moves the last-move mark to the position's last move.
    void updateLastMoveMark(const RecordNode* previous);
    // Tells the panels the move number and the prisoners.
    void showCounters();
    RebuildOptions rebuildOptions() const;
    void setHandicapCounts(int count);
    void touch() { ++m_changes; }
    // The click refusals: busy, read-only, protected (message 11401), the start of a non-empty
    // record, outside the board.
    bool clickRefused(int x, int y);

    BoardEnvironment m_env;
    GameInfo m_info;
    GameRecord m_record;
    BoardOptions m_options;
    int m_changes = 0;
    bool m_busy = false;
    bool m_viewOnly = false;
    bool m_editing = false;
    bool m_freeHandicap = false;
};

} // namespace stonewise
