#pragma once

#include <optional>
#include <vector>

#include "record/RecordNode.h"

namespace stonewise {

// A move met on an occupied point while rebuilding with diagram display on.
struct OverlapEntry {
    int moveNumber = 0;
    int x = 0;
    int y = 0;
};

// Where a board window stands in its record: the last move of the path shown, the move shown, the
// last move placed on the board and, in diagram display, the moves that met an occupied point.
class BoardNavigation {
public:
    static constexpr int kMaxOverlaps = 100;

    // The last move number of the path shown.
    int totalMoves() const { return m_total; }
    // The move shown; -1 means the end of the path.
    int displayedMove() const { return m_displayed; }
    // The move shown as a number (the end resolved to total moves).
    int shownMove() const { return m_displayed == -1 ? m_total : m_displayed; }
    bool atEnd() const { return m_displayed == -1 || m_displayed >= m_total; }

    // The path shown now ends at `total`; the move shown stays.
    void setTotalMoves(int total) { m_total = total; }
    // Shows move n (the caller keeps it within the path), or with -1 the end of the path.
    void show(int moveNumber) { m_displayed = moveNumber; }
    void showEnd() { m_displayed = -1; }
    // A path ending at `total`, shown to its end.
    void showEndOf(int total) {
        m_total = total;
        m_displayed = -1;
    }

    // The node of the last move placed on the board: none after a pass or at the start.
    const std::optional<RecordNode>& lastMove() const { return m_lastMove; }
    void setLastMove(const RecordNode* move) {
        if (move) m_lastMove = *move;
        else m_lastMove.reset();
    }

    // Moves on occupied points (at most 100), listed by the last rebuild in diagram display.
    const std::vector<OverlapEntry>& overlaps() const { return m_overlaps; }
    void clearOverlaps() { m_overlaps.clear(); }
    void addOverlap(const OverlapEntry& e) {
        if (static_cast<int>(m_overlaps.size()) < kMaxOverlaps) m_overlaps.push_back(e);
    }

private:
    int m_total = 0;
    int m_displayed = -1;
    std::optional<RecordNode> m_lastMove;
    std::vector<OverlapEntry> m_overlaps;
};

} // namespace stonewise
