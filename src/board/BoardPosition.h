#pragma once

#include <array>
#include <cstdint>

#include "board/BoardPoint.h"
#include "record/RecordNode.h"

namespace stonewise {

// Why a stone may not be placed.
enum class MoveRefusal { None, Occupied, Suicide, Ko };

// A stone put down by a move or a setup node, with how it is drawn.
struct PlacedStone {
    int x = 0;
    int y = 0;
    Colour colour = kBlack;
    int moveNumber = 0; // 0 for setup stones
    std::uint16_t displayNumber = kNoDisplayNumber;
    std::uint8_t depth = 0;     // nesting depth of the sequence that placed it
    std::uint8_t markFlags = 0; // comment bit, '@' flag
};

// The stones on the board after the displayed move, with the rules that decide whether a stone may
// be placed: captures, suicide and ko. It answers questions (is this move legal, and why not) and
// carries out what a board window means (play a move, take the last one back, put a starting or
// setup stone, show a mark); the steps of the rules stay inside. Owns fixed arrays only; no check
// allocates.
class BoardPosition {
public:
    BoardPosition();

    // --- board size ---
    int size() const { return m_size; }
    // 19 or 13; any other value is taken as 19.
    void setSize(int lines);
    bool onBoard(int x, int y) const { return x >= 0 && y >= 0 && x < m_size && y < m_size; }

    // --- points ---
    const BoardPoint& at(int x, int y) const { return m_points[index(x, y)]; }
    Colour colourAt(int x, int y) const;
    const PointMark& mark(int x, int y) const { return m_marks[index(x, y)]; }
    std::uint16_t firstMoveAt(int x, int y) const { return m_firstMove[index(x, y)]; }
    // Whole point array, for copying aside (the flash display keeps the flashed stones).
    const std::array<BoardPoint, kPointCount>& points() const { return m_points; }
    void restorePoints(const std::array<BoardPoint, kPointCount>& points) { m_points = points; }

    // Empties every point (x and y filled in), the first-move array, the prisoners and the ko
    // records; the point marks too unless `keepMarks`.
    void clear(bool keepMarks = false);

    // --- the rules ---
    // Why a stone of move `moveNumber` may not go on (x, y): occupied, suicide, or the recapture of
    // a ko taken by the move just before. None when it may. The position is left as it was.
    MoveRefusal refusal(int x, int y, int moveNumber);
    bool legal(int x, int y, int moveNumber) { return refusal(x, y, moveNumber) == MoveRefusal::None; }
    // Plays a move on an empty point: the stone with its look, its captures (counted for the mover's
    // prisoners), the ko record and the first move at the point. Returns the stones captured.
    int play(const PlacedStone& stone);
    // Puts a setup stone (move number 0) down with its captures; they are not prisoners.
    int placeSetupStone(int x, int y, Colour colour, int depth);
    // Puts a starting stone (handicap or leading setup stone) down without any check.
    void placeStartingStone(int x, int y, Colour colour, int moveNumber);
    // Takes the stone of move `moveNumber` at (x, y) off again when it captured nothing, leaving an
    // empty point; false (and nothing changed) when that needs a rebuild.
    bool takeBack(int x, int y, int moveNumber);
    // Takes the stone at (x, y) away without any rule (free handicap placement).
    void removeStone(int x, int y);
    // The ko of the last capture counts from now on (the end of a rebuild).
    void keepKo() { m_koPrevious = m_koCurrent; }

    // --- prisoners, ko and captures ---
    // Stones captured by black (taken by odd moves) and by white.
    int prisoners(Colour capturer) const { return m_prisoners[capturer == kWhite ? 1 : 0]; }
    const KoRecord& currentKo() const { return m_koCurrent; }
    const KoRecord& previousKo() const { return m_koPrevious; }
    // The stones taken off by the last capture check.
    const CaptureLog& captureLog() const { return m_log; }

    // --- marks ---
    void setMark(int x, int y, const PointMark& mark) { m_marks[index(x, y)] = mark; }
    void clearMarks();
    // The last-move ring on the stone at (x, y) (the kind for a move after which branches start), or
    // none: other flags of the point stay.
    void showLastMoveMark(int x, int y, bool branchesAfter);
    void hideLastMoveMark(int x, int y);
    // A mark drawn on an empty point (a branch mark) with its number and depth; `flags` 0 takes it away.
    void markEmptyPoint(int x, int y, std::uint8_t flags, std::uint16_t number, std::uint8_t depth);
    // Puts a point as given (x and y taken from it): a state made by hand, as a drawing shows it.
    void setPoint(const BoardPoint& point);

    // --- display switches the rules read ---
    // "棋譜図表示にする": captured stones stay on the board.
    bool diagramDisplay() const { return m_diagram; }
    void setDiagramDisplay(bool on) { m_diagram = on; }

private:
    static std::size_t index(int x, int y) { return static_cast<std::size_t>(pointIndex(x, y)); }
    BoardPoint& point(int x, int y) { return m_points[index(x, y)]; }
    void resetSearch() { m_search.fill(0); }
    int placeAndCapture(int x, int y, Colour c, int moveNumber);
    int captureCheck(int x, int y, bool remove);
    bool suicideCheck(int x, int y);
    bool libertySearch(int x, int y, Colour c);
    void groupWalk(int x, int y, bool dead);
    void setFirstMoveAt(int x, int y, int moveNumber);

    int m_size = 19;
    std::array<BoardPoint, kPointCount> m_points{};
    std::array<PointMark, kPointCount> m_marks{};
    std::array<std::uint16_t, kPointCount> m_firstMove{};
    std::array<std::uint8_t, kPointCount> m_search{};
    std::array<int, 2> m_prisoners{};
    KoRecord m_koCurrent;
    KoRecord m_koPrevious;
    CaptureLog m_log;
    bool m_diagram = false;

    // Working state of one check.
    int m_count = 0;
    bool m_remove = false;
    int m_lastCapturedX = -1;
    int m_lastCapturedY = -1;
    int m_capturingMove = 0;
};

} // namespace stonewise
