#pragma once

#include <array>
#include <optional>
#include <cstdint>
#include <vector>

#include "board/BoardPoint.h"
#include "record/RecordNode.h"

namespace stonewise {

// A move met on an occupied point while rebuilding with diagram display on.
struct OverlapEntry {
    int moveNumber = 0;
    int x = 0;
    int y = 0;
};

// The stones on the board after the displayed move, with the rules that decide whether a stone may
// be placed: captures, suicide and ko. Owns fixed arrays only; no check allocates.
class BoardPosition {
public:
    static constexpr int kMaxOverlaps = 100;

    BoardPosition();

    // --- board size ---
    int size() const { return m_size; }
    // 19 or 13; any other value is taken as 19.
    void setSize(int lines);
    bool onBoard(int x, int y) const { return x >= 0 && y >= 0 && x < m_size && y < m_size; }

    // --- points ---
    BoardPoint& at(int x, int y) { return m_points[static_cast<std::size_t>(pointIndex(x, y))]; }
    const BoardPoint& at(int x, int y) const { return m_points[static_cast<std::size_t>(pointIndex(x, y))]; }
    Colour colourAt(int x, int y) const;
    PointMark& mark(int x, int y) { return m_marks[static_cast<std::size_t>(pointIndex(x, y))]; }
    const PointMark& mark(int x, int y) const { return m_marks[static_cast<std::size_t>(pointIndex(x, y))]; }
    std::uint16_t firstMoveAt(int x, int y) const { return m_firstMove[static_cast<std::size_t>(pointIndex(x, y))]; }
    void setFirstMoveAt(int x, int y, int moveNumber);
    std::uint8_t searchMark(int x, int y) const { return m_search[static_cast<std::size_t>(pointIndex(x, y))]; }

    // Empties every point (x and y filled in), the first-move array and the prisoners; the point
    // marks too unless `keepMarks`.
    void clear(bool keepMarks = false);
    void clearMarks();

    // --- rules ---
    // Counts (and with `remove` takes off) the enemy stones left without liberty by the stone at
    // (x, y), whose colour and move number are already set. With `remove` the count goes into the
    // point's captured field and the capture log is filled. Sets the current ko record when exactly
    // one stone was captured.
    int captureCheck(int x, int y, bool remove);
    // True when the group of the stone at (x, y) has no liberty (call after a capture check that
    // captured nothing).
    bool suicideCheck(int x, int y);
    // Flood fill from (x, y) over stones of colour `c`: true when the group has a liberty.
    bool libertySearch(int x, int y, Colour c);
    // Marks the group reached by the last search (mark 4); dead groups are counted, logged and, with
    // removal on and diagram display off, taken off; live ones get mark 2.
    void groupWalk(int x, int y, bool dead);

    // Puts a stone down with its number and runs the capture check with removal; returns the
    // number captured. For setup stones (move number 0) and rebuilt moves.
    int placeAndCapture(int x, int y, Colour c, int moveNumber);

    // --- prisoners and ko ---
    // Stones captured by black (index 0, taken by odd moves) and by white (index 1).
    int prisoners(Colour capturer) const { return m_prisoners[capturer == kWhite ? 1 : 0]; }
    void setPrisoners(Colour capturer, int count) { m_prisoners[capturer == kWhite ? 1 : 0] = count; }
    void addPrisoners(Colour capturer, int count) { m_prisoners[capturer == kWhite ? 1 : 0] += count; }
    KoRecord& currentKo() { return m_koCurrent; }
    KoRecord& previousKo() { return m_koPrevious; }
    const KoRecord& currentKo() const { return m_koCurrent; }
    const KoRecord& previousKo() const { return m_koPrevious; }
    // Copies the current ko record to the previous one.
    void keepKo() { m_koPrevious = m_koCurrent; }
    const CaptureLog& captureLog() const { return m_log; }

    // --- display switches the rules read ---
    // "棋譜図表示にする": captured stones stay on the board and moves on occupied points are listed.
    bool diagramDisplay() const { return m_diagram; }
    void setDiagramDisplay(bool on) { m_diagram = on; }

    // --- record state shown ---
    int totalMoves = 0;           // last move number of the path shown
    int displayedMove = -1;       // -1 = to the end
    int handicapCount = 0;
    std::optional<RecordNode> lastMove;     // a copy of its node; none after a pass or at the start
    int sequenceFirstMove = 1;    // first move number of the current sequence
    std::vector<OverlapEntry> overlaps;     // at most 100, in diagram display

    // Whole point array, for copying aside (the legality probe).
    const std::array<BoardPoint, kPointCount>& points() const { return m_points; }
    void restorePoints(const std::array<BoardPoint, kPointCount>& points) { m_points = points; }

private:
    void resetSearch() { m_search.fill(0); }

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
