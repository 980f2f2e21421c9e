#include "search/PatternAnalyzer.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace stonewise {

namespace {

constexpr int kNearestReach = 6;   // lines looked at in each direction for the nearest stone
constexpr int kNoStoneNear = 200;  // a nearest stone counts when its squared distance is below this
constexpr int kFarthestMove = 162; // the start value of the smallest distance to a corner's move
constexpr int kCornerReach = 11;   // frame coordinates from here on are outside a corner
constexpr int kPatternReach = 9;   // corner moves beyond this do not draw new moves in

struct Offset {
    int dx;
    int dy;
    int d2;
};

// The points within kNearestReach lines of a point, nearest first.
const std::vector<Offset>& offsetsByDistance() {
    static const std::vector<Offset> offsets = [] {
        std::vector<Offset> v;
        for (int dy = -kNearestReach; dy <= kNearestReach; ++dy)
            for (int dx = -kNearestReach; dx <= kNearestReach; ++dx)
                if (dx != 0 || dy != 0) v.push_back({dx, dy, dx * dx + dy * dy});
        std::stable_sort(v.begin(), v.end(), [](const Offset& a, const Offset& b) { return a.d2 < b.d2; });
        return v;
    }();
    return offsets;
}

int mirror(int i, bool thirteen) {
    if (!thirteen) return 18 - i;
    return i <= 12 ? 12 - i : kFramePass;
}

void addDistant(PatternCollector& c, const LineStone& s, int fx, int fy) {
    if (c.distantCount >= kMaxDistantMoves) return;
    c.distant[static_cast<std::size_t>(c.distantCount++)] = {s.sequence, s.colour, static_cast<std::uint8_t>(fx),
                                                             static_cast<std::uint8_t>(fy)};
}

bool onBoard(const LineStone& s) { return s.x < 19 && s.y < 19; }

} // namespace

std::uint8_t PatternCollector::colourOfMove(int m) const {
    if (count == 0) return 1;
    const int index = std::min(m, count) - 1;
    return static_cast<std::uint8_t>(moves[static_cast<std::size_t>(std::max(index, 0))].colour);
}

const PatternCollector* PatternAnalyzer::find(int kind) const {
    for (int i = 0; i < m_count; ++i)
        if (m_collectors[static_cast<std::size_t>(i)].kind == kind) return &m_collectors[static_cast<std::size_t>(i)];
    return nullptr;
}

void PatternAnalyzer::frame(const PatternCollector& c, int x, int y, int& fx, int& fy) const {
    const bool mirrorX = c.kind == kUpperRight || c.kind == kLowerRight;
    const bool mirrorY = c.kind == kLowerLeft || c.kind == kLowerRight;
    fx = mirrorX ? mirror(x, c.thirteen) : x;
    fy = mirrorY ? mirror(y, c.thirteen) : y;
}

int PatternAnalyzer::nearestStone(int x, int y) {
    if (m_nearestCache >= 0) return m_nearestCache;
    m_nearestCache = kNoStoneNear;
    for (const Offset& o : offsetsByDistance()) {
        const int px = x + o.dx;
        const int py = y + o.dy;
        if (px < 0 || py < 0 || px >= m_boardSize || py >= m_boardSize) continue;
        if (m_scratch[static_cast<std::size_t>(py * 19 + px)] != 0) {
            m_nearestCache = o.d2;
            break;
        }
    }
    return m_nearestCache;
}

PatternAnalyzer::Class PatternAnalyzer::classify(const PatternCollector& c, int x, int y, int fx, int fy) {
    if (!c.isCorner()) return Class::Pattern;
    if (fx >= kCornerReach || fy >= kCornerReach) return Class::Ignore;
    if (c.count == 0) return std::abs(fx - 3) <= 2 && std::abs(fy - 3) <= 2 ? Class::Pattern : Class::Distant;
    int smallest = kFarthestMove;
    for (int i = 0; i < c.count; ++i) {
        const PatternMove& m = c.moves[static_cast<std::size_t>(i)];
        if (m.x > kPatternReach || m.y > kPatternReach) continue; // also a play elsewhere
        const int d2 = (m.x - fx) * (m.x - fx) + (m.y - fy) * (m.y - fy);
        if (d2 < 6) return Class::Pattern;
        smallest = std::min(smallest, d2);
    }
    const int nearest = nearestStone(x, y);
    if (nearest < kNoStoneNear && nearest < smallest) return Class::Ignore;
    if (smallest <= 9) return Class::Pattern;
    if (smallest > 10 || fx > kPatternReach || fy > kPatternReach) return Class::Distant;
    return Class::Pattern;
}

void PatternAnalyzer::append(PatternCollector& c, const LineStone& s, int fx, int fy) {
    if (c.count > 0 && c.moves[static_cast<std::size_t>(c.count - 1)].colour == s.colour) {
        if (c.count >= kMaxPatternMoves) return;
        c.moves[static_cast<std::size_t>(c.count++)] = {s.sequence, static_cast<std::uint16_t>(3 - s.colour),
                                                        kFramePass, kFramePass};
    }
    if (c.count >= kMaxPatternMoves) return;
    c.moves[static_cast<std::size_t>(c.count++)] = {s.sequence, s.colour, static_cast<std::uint8_t>(fx),
                                                    static_cast<std::uint8_t>(fy)};
}

