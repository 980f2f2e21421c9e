#include "board/OwnershipPlayouts.h"

#include <algorithm>

namespace stonewise {

namespace {

constexpr int kStride = kMaxBoardSize + 2;
constexpr int kCells = kStride * kStride;
constexpr std::uint8_t kOff = 3; // outside the board
constexpr int kNext[4] = {-1, 1, -kStride, kStride};
constexpr int kDiagonal[4] = {-kStride - 1, -kStride + 1, kStride - 1, kStride + 1};

std::uint8_t other(std::uint8_t c) { return static_cast<std::uint8_t>(3 - c); }

// A small fast generator (xorshift); the same seed gives the same games.
class Random {
public:
    std::uint32_t below(std::uint32_t n) {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 7;
        m_state ^= m_state << 17;
        return static_cast<std::uint32_t>((m_state >> 32) % n);
    }

private:
    std::uint64_t m_state = 0x9E3779B97F4A7C15ULL;
};

// The board of one played-out game: chains as circular lists with a head, pseudo-liberties kept
// with their sum and sum of squares, so that "one liberty left" and which one it is are known at
// once (all pseudo-liberties are the same point exactly when count × squares = sum²).
class PlayoutBoard {
public:
    void setUp(const std::array<std::uint8_t, kPointCount>& colours, int size);
    // Plays random moves until both sides pass twice in a row or the move limit is reached.
    void playOut(Random& random, std::uint8_t first);
    // +1 for a black point, −1 for a white one, 0 for a point between both.
    int owner(int p) const;
    static int cellOf(int x, int y) { return (y + 1) * kStride + x + 1; }

private:
    bool inAtari(int h) const {
        return m_libs[h] > 0 && static_cast<std::int64_t>(m_libs[h]) * m_libSquares[h] == m_libSum[h] * m_libSum[h];
    }
    bool ownEye(int p, std::uint8_t c) const;
    bool acceptable(int p, std::uint8_t c);
    bool twoLibertiesAfter(int p, std::uint8_t c);
    int answer(int last, std::uint8_t c);
    int takeLargestInAtari(std::uint8_t c);
    void place(int p, std::uint8_t c);
    void addLiberty(int h, int p, int sign);
    void capture(int h);
    void addEmpty(int p);
    void removeEmpty(int p);

    int m_size = 19;
    std::array<std::uint8_t, kCells> m_colour{};
    std::array<std::int16_t, kCells> m_head{};
    std::array<std::int16_t, kCells> m_nextStone{};
    std::array<std::int16_t, kCells> m_stones{};
    std::array<std::int16_t, kCells> m_libs{};
    std::array<std::int64_t, kCells> m_libSum{};
    std::array<std::int64_t, kCells> m_libSquares{};
    std::array<std::int16_t, kCells> m_emptyAt{};
    std::array<std::int16_t, kCells> m_empty{};
    int m_emptyCount = 0;
    std::array<std::uint32_t, kCells> m_stamp{};
    std::uint32_t m_stampNow = 0;
    int m_ko = 0;
};

void PlayoutBoard::setUp(const std::array<std::uint8_t, kPointCount>& colours, int size) {
    m_size = size;
    m_colour.fill(kOff);
    m_emptyCount = 0;
    m_ko = 0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            m_colour[static_cast<std::size_t>(cellOf(x, y))] = kEmpty;
            addEmpty(cellOf(x, y));
        }
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const std::uint8_t c = colours[static_cast<std::size_t>(pointIndex(x, y))];
            const int p = cellOf(x, y);
            if ((c == kBlack || c == kWhite) && m_colour[static_cast<std::size_t>(p)] == kEmpty) place(p, c);
        }
}

void PlayoutBoard::addEmpty(int p) {
    m_emptyAt[static_cast<std::size_t>(p)] = static_cast<std::int16_t>(m_emptyCount);
    m_empty[static_cast<std::size_t>(m_emptyCount++)] = static_cast<std::int16_t>(p);
}

