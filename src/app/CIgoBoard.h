#pragma once

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

#include "app/CIgoBoardBase.h"
#include "app/StringTable.h"
#include "app/Ui.h"
#include "board/BoardNavigation.h"
#include "board/PositionRebuild.h"
#include "mailgo/MailReader.h"
#include "record/GameInfo.h"
#include "record/GameInfoText.h"
#include "record/GameRecord.h"
#include "record/RecordTransform.h"
#include "record/Text.h"
#include "view/AnimationTarget.h"
#include "view/BoardScene.h"
#include "view/BoardTimer.h"
#include "view/CommentPanelText.h"
#include "view/FlashDisplay.h"
#include "view/FlashTarget.h"
#include "view/FlashTimerSlots.h"

namespace stonewise {

class Clock;
class RecordCorrection;

// What a board window needs from its surroundings.
struct BoardEnvironment {
    Ui* ui = nullptr;
    BoardCanvas* canvas = nullptr;
    BoardPanels* panels = nullptr;
    const Clock* clock = nullptr;
    const StringTable* strings = nullptr; // null: the interface language
    bool japanese = true;                 // interface language is Japanese
    // The flash displays' two timer slots, shared by the program's board windows; null: the window's own.
    FlashTimerSlots* flashSlots = nullptr;
    // The column and row labels of a point as the board shows them; null: 1-based numbers.
    std::function<std::pair<std::u16string, std::u16string>(int x, int y)> pointLabels;
};

// Display and play switches of a board window (from the settings).
struct BoardOptions {
    bool showNumbers = false;          // "番号を表示"
    bool branchNumbersFromOne = false; // "分岐の番号を１から表示"
    bool diagramDisplay = false;       // "棋譜図表示にする"
    bool lastMoveMark = true;          // off with "最終手マークを表示しない"
    bool commentMarks = true;
    bool englishTags = false;               // comment dialogs write "&G:" / "&V:" / "&F:"
    bool branchEnterGivesReference = false; // the new-branch dialog's Enter choice (persisted)
    bool skipBranchDialog = false;          // a move in the middle makes a branch without asking
    int animationSpeed = 15;                // tenths of a second per move
    int flashSpeed = 30;                    // hundredths of a second per move
    int flashAfterimage = 100;              // hundredths of a second
};

// A node of the record: a sequence and an index in it.
struct NodeRef {
    RecordSequence* sequence = nullptr;
    int index = -1;

    bool valid() const { return sequence && index >= 0 && index < sequence->nodeCount(); }
    RecordNode* node() const { return valid() ? &sequence->node(index) : nullptr; }
};

// The board window of every working mode: it owns the game record, its header, the position and the
// navigation state, and carries out the record commands by id. It never paints and never blocks on
// a widget: it talks to the desktop through the interfaces of its environment.
class CIgoBoard : public CIgoBoardBase, public AnimationTarget, public FlashTarget {
public:
    explicit CIgoBoard(BoardEnvironment env);
    ~CIgoBoard() override;

