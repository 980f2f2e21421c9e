#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/ProblemTexts.h"
#include "book/AnswerData.h"
#include "book/TraceExercise.h"
#include "record/GameInfo.h"
#include "store/StoreMessage.h"

namespace stonewise {

class CIgoBoard;
class GameSession;
class GameStore;
class RecordSequence;
class StringTable;
class Ui;

// A record of the store is a problem when its start flags carry a category (16, 32, 48 or 64); the
// start flags survive the store and our SGF files ("Tag="). The answering side is the colour of the
// first move (a White problem opens with Black's pass, as SGF files that start with White read),
// and the initial display move is the header's own move mark.
constexpr std::uint8_t kProblemCategoryMask = 0x70;
bool isProblem(const GameInfo& info);
std::uint32_t problemCategory(const GameInfo& info);
// The colour of the main record's first stone; White when it opens with a pass only.
Colour answeringSide(const RecordSequence& main);
// The last move before the first stone of the main record (0, or 1 after an opening pass).
int moveBeforeFirstAnswer(const RecordSequence& main);

// One problem of the list.
struct ProblemEntry {
    int number = 0;
    std::u16string name;
};

// A control of the problem or answer panel as the window shows it.
struct ProblemControl {
    int id = 0;
    std::u16string text;
    bool enabled = true;
    bool checked = false;
};

// What the problem panel is doing.
enum class ProblemState { Idle, Answering, Studying, Placing, Creating };

// The answers to the problems of one group, kept beside its games ("answerData.dat" in the group's
// folder, one answer record per game number).
std::string problemAnswerPath(const GameStore& store, int group);

// Problem mode of the main board window: the problems of the current group, answering one against
// its correct, variation and failure lines, studying the lines, editing, and creating problems.
class ProblemMode {
public:
    ProblemMode(CIgoBoard& board, GameSession& session, GameStore& store, const StringTable& strings, Ui* ui);
    ~ProblemMode();

    // --- the list ---
    // Reads the problems of `group` and shows the first (or the one shown, when it is one of them).
    void open(int group);
    int group() const { return m_group; }
    const std::vector<ProblemEntry>& problems() const { return m_problems; }
    // The list position shown; -1 when there is none.
    int selected() const { return m_selected; }
    // The text the selection offers for a position: the name, with the latest answer while the
    // answer state is shown.
    std::u16string listText(int position) const;
    // Shows the problem at a list position at its start position; false when it cannot be read or
    // while an answer, a study or a creation runs.
    bool select(int position);
    bool next();

    // --- answering ---
    void setSides(TraceSides sides) { m_sides = sides; }
    TraceSides sides() const { return m_sides; }
    void setFromFirstMove(bool on) { m_fromFirstMove = on; }
    bool startAnswer();
    void stopAnswer();
    // A click on the board while answering (left; right asks a hint) or placing stones (in the
    // placement style); false when the click is not the mode's (the board takes it).
    bool click(int x, int y, bool rightButton);
    void hint();
    const TraceExercise* answer() const { return m_trace.get(); }
    const std::optional<TraceHint>& lastHint() const { return m_hint; }
    // "回答イメージを表示": the end of the first correct line, or back to the start.
    void toggleAnswerImage();
    bool answerImageShown() const { return m_imageShown; }

    // --- studying and editing ---
    bool startStudy();
    void endStudy();
    // Edit mode on or off; refused while an answer or a creation runs.
    bool toggleEdit();
    bool editMode() const { return m_edit; }

    // --- creating ---
    // Makes a new problem of the group from the dialog's values and opens its stone placement.
    // `side` answers: a White problem opens with Black's pass.
    bool beginCreation(const GameInfo& header, Colour side);
    // "終了" of the placement: marks the record as a problem, enables edit mode for the answer lines.
    void endPlacement();
    // "作成完了": stores the problem and shows it in the list.
    bool finishCreation();
    // The creation dialog's "OK" on the problem shown: its name, category, description and initial
    // display move are stored; false while other work runs or when the store refuses.
    bool changeHeader(const GameInfo& header);
    // "配置修正": the placement of the problem shown, again.
    bool correctPlacement();
    int setupStones() const { return m_setupStones; }
    // The placement style: both buttons (1149), Black only (1150) or White only (1151) with the left.
    void setPlacementStyle(int control) { m_placementStyle = control; }
    int placementStyle() const { return m_placementStyle; }

    // --- answer state ---
    void toggleAnswerState() { m_showAnswerState = !m_showAnswerState; }
    bool answerStateShown() const { return m_showAnswerState; }
    // Asks, then clears every answer of the group.
    bool resetAnswers();
    const AnswerTable& answers() const { return m_answers; }

    // A panel button or a menu command by id; false when it is none of problem mode's.
    bool command(int id);
    ProblemState state() const { return m_state; }
    // The panels' controls with their texts and states, and the status text.
    std::vector<ProblemControl> controls() const;
    const std::u16string& status() const { return m_status; }

private:
    std::u16string text(int id) const;
    int startPosition() const;
    void showStart();
    void showPlayed(const TraceReply& r);
    void complete(const TraceReply& r);
    void record(AnswerResult result);
    void setStatus(int id);
    void message(std::u16string_view text);
    void showStoreMessages(const StoreMessages& messages);

    CIgoBoard& m_board;
    GameSession& m_session;
    GameStore& m_store;
    const StringTable& m_strings;
    Ui* m_ui;
    int m_group = -1;
    std::vector<ProblemEntry> m_problems;
    int m_selected = -1;
    ProblemState m_state = ProblemState::Idle;
    TraceSides m_sides = TraceSides::First;
    bool m_fromFirstMove = false;
    bool m_edit = false;
    bool m_imageShown = false;
    bool m_showAnswerState = false;
    bool m_createWhite = false;
    int m_setupStones = 0;
    int m_placementStyle = kCtlPlaceBoth;
    std::unique_ptr<TraceExercise> m_trace;
    std::optional<TraceHint> m_hint;
    AnswerTable m_answers;
    std::u16string m_status;
};

} // namespace stonewise