void PlayoutBoard::removeEmpty(int p) {
    const int i = m_emptyAt[static_cast<std::size_t>(p)];
    const int last = m_empty[static_cast<std::size_t>(--m_emptyCount)];
    m_empty[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(last);
    m_emptyAt[static_cast<std::size_t>(last)] = static_cast<std::int16_t>(i);
}

void PlayoutBoard::addLiberty(int h, int p, int sign) {
    m_libs[static_cast<std::size_t>(h)] = static_cast<std::int16_t>(m_libs[static_cast<std::size_t>(h)] + sign);
    m_libSum[static_cast<std::size_t>(h)] += sign * p;
    m_libSquares[static_cast<std::size_t>(h)] += static_cast<std::int64_t>(sign) * p * p;
}

// An empty point whose four neighbours are `c` (or the edge) and whose diagonals hold at most one
// enemy stone (none on the edge): filling it would throw away an eye.
bool PlayoutBoard::ownEye(int p, std::uint8_t c) const {
    for (int d : kNext) {
        const std::uint8_t v = m_colour[static_cast<std::size_t>(p + d)];
        if (v != c && v != kOff) return false;
    }
    int enemy = 0;
    bool edge = false;
    for (int d : kDiagonal) {
        const std::uint8_t v = m_colour[static_cast<std::size_t>(p + d)];
        if (v == kOff) edge = true;
        else if (v == other(c)) ++enemy;
    }
    return enemy == 0 || (!edge && enemy == 1);
}

// Whether the chain `c` would form at `p` (without captures) keeps two liberties.
bool PlayoutBoard::twoLibertiesAfter(int p, std::uint8_t c) {
    ++m_stampNow;
    m_stamp[static_cast<std::size_t>(p)] = m_stampNow;
    int found = 0;
    auto see = [&](int q) {
        if (m_colour[static_cast<std::size_t>(q)] != kEmpty || m_stamp[static_cast<std::size_t>(q)] == m_stampNow)
            return false;
        m_stamp[static_cast<std::size_t>(q)] = m_stampNow;
        return ++found >= 2;
    };
    for (int d : kNext)
        if (see(p + d)) return true;
    for (int d : kNext) {
        const int q = p + d;
        if (m_colour[static_cast<std::size_t>(q)] != c) continue;
        int s = q;
        do {
            for (int e : kNext)
                if (see(s + e)) return true;
            s = m_nextStone[static_cast<std::size_t>(s)];
        } while (s != q);
    }
    return false;
}

// A move the random games allow: legal (no suicide, no retaking a ko at once), not filling an
// own eye, and not leaving a chain of two or more stones with one liberty unless it captures.
bool PlayoutBoard::acceptable(int p, std::uint8_t c) {
    if (p == m_ko || ownEye(p, c)) return false;
    int emptyNext = 0;
    int joined = 1;
    for (int d : kNext) {
        const int q = p + d;
        const std::uint8_t v = m_colour[static_cast<std::size_t>(q)];
        if (v == kEmpty) ++emptyNext;
        else if (v == other(c) && inAtari(m_head[static_cast<std::size_t>(q)])) return true;
        else if (v == c) joined += m_stones[static_cast<std::size_t>(m_head[static_cast<std::size_t>(q)])];
    }
    if (emptyNext >= 2) return true;
    if (twoLibertiesAfter(p, c)) return true;
    // One liberty or none: a lone stone may go into atari, never into suicide.
    if (joined > 1) return false;
    return emptyNext == 1;
}

void PlayoutBoard::capture(int h) {
    int s = h;
    do {
        m_colour[static_cast<std::size_t>(s)] = kEmpty;
        addEmpty(s);
        s = m_nextStone[static_cast<std::size_t>(s)];
    } while (s != h);
    do {
        for (int d : kNext) {
            const int q = s + d;
            const std::uint8_t v = m_colour[static_cast<std::size_t>(q)];
            if (v == kBlack || v == kWhite) addLiberty(m_head[static_cast<std::size_t>(q)], s, 1);
        }
        s = m_nextStone[static_cast<std::size_t>(s)];
    } while (s != h);
}

void PlayoutBoard::place(int p, std::uint8_t c) {
    const auto i = static_cast<std::size_t>(p);
    m_colour[i] = c;
    removeEmpty(p);
    m_head[i] = static_cast<std::int16_t>(p);
    m_nextStone[i] = static_cast<std::int16_t>(p);
    m_stones[i] = 1;
    m_libs[i] = 0;
    m_libSum[i] = 0;
    m_libSquares[i] = 0;
    for (int d : kNext) {
        const int q = p + d;
        const std::uint8_t v = m_colour[static_cast<std::size_t>(q)];
        if (v == kEmpty) addLiberty(p, q, 1);
        else if (v == kBlack || v == kWhite) addLiberty(m_head[static_cast<std::size_t>(q)], p, -1);
    }
    int captured = 0;
    int capturedAt = 0;
    for (int d : kNext) {
        const int q = p + d;
        const std::uint8_t v = m_colour[static_cast<std::size_t>(q)];
        if (v == c) {
            int a = m_head[static_cast<std::size_t>(q)];
            int b = m_head[i];
            if (a == b) continue;
            if (m_stones[static_cast<std::size_t>(a)] < m_stones[static_cast<std::size_t>(b)]) std::swap(a, b);
            // Chain b joins chain a.
            int s = b;
            do {
                m_head[static_cast<std::size_t>(s)] = static_cast<std::int16_t>(a);
                s = m_nextStone[static_cast<std::size_t>(s)];
            } while (s != b);
            std::swap(m_nextStone[static_cast<std::size_t>(a)], m_nextStone[static_cast<std::size_t>(b)]);
            m_stones[static_cast<std::size_t>(a)] = static_cast<std::int16_t>(m_stones[static_cast<std::size_t>(a)] +
                                                                              m_stones[static_cast<std::size_t>(b)]);
            m_libs[static_cast<std::size_t>(a)] =
                static_cast<std::int16_t>(m_libs[static_cast<std::size_t>(a)] + m_libs[static_cast<std::size_t>(b)]);
            m_libSum[static_cast<std::size_t>(a)] += m_libSum[static_cast<std::size_t>(b)];
            m_libSquares[static_cast<std::size_t>(a)] += m_libSquares[static_cast<std::size_t>(b)];
        } else if (v == other(c) && m_libs[static_cast<std::size_t>(m_head[static_cast<std::size_t>(q)])] == 0) {
            const int h = m_head[static_cast<std::size_t>(q)];
            captured += m_stones[static_cast<std::size_t>(h)];
            capturedAt = h;
            capture(h);
        }
    }
    const int h = m_head[i];
    m_ko = captured == 1 && m_stones[static_cast<std::size_t>(h)] == 1 && inAtari(h) ? capturedAt : 0;
}

// The answer to the last move at `last`: take a chain of the mover's enemy left in atari beside
// it, else save an own chain it put in atari by extending to two liberties. 0 for none.
int PlayoutBoard::answer(int last, std::uint8_t c) {
    if (last == 0) return 0;
    for (int k = -1; k < 4; ++k) {
        const int q = k < 0 ? last : last + kNext[k];
        if (m_colour[static_cast<std::size_t>(q)] != other(c)) continue;
        const int h = m_head[static_cast<std::size_t>(q)];
        if (!inAtari(h)) continue;
        const int liberty =
            static_cast<int>(m_libSum[static_cast<std::size_t>(h)] / m_libs[static_cast<std::size_t>(h)]);
        if (acceptable(liberty, c)) return liberty;
    }
    for (int d : kNext) {
        const int q = last + d;
        if (m_colour[static_cast<std::size_t>(q)] != c) continue;
        const int h = m_head[static_cast<std::size_t>(q)];
        if (!inAtari(h)) continue;
        const int liberty =
            static_cast<int>(m_libSum[static_cast<std::size_t>(h)] / m_libs[static_cast<std::size_t>(h)]);
        if (acceptable(liberty, c) && twoLibertiesAfter(liberty, c)) return liberty;
    }
    return 0;
}

// The liberty that takes the largest chain of two or more of `c`'s enemy stones already in atari
// anywhere on the board, 0 for none: such a chain left with one liberty when the game ended is
// dead and is taken first thing, before a random move elsewhere starts a race its neighbours
// would lose for no reason. A lone stone in atari is left to the random games: at the end of a
// game it is mostly a ko or a false eye that both sides could take, whose outcome is not settled.
int PlayoutBoard::takeLargestInAtari(std::uint8_t c) {
    int best = 0;
    int bestStones = 1;
    for (int y = 0; y < m_size; ++y)
        for (int x = 0; x < m_size; ++x) {
            const int q = cellOf(x, y);
            if (m_colour[static_cast<std::size_t>(q)] != other(c) || m_head[static_cast<std::size_t>(q)] != q) continue;
            if (!inAtari(q) || m_stones[static_cast<std::size_t>(q)] <= bestStones) continue;
            const int liberty =
                static_cast<int>(m_libSum[static_cast<std::size_t>(q)] / m_libs[static_cast<std::size_t>(q)]);
            if (!acceptable(liberty, c)) continue;
            best = liberty;
            bestStones = m_stones[static_cast<std::size_t>(q)];
        }
    return best;
}

void PlayoutBoard::playOut(Random& random, std::uint8_t first) {
    std::uint8_t toMove = first;
    int passes = 0;
    int last = 0;
    const int limit = 3 * m_size * m_size;
    for (int moves = 0; moves < limit && passes < 2; ++moves) {
        // Each side's first move takes what the final position left in atari.
        int chosen = moves < 2 ? takeLargestInAtari(toMove) : answer(last, toMove);
        const int n = chosen != 0 ? 0 : m_emptyCount;
        const int start = n > 0 ? static_cast<int>(random.below(static_cast<std::uint32_t>(n))) : 0;
        for (int k = 0; k < n && chosen == 0; ++k) {
            const int p = m_empty[static_cast<std::size_t>((start + k) % n)];
            if (acceptable(p, toMove)) chosen = p;
        }
        last = chosen;
        if (chosen != 0) {
            place(chosen, toMove);
            passes = 0;
        } else {
            m_ko = 0;
            ++passes;
        }
        toMove = other(toMove);
    }
}

int PlayoutBoard::owner(int p) const {
    const std::uint8_t v = m_colour[static_cast<std::size_t>(p)];
    if (v == kBlack) return 1;
    if (v == kWhite) return -1;
    bool black = false, white = false;
    for (int d : kNext) {
        const std::uint8_t w = m_colour[static_cast<std::size_t>(p + d)];
        black = black || w == kBlack;
        white = white || w == kWhite;
    }
    return black == white ? 0 : black ? 1 : -1;
}

} // namespace

void OwnershipPlayouts::run(const std::array<std::uint8_t, kPointCount>& colours, int size, int games) {
    m_balance.fill(0);
    m_games = std::max(games, 0);
    if (size < 2 || size > kMaxBoardSize) {
        m_games = 0;
        return;
    }
    Random random;
    PlayoutBoard start;
    start.setUp(colours, size);
    PlayoutBoard board;
    for (int g = 0; g < m_games; ++g) {
        board = start;
        board.playOut(random, g % 2 == 0 ? kBlack : kWhite);
        for (int x = 0; x < size; ++x)
            for (int y = 0; y < size; ++y)
                m_balance[static_cast<std::size_t>(pointIndex(x, y))] += board.owner(PlayoutBoard::cellOf(x, y));
    }
}

double OwnershipPlayouts::blackShare(int x, int y) const {
    if (m_games == 0 || x < 0 || y < 0 || x >= kMaxBoardSize || y >= kMaxBoardSize) return 0.0;
    return static_cast<double>(m_balance[static_cast<std::size_t>(pointIndex(x, y))]) / m_games;
}

} // namespace stonewise