bool PatternAnalyzer::analyse(std::span<const LineStone> line, int boardSize, std::uint8_t typeFlags,
                              bool allCollectors) {
    m_count = 0;
    const std::uint8_t kinds = typeFlags & (kTypeFlagReference | kTypeFlagJoseki | kTypeFlagFuseki);
    if (typeFlags != 0 && kinds == 0) return false;
    m_boardSize = boardSize == 13 ? 13 : 19;
    const bool thirteen = m_boardSize == 13;
    if (!allCollectors && kinds == kTypeFlagJoseki) {
        m_count = 1;
        m_collectors[0].kind = kUpperRight;
    } else {
        m_count = 5;
        for (int i = 0; i < 5; ++i) m_collectors[static_cast<std::size_t>(i)].kind = kWholeBoard + i;
    }
    for (int i = 0; i < m_count; ++i) {
        PatternCollector& c = m_collectors[static_cast<std::size_t>(i)];
        c.thirteen = thirteen;
        c.normalised = false;
        c.count = 0;
        c.distantCount = 0;
    }
    m_scratch.fill(0);

    for (const LineStone& s : line) {
        const bool point = onBoard(s);
        if (point) m_scratch[static_cast<std::size_t>(s.y * 19 + s.x)] = s.colour;
        m_nearestCache = -1;
        for (int i = 0; i < m_count; ++i) {
            PatternCollector& c = m_collectors[static_cast<std::size_t>(i)];
            if (!point) {
                // A pass is a play elsewhere on the whole board and nothing in a corner.
                if (!c.isCorner() && !s.setup) append(c, s, kFramePass, kFramePass);
                continue;
            }
            int fx = s.x;
            int fy = s.y;
            frame(c, s.x, s.y, fx, fy);
            const Class k = classify(c, s.x, s.y, fx, fy);
            if (k == Class::Ignore) continue;
            if (s.setup || k == Class::Distant) addDistant(c, s, fx, fy);
            else append(c, s, fx, fy);
        }
    }
    for (int i = 0; i < m_count; ++i) {
        PatternCollector& c = m_collectors[static_cast<std::size_t>(i)];
        if (c.isCorner()) normaliseCorner(c);
        else if (!thirteen) normaliseWholeBoard(c);
    }
    return true;
}

void normaliseCorner(PatternCollector& c) {
    for (int i = 0; i < c.count; ++i) {
        const PatternMove& m = c.moves[static_cast<std::size_t>(i)];
        if (m.x == m.y || m.x >= 8 || m.y >= 8) continue;
        if (m.x > m.y) {
            for (int j = 0; j < c.count; ++j) {
                PatternMove& t = c.moves[static_cast<std::size_t>(j)];
                if (!t.elsewhere()) std::swap(t.x, t.y);
            }
            c.normalised = true;
        }
        return;
    }
}

namespace {

template <class F>
void transformMoves(PatternCollector& c, F f) {
    for (int j = 0; j < c.count; ++j) {
        PatternMove& t = c.moves[static_cast<std::size_t>(j)];
        if (!t.elsewhere()) f(t);
    }
}

} // namespace

void normaliseWholeBoard(PatternCollector& c) {
    const PatternMove* first = nullptr;
    for (int i = 0; i < c.count && !first; ++i)
        if (!c.moves[static_cast<std::size_t>(i)].elsewhere()) first = &c.moves[static_cast<std::size_t>(i)];
    if (!first) return;
    bool changed = false;
    if (first->x <= 8) {
        transformMoves(c, [](PatternMove& t) { t.x = static_cast<std::uint8_t>(18 - t.x); });
        changed = true;
    }
    if (first->y >= 10) {
        transformMoves(c, [](PatternMove& t) { t.y = static_cast<std::uint8_t>(18 - t.y); });
        changed = true;
    }
    // Moves and the first move's colour per quadrant among the first six moves: upper left, lower
    // left, upper right, lower right. The middle lines belong to none.
    std::array<int, 4> moves{};
    std::array<int, 4> firstColour{};
    for (int i = 0; i < std::min(c.count, 6); ++i) {
        const PatternMove& m = c.moves[static_cast<std::size_t>(i)];
        if (m.elsewhere() || m.x == 9 || m.y == 9) continue;
        const int q = (m.x >= 10 ? 2 : 0) + (m.y >= 10 ? 1 : 0);
        if (moves[static_cast<std::size_t>(q)]++ == 0) firstColour[static_cast<std::size_t>(q)] = m.colour;
    }
    constexpr int kUL = 0, kLL = 1, kUR = 2, kLR = 3;
    if (firstColour[kUL] == firstColour[kLR] && firstColour[kUR] == firstColour[kLL] && moves[kLL] > moves[kUR]) {
        transformMoves(c, [](PatternMove& t) { std::swap(t.x, t.y); });
        changed = true;
    }
    if (moves[kLR] > moves[kUL]) {
        transformMoves(c, [](PatternMove& t) {
            const std::uint8_t x = t.x;
            t.x = static_cast<std::uint8_t>(18 - t.y);
            t.y = static_cast<std::uint8_t>(18 - x);
        });
        changed = true;
    }
    c.normalised = changed;
}

} // namespace stonewise
