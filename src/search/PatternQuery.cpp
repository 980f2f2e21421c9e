#include "search/PatternQuery.h"

#include <algorithm>

#include "search/PatternLine.h"
#include "search/PatternTexts.h"

namespace stonewise {

int cornerOfPoint(int x, int y, int boardSize) {
    const int half = boardSize == 13 ? 7 : 10;
    return kUpperLeft + (x >= half ? 1 : 0) + (y >= half ? 2 : 0);
}

int PatternQuery::prepare(const RecordSequence& leaf, int lastMove, int boardSize) {
    collectLine(leaf, m_line, lastMove);
    const std::vector<LineStone> line = m_line;
    return prepare(line, boardSize);
}

int PatternQuery::prepare(std::span<const LineStone> line, int boardSize) {
    m_boardSize = boardSize == 13 ? 13 : 19;
    m_stones = 0;
    m_lastCorner = 0;
    for (const LineStone& s : line) {
        if (s.x >= m_boardSize || s.y >= m_boardSize) continue;
        ++m_stones;
        if (!s.setup) m_lastCorner = cornerOfPoint(s.x, s.y, m_boardSize);
    }
    m_analyzer.analyse(line, m_boardSize, 0, true);
    takeSnapshots();
    return m_stones < kFewestSearchStones ? kTextTooFewStones : 0;
}

void PatternQuery::takeSnapshots() {
    m_whole.clear();
    const PatternCollector& whole = *m_analyzer.wholeBoard();
    m_replay.start(thirteen() ? 12 : 18);
    const int wholeLimit = std::min(whole.count, kWholeSnapshotLimit);
    for (int m = kOpeningMoves, played = 0; m < wholeLimit; m += kWholeSnapshotStep) {
        for (; played < m; ++played) m_replay.play(whole.moves[static_cast<std::size_t>(played)]);
        m_whole.resize(m_whole.size() + kPackedBoardSize);
        m_replay.packBoard(m_whole.data() + m_whole.size() - kPackedBoardSize);
    }
    for (int kind = kUpperLeft; kind <= kLowerRight; ++kind) {
        std::vector<std::uint8_t>& out = m_corners[static_cast<std::size_t>(kind - kUpperLeft)];
        out.clear();
        const PatternCollector& c = *m_analyzer.find(kind);
        m_replay.start(12);
        const int limit = std::min(c.count, kCornerSnapshotLimit);
        for (int m = kOpeningMoves, played = 0; m < limit; m += kCornerSnapshotStep) {
            for (; played < m; ++played) m_replay.play(c.moves[static_cast<std::size_t>(played)]);
            out.resize(out.size() + kPackedCornerSize);
            m_replay.packCorner(out.data() + out.size() - kPackedCornerSize);
        }
    }
}

const std::uint8_t* PatternQuery::wholeSnapshot(int m) const {
    const std::size_t at = static_cast<std::size_t>((m - kOpeningMoves) / kWholeSnapshotStep) * kPackedBoardSize;
    return at + kPackedBoardSize <= m_whole.size() ? m_whole.data() + at : nullptr;
}

const std::uint8_t* PatternQuery::cornerSnapshot(int kind, int m) const {
    if (kind < kUpperLeft || kind > kLowerRight) return nullptr;
    const std::vector<std::uint8_t>& v = m_corners[static_cast<std::size_t>(kind - kUpperLeft)];
    const std::size_t at = static_cast<std::size_t>((m - kOpeningMoves) / kCornerSnapshotStep) * kPackedCornerSize;
    return at + kPackedCornerSize <= v.size() ? v.data() + at : nullptr;
}

} // namespace stonewise
