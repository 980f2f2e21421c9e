#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "book/AnswerData.h"
#include "record/RecordSequence.h"

namespace stonewise {

// Numbers of the texts of answering by clicks, the same in the book player's trace and in problem
// mode: the messages, the side choices, "ヒント" and "次へ".
enum TraceStringId : int {
    kStrThreeMistakes = 59013,    // three mistakes, so a hint
    kStrWrongPoint = 59014,       // "位置が間違っています。間違えた回数：%d回"
    kStrTraceComplete = 59015,    // "トレース完了"
    kStrTraceFailureLine = 59016, // "トレースが失敗手順で完了"
    kStrNext = 59032,             // "次へ"
    kStrHint = 59039,             // "ヒント"
    kStrBothSides = 59042,        // "両方"
    kStrFirstSide = 59043,        // "先番"
    kStrSecondSide = 59044,       // "後番"
};

// Which side's moves the reader answers.
enum class TraceSides : std::uint8_t { Both = 0, First = 3, Second = 4 };

// One move of the line being traced.
struct TraceMove {
    int x = 0;
    int y = 0;
    Colour colour = kBlack;
    int moveNumber = 0;
    AnswerKind tag = kNoAnswer; // from the move's comment ("!正解:", "&G:", …)
    std::u16string comment;
    RecordSequence* sequence = nullptr; // the sequence that holds the move, for the board to show
};

// What a click, a hint or the start asks of the board.
enum class TraceEvent {
    None,      // nothing happened (not tracing, an occupied point)
    Correct,   // the move was right; `play` holds it and the reply of the other side, if any
    Wrong,     // a wrong point: message with the count of mistakes
    WrongHint, // the third wrong point in a row: the three-mistakes message and a hint
    Complete,  // the last move was played: "トレース完了" or, for a failure line, its own message
};

struct TraceReply {
    TraceEvent event = TraceEvent::None;
    std::vector<TraceMove> play; // moves the board plays now, in order
    int mistakes = 0;
    AnswerKind outcome = kNoAnswer; // the class of the line when the trace completed
};

// A hint: the comment of the expected move, or a mark near its point displaced by up to one grid
// spacing in each direction (dx, dy in grid spacings), coloured for the side to move.
struct TraceHint {
    std::optional<std::u16string> comment;
    int x = 0, y = 0;
    double dx = 0, dy = 0;
    Colour colour = kBlack;
};

// The trace exercise of a Go book page, and the answering of a problem: the reader replays a line
// of a game record by clicking the points of its moves. Wrong clicks are counted and marked, a hint
// is offered, and the outcome class comes from the answer tags of the moves played.
class TraceExercise {
public:
    // A trace of `main` from the move after `afterMove` to `lastMove` (0: the line's last move). In
    // problem mode (or when `acceptVariations`), a click on the first move of a variation that
    // branches at the expected move enters that variation.
    TraceExercise(RecordSequence& main, int afterMove, int lastMove, TraceSides sides, bool acceptVariations);

    // Starts: with "後番" the first move is played for the reader at once.
    TraceReply start();
    // A left click at a point; `occupied` when a stone lies there.
    TraceReply click(int x, int y, bool occupied);
    // A hint for the expected move (also resets nothing); nothing when not tracing.
    std::optional<TraceHint> hint();
    // Ends the trace before its end: the result to record, Abandoned when a mistake was made.
    std::optional<AnswerResult> end();
    // The result to record for a completed trace: the outcome class, Correct for an untagged line.
    static AnswerResult resultOf(AnswerKind outcome);

    bool tracing() const { return m_tracing; }
    int expectedMove() const { return m_next < m_line.size() ? m_line[m_next].moveNumber : 0; }
    int mistakes() const { return m_mistakes; }
    int hints() const { return m_hints; }
    AnswerKind outcome() const { return m_outcome; }
    // Whether a wrong click was marked at a point.
    bool wrongAt(int x, int y) const;

private:
    void followLine(RecordSequence& s, int afterMove);
    bool enterVariationAt(int x, int y);
    TraceReply correct(std::vector<TraceMove>& play);
    double draw();

    std::vector<TraceMove> m_line; // the moves from the first traced one to the end of the line
    std::size_t m_next = 0;
    int m_lastMove = 0;
    TraceSides m_sides;
    bool m_acceptVariations;
    bool m_tracing = false;
    int m_mistakes = 0;
    int m_allMistakes = 0; // every wrong click of this trace
    int m_hints = 0;
    AnswerKind m_outcome = kNoAnswer;
    std::array<bool, 19 * 19> m_wrong{};
    std::uint32_t m_random = 1;
};

} // namespace stonewise