    // --- the game ---
    // Starts an empty game with the header's board size; a handicap of 2..9 is placed from the table.
    void newGame(const GameInfo& info);
    // Shows a record read from a file or the store, at its initial display move.
    void loadGame(std::unique_ptr<RecordSequence> main, const GameInfo& info);
    // Takes the current record and header as "the stored state" that restoring returns to.
    void markStored();
    // The record shown lacks part of the file it was read from (the record's limits): the first
    // later save says that it writes the reduced record. A new or loaded game clears it.
    void markReadReduced() { m_readReduced = true; }
    // Whether a save should say so now; true once per reduced record.
    bool takeReducedSaveNotice() { return std::exchange(m_readReduced, false); }
    // The comment panel's text: the node the move list has selected, else the move shown; before
    // the first move the record's opening notes (a file's root comment, a problem's question).
    // The handicap offset of move numbers comes from the record.
    std::u16string panelComment(CommentPanelOptions options) const;
    // The header changed in the game settings: taken as an edit. A record without moves takes the
    // new board size and the table's handicap stones at once; a record with moves keeps its stones
    // (the user clears it to place others).
    void changeHeader(const GameInfo& info);
    const GameInfo& gameInfo() const { return m_info; }
    GameInfo& gameInfo() { return m_info; }
    GameRecord& record() { return m_record; }
    const GameRecord& record() const { return m_record; }
    BoardOptions& options() { return m_options; }
    bool japaneseInterface() const { return m_env.japanese; }
    const BoardOptions& options() const { return m_options; }
    // A move made in the main record of a Mail Go game that has not been sent yet ("未送信"). The mark
    // stays while other games are shown, so that leaving the program still asks about it.
    bool mailUnsent() const { return m_mailUnsent; }
    void setMailUnsent(bool on) { m_mailUnsent = on; }
    // What the status line adds for a Mail Go game: not sent, waiting for the user's move, or sent.
    MailGoState mailState() const;
    // Reads the move lines of a received mail text into the record shown (see applyMail), shows the
    // main record's last move or plays a received study sequence with the flash display, and counts
    // as a change of the game.
    MailApplyResult receiveMail(const ParsedMail& mail, bool userIsBlack, MailSource source, const GameTime& nowUtc);
    // Incremented by every edit; the store saves when it moved.
    int changeCounter() const { return m_changes; }

    // --- commands ---
    // Carries out a window command by id; `point` is the clicked point of the board's context menu.
    // False when the command is not one of the board window's.
    bool command(int id, int pointX = -1, int pointY = -1);

    // --- navigation state ---
    const BoardNavigation& navigation() const { return m_nav; }
    int totalMoves() const override { return m_nav.totalMoves(); }
    // The move shown; -1 means the end of the path.
    int displayedMove() const override { return m_nav.displayedMove(); }
    // The move shown as a number (the end resolved to total moves).
    int shownMove() const { return m_nav.shownMove(); }
    bool atEnd() const { return m_nav.atEnd(); }
    bool busy() const { return m_busy; }
    void setBusy(bool busy) override { m_busy = busy; }
    // Stops what keeps the window busy: an animation or a flash sequence.
    void stopBusy();
    bool viewOnly() const { return m_viewOnly; }
    void setViewOnly(bool on) { m_viewOnly = on; }
    bool editing() const { return m_editing; }
    void setEditing(bool on) { m_editing = on; }
    int protectedFirstMove() const { return m_protectedFirstMove; }
    void setProtectedFirstMove(int move) { m_protectedFirstMove = move; }
    // The initial display move from the header, or 0.
    int initialDisplayMove() const;
    // The first move "初期状態を表示" shows in the main record: 1, 2 with handicap stones, one less
    // when the record has an opening text (see below), 0 when the header says so, or the protected
    // first move in read-only display.
    int startMove() const;
    // Whether the main record holds a text for the position before its first move (a file's root
    // comment: a problem's question, a commentary's introduction); the game then starts there, so
    // that the text is read before the first move is shown.
    bool hasOpeningText() const;

    // Steps (the commands of the same names).
    void forward();
    void back(bool acrossBranches = false);
    void toStart();
    void toBranchHead();
    void toEnd();
    void toBranchEnd();
    void intoBranch();
    // Shows move n of the current path (clamped to the path); rebuilds.
    void showMove(int moveNumber) override;
    // Enters `s` (a sequence of this record) and shows move n of it (-1: its last move).
    void showSequence(RecordSequence* s, int moveNumber);
    void toggleNumbers();
    void toggleBranchNumbersFromOne();

    // --- the selected node (the move list's selection) ---
    const NodeRef& selection() const { return m_selection; }
    void selectNode(RecordSequence* s, int index);

    // --- the board ---
    // A left click on the board, in order of precedence: stop a running animation, free handicap
    // placement, a stone (selects its move), a branch mark (enters the branch), insertion mode,
    // the initial-position editor, else play.
    void clickPoint(int x, int y, bool rightButton = false);
    // Plays the colour to move at (x, y), with the refusals of the rules; true when the move was
    // taken into the record.
    bool placeStone(int x, int y);
    // Rebuilds the position for the displayed move and redraws; false when a move on an occupied
    // point stopped it (message 11605 was shown).
    bool rebuild();
    // The child sequence whose first move is played at (x, y) right after the displayed move.
    RecordSequence* branchStartingAt(int x, int y);

