#include "search/PatternPacking.h"

#include <bit>

namespace stonewise {

std::uint8_t moveByte(const PatternMove& m) {
    if (m.elsewhere()) return kElsewhereByte;
    return static_cast<std::uint8_t>((m.x << 4) | (m.y & 0x0F));
}

void moveBytes(const PatternCollector& c, int first, std::span<std::uint8_t> out) {
    for (std::size_t i = 0; i < out.size(); ++i) {
        const int index = first + static_cast<int>(i);
        out[i] = index < c.count ? moveByte(c.moves[static_cast<std::size_t>(index)]) : kNoMoveByte;
    }
}

int pointCode(const PatternMove& m) {
    if (m.elsewhere()) return kElsewhereByte * 4 + 3;
    return ((m.x << 3) | (m.y >> 2)) * 4 + (m.y & 3);
}

void packMoveGroup(const PatternCollector& c, int first, std::uint8_t* out) {
    out[4] = 0;
    for (int k = 0; k < 4; ++k) {
        const int index = first + k;
        const bool present = index < c.count && !c.moves[static_cast<std::size_t>(index)].elsewhere();
        const PatternMove& m = c.moves[static_cast<std::size_t>(present ? index : 0)];
        out[k] = present ? static_cast<std::uint8_t>((m.x << 3) | (m.y >> 2)) : kElsewhereByte;
        out[4] = static_cast<std::uint8_t>(out[4] | ((present ? (m.y & 3) : 3) << (2 * k)));
    }
}

void PatternReplay::start(int reach) {
    m_reach = reach;
    m_board.fill(0);
}

bool PatternReplay::hasLiberty(int start, std::uint8_t colour) {
    if (++m_mark == 0) {
        m_seen.fill(0);
        m_mark = 1;
    }
    int top = 0;
    m_stack[static_cast<std::size_t>(top++)] = static_cast<std::uint16_t>(start);
    m_seen[static_cast<std::size_t>(start)] = m_mark;
    while (top > 0) {
        const int p = m_stack[static_cast<std::size_t>(--top)];
        const int x = p % 19;
        const int y = p / 19;
        const int next[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
        for (const auto& n : next) {
            if (n[0] < 0 || n[1] < 0 || n[0] > m_reach || n[1] > m_reach) continue;
            const int q = n[1] * 19 + n[0];
            const std::uint8_t v = m_board[static_cast<std::size_t>(q)];
            if (v == 0) return true;
            if (v != colour || m_seen[static_cast<std::size_t>(q)] == m_mark) continue;
            m_seen[static_cast<std::size_t>(q)] = m_mark;
            m_stack[static_cast<std::size_t>(top++)] = static_cast<std::uint16_t>(q);
        }
    }
    return false;
}

void PatternReplay::removeGroup(int start, std::uint8_t colour) {
    int top = 0;
    m_stack[static_cast<std::size_t>(top++)] = static_cast<std::uint16_t>(start);
    m_board[static_cast<std::size_t>(start)] = 0;
    while (top > 0) {
        const int p = m_stack[static_cast<std::size_t>(--top)];
        const int x = p % 19;
        const int y = p / 19;
        const int next[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
        for (const auto& n : next) {
            if (n[0] < 0 || n[1] < 0 || n[0] > m_reach || n[1] > m_reach) continue;
            const int q = n[1] * 19 + n[0];
            if (m_board[static_cast<std::size_t>(q)] != colour) continue;
            m_board[static_cast<std::size_t>(q)] = 0;
            m_stack[static_cast<std::size_t>(top++)] = static_cast<std::uint16_t>(q);
        }
    }
}

void PatternReplay::play(const PatternMove& m) {
    if (m.elsewhere() || m.x > m_reach || m.y > m_reach) return;
    const auto colour = static_cast<std::uint8_t>(m.colour == 2 ? 2 : 1);
    const std::uint8_t other = colour == 1 ? 2 : 1;
    m_board[static_cast<std::size_t>(m.y * 19 + m.x)] = colour;
    const int next[4][2] = {{m.x - 1, m.y}, {m.x + 1, m.y}, {m.x, m.y - 1}, {m.x, m.y + 1}};
    for (const auto& n : next) {
        if (n[0] < 0 || n[1] < 0 || n[0] > m_reach || n[1] > m_reach) continue;
        const int q = n[1] * 19 + n[0];
        if (m_board[static_cast<std::size_t>(q)] == other && !hasLiberty(q, other)) removeGroup(q, other);
    }
}

namespace {

void packRows(const std::array<std::uint8_t, 19 * 19>& board, int rows, int columns, int rowBytes, std::uint8_t* out) {
    for (int y = 0; y < rows; ++y) {
        const std::uint8_t* points = board.data() + y * 19;
        for (int b = 0; b < rowBytes; ++b) {
            unsigned packed = 0;
            for (int k = 0; k < 4; ++k) {
                const int x = 4 * b + k;
                packed = (packed << 2) | (x < columns ? points[x] & 3u : 0u);
            }
            out[y * rowBytes + b] = static_cast<std::uint8_t>(packed);
        }
    }
}

// Points whose 2-bit values differ between two packed bytes.
int differingPoints(std::uint8_t a, std::uint8_t b) {
    const unsigned x = static_cast<unsigned>(a ^ b);
    return std::popcount((x | (x >> 1)) & 0x55u);
}

} // namespace

void PatternReplay::packBoard(std::uint8_t* out) const { packRows(m_board, 19, 19, 5, out); }

void PatternReplay::packCorner(std::uint8_t* out) const { packRows(m_board, kCornerSize, kCornerSize, 3, out); }

int boardDifference(const std::uint8_t* a, const std::uint8_t* b) {
    int differing = 0;
    for (int i = 0; i < kPackedBoardSize; ++i) differing += differingPoints(a[i], b[i]);
    return differing;
}

bool boardsAlike(const std::uint8_t* a, const std::uint8_t* b) { return boardDifference(a, b) * 100 <= 361; }

bool cornersAlike(const std::uint8_t* a, const std::uint8_t* b) {
    for (int y = 0; y < 8; ++y)
        if (a[y * 3] != b[y * 3] || a[y * 3 + 1] != b[y * 3 + 1]) return false;
    int differing = 0;
    for (int y = 9; y < kCornerSize; ++y)
        for (int i = 0; i < 3; ++i) differing += differingPoints(a[y * 3 + i], b[y * 3 + i]);
    return differing * 100 <= 144;
}

} // namespace stonewise
