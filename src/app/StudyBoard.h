#pragma once

#include <memory>

#include "app/CIgoBoard.h"

namespace stonewise {

// The study board ("検討・参考図"): a second board window beside the main one that shows a copy of
// the main board's game, at the same move and in the same variation. Moves tried there change only
// the copy; the sequence it shows can be taken over into the main record as a variation.
// The study board's window title, "検討・参考図".
constexpr int kStrStudyBoardTitle = 10014;

class StudyBoard {
public:
    explicit StudyBoard(const BoardEnvironment& env) : m_board(env) {}

    CIgoBoard& board() { return m_board; }
    const CIgoBoard& board() const { return m_board; }

    // Shows a copy of the game of `main`: its record with every sequence, its information, the
    // variations on its path and the move it shows (its end when it shows its end).
    void copyFrom(const CIgoBoard& main);

    // The sequence the study board shows when it is not the main record; null otherwise.
    const RecordSequence* studySequence() const;
    // The line of play the study board shows, from the first move, as one sequence: its moves,
    // passes and setup stones with their comments (marks and further variations left out).
    std::unique_ptr<RecordSequence> shownLine() const;

    bool visible() const { return m_visible; }
    void setVisible(bool on) { m_visible = on; }

private:
    CIgoBoard m_board;
    bool m_visible = false;
};

} // namespace stonewise