    // --- record edits ---
    bool pass();
    bool undo();
    bool clearRecord();
    // Plays (x, y) as a new branch or reference at the displayed move through the branch dialog.
    bool playAsNewBranch(int x, int y, bool onlyBranch = false, bool onlyReference = false);
    bool deleteBranch();
    // Copies the moves from `fromMove` (default: the displayed move) to the end of the current
    // sequence into a new branch or reference sequence.
    bool copyToNewBranch(int fromMove = -1);
    bool editComment();
    bool setMarkAt(int x, int y);
    bool editSelectedMark();
    bool deleteSelectedMark();
    bool correctPoint(int x, int y);
    bool editElapsed();
    bool restoreStoredRecord();
    // Compares a study sequence with the main record and adds its different continuation as a
    // branch after the last common move (or makes it the main record when there is none).
    bool addStudySequenceAsBranch(const RecordSequence& study);

    // --- record correction ("棋譜修正") ---
    // Opens a correction session on a deep copy; null in read-only display or for a protected game.
    std::unique_ptr<RecordCorrection> beginCorrection();
    bool insertionModeActive() const { return m_insertStonesLeft > 0; }

    // --- initial position editing ---
    void beginInitialPositionEdit();
    void endInitialPositionEdit();
    bool initialPositionEditActive() const { return m_initialEdit; }

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
    // Takes away the setup stone at (x, y) ("手順外の石を取り除く").
    bool removeSetupStone(int x, int y);

    // --- animation and flash display ---
    BoardTimer& timer() { return m_timer; }
    const BoardTimer& timer() const { return m_timer; }
    FlashDisplay& flash() { return m_flash; }
    // "アニメーション再生": starts, pauses or resumes the playback from the displayed move.
    void toggleAnimation();
    void stopAnimation() { m_timer.stop(); }
    // Flash mode on or off with the window's speeds.
    void toggleFlashMode();
    // Called with the animation tool button's state whenever it changes.
    void setAnimationStateHandler(std::function<void(AnimationState)> handler) {
        m_animationState = std::move(handler);
    }

    // --- AnimationTarget and FlashTarget ---
    std::optional<AnimatedMove> showAnimatedMove(int moveNumber) override;
    void restoreDisplayedMove(int setting) override;
    void drawPoint(int x, int y) override { CIgoBoardBase::drawPoint(x, y); }
    void redrawAll() override { CIgoBoardBase::redrawAll(); }
    void refreshPanels() override;
    void setStatusText(std::u16string_view text) override;
    void beep() override;
    void showAnimationState(AnimationState state) override;
    const RecordNode* flashNode(int moveNumber) override { return m_record.nodeAtMove(moveNumber); }
    BoardPosition& flashPosition() override { return m_position; }
    void returnDisplayAfterFlash(int rangeEnd) override;
    void showDisplayEnd() override { toEnd(); }
    void boardMessage(std::u16string_view text) override;

    // --- texts ---
    // The numbered text; a missing number shows the lookup message and gives an empty text.
    std::u16string text(int id) const override;
    // Shows a numbered message formatted with `args` in a message box.
    void showMessage(int id, std::u16string_view title, std::initializer_list<FormatArg> args = {});
    // The column and row labels of a point as the board shows them.
    std::pair<std::u16string, std::u16string> pointLabels(int x, int y) const;
    // What the drawing reads from the window beside the position: numbering, the move shown, the
    // selection, the Mail Go marker and the record for label texts.
    SceneState sceneState() const;
    // Shows prisoner counts other than the position's (stones taken by white, by black): those of
    // a territory count, with its dead stones.
    void showPrisoners(int byWhite, int byBlack) {
        if (m_env.panels) m_env.panels->showPrisoners(byWhite, byBlack);
    }
    // The status line of the game: its result, or while in play "対局中　最終：…" with the last move
    // of the main record.
    std::u16string statusText() const;
    // "黒12": the colour and number of a move as the dialogs show it (with the handicap offset).
    std::u16string moveLabel(const RecordNode& move) const;

protected:
    friend class RecordCorrection;

    // Hands a legal move at (x, y) to the record: appended at the end of the path, or (in the middle)
    // made a new branch or reference sequence. Returns true when the record took it.
    virtual bool takeMove(int x, int y, int moveNumber);
    // Appends a move or pass of `moveNumber` at the end of the shown path and updates the position.
    bool appendMoveAtEnd(int x, int y, int moveNumber);
    // Creates a child at the displayed move per the dialog's choice and plays (x, y) (or a pass) in it.
    bool makeBranch(int x, int y, const BranchDialogResult& choice);
    // Puts the next move of the path (node of `s`) on the board without a rebuild: captures,
    // prisoners, ko, the last-move mark, the marks of the move, panels.
    void applyMoveToPosition(const RecordSequence& s, const RecordNode& node);
    // Shows the marks and labels of the move shown, redrawing the points whose mark changed.
    void showMarks();
    // Shows move n (`node`, null when the path has none) after move n − 1: placed by itself when it
    // can be, else by a rebuild.
    void stepTo(int moveNumber, const RecordNode* node);
    // Shows why a move was refused on the board's message line (which the next move clears).
    void refuseMove(MoveRefusal refusal);
    // Moves the last-move mark to the position's last move.
    void updateLastMoveMark(const std::optional<RecordNode>& previous);
    // Tells the panels the move number and the prisoners.
    void showCounters();
    RebuildOptions rebuildOptions() const;
    void setHandicapCounts(int count);
    // An edit happened: the change counter moves and the panels learn of it.
    void edited();
    // Refuses an edit of a protected game with message 11401; true when refused.
    bool refuseProtected();
    // The click refusals: busy, read-only, protected (message 11401), the start of a non-empty
    // record, outside the board.
    bool clickRefused(int x, int y);
    // Renumbers the tree and reads the answer tags again.
    void renumberTree();
    // Sets the path to `s` (closing what depended on the old one) and total moves to its last move.
    void enterPath(RecordSequence* s);
    // Inserts a link for `child` into `parent` at `moveNumber`; false on a limit.
    bool insertLink(RecordSequence& parent, RecordSequence& child, int moveNumber, AnswerKind kind);
    // The time a Mail Go move took since the opponent's move arrived, or 0.
    std::int16_t elapsedForNewMove() const;
    // The mark dialog for (x, y) at move `moveNumber` of `s`, editing the mark node `existing` (-1:
    // a new mark); the answer becomes a mark node in place of the old one.
    bool editMark(RecordSequence& s, int moveNumber, int x, int y, int existing);
    // Inserts one stone of the "2手挿入" mode at (x, y).
    bool insertStone(int x, int y);
    void toggleInitialStone(int x, int y, Colour colour);

    BoardEnvironment m_env;
    BoardNavigation m_nav;
    GameInfo m_info;
    GameRecord m_record;
    bool m_readReduced = false;
    bool m_mailUnsent = false;
    BoardOptions m_options;
    NodeRef m_selection;
    int m_changes = 0;
    bool m_busy = false;
    bool m_viewOnly = false;
    bool m_editing = false;
    bool m_freeHandicap = false;
    bool m_initialEdit = false;
    bool m_undoConfirmed = false; // the Mail Go undo question was answered yes for this game
    bool m_refusalShown = false;  // the status line holds the refusal of a move
    int m_protectedFirstMove = 0;
    int m_insertStonesLeft = 0; // "2手挿入": stones still to insert
    FlashTimerSlots m_ownFlashSlots;
    BoardTimer m_timer;
    FlashDisplay m_flash;
    std::function<void(AnimationState)> m_animationState;
    // The record and header as last stored, for "現在の棋譜を変更前の状態に戻す".
    std::unique_ptr<RecordSequence> m_stored;
    GameInfo m_storedInfo;
};

} // namespace stonewise
