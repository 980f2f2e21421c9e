#include "board/BoardPosition.h"

namespace stonewise {

namespace {
// Neighbour order of every search and walk: left, down, right, up.
constexpr int kDx[4] = {-1, 0, 1, 0};
constexpr int kDy[4] = {0, 1, 0, -1};

constexpr std::uint8_t kVisited = 1;
constexpr std::uint8_t kHasLiberty = 2;
constexpr std::uint8_t kWalked = 4;
} // namespace

BoardPosition::BoardPosition() { clear(); }

void BoardPosition::setSize(int lines) { m_size = lines == 13 ? 13 : 19; }

Colour BoardPosition::colourAt(int x, int y) const {
    const std::uint8_t c = at(x, y).colour;
    return c == kBlack || c == kWhite ? static_cast<Colour>(c) : kEmpty;
}

void BoardPosition::setFirstMoveAt(int x, int y, int moveNumber) {
    auto& slot = m_firstMove[static_cast<std::size_t>(pointIndex(x, y))];
    if (slot == 0) slot = static_cast<std::uint16_t>(moveNumber);
}

void BoardPosition::clear(bool keepMarks) {
    for (int x = 0; x < kMaxBoardSize; ++x)
        for (int y = 0; y < kMaxBoardSize; ++y) {
            BoardPoint& p = at(x, y);
            p = BoardPoint{};
            p.x = static_cast<std::uint8_t>(x);
            p.y = static_cast<std::uint8_t>(y);
        }
    m_firstMove.fill(0);
    if (!keepMarks) clearMarks();
    m_prisoners = {0, 0};
    overlaps.clear();
    lastMove.reset();
}

void BoardPosition::clearMarks() { m_marks.fill(PointMark{}); }

bool BoardPosition::libertySearch(int x, int y, Colour c) {
    std::uint8_t& mark = m_search[static_cast<std::size_t>(pointIndex(x, y))];
    if (mark == kHasLiberty) return true;
    if (mark != 0) return false;
    mark = kVisited;
    bool found = false;
    for (int d = 0; d < 4 && !found; ++d) {
        const int nx = x + kDx[d];
        const int ny = y + kDy[d];
        if (!onBoard(nx, ny)) continue;
        const std::uint8_t colour = at(nx, ny).colour;
        if (colour != kBlack && colour != kWhite) return true;
        if (colour == c) found = libertySearch(nx, ny, c);
    }
    return found;
}

void BoardPosition::groupWalk(int x, int y, bool dead) {
    std::uint8_t& mark = m_search[static_cast<std::size_t>(pointIndex(x, y))];
    if (mark != kVisited) return;
    mark = kWalked;
    BoardPoint& p = at(x, y);
    if (dead) {
        ++m_count;
        m_lastCapturedX = x;
        m_lastCapturedY = y;
        CaptureLogEntry e;
        e.capturedMove = p.moveNumber;
        e.x = static_cast<std::uint8_t>(x);
        e.y = static_cast<std::uint8_t>(y);
        e.capturingMove = static_cast<std::uint16_t>(m_capturingMove);
        m_log.add(e);
    }
    for (int d = 0; d < 4; ++d) {
        const int nx = x + kDx[d];
        const int ny = y + kDy[d];
        if (onBoard(nx, ny)) groupWalk(nx, ny, dead);
    }
    if (dead) {
        if (m_remove && !m_diagram) {
            p.colour = kEmpty;
            p.markFlags = 0;
        }
    } else if (p.hasStone()) {
        mark = kHasLiberty;
    }
}

int BoardPosition::captureCheck(int x, int y, bool remove) {
    m_count = 0;
    m_log.reset();
    resetSearch();
    m_koCurrent.capturedX = -1;
    m_koCurrent.capturingX = -1;
    m_remove = remove;
    BoardPoint& placed = at(x, y);
    m_capturingMove = placed.moveNumber;
    const Colour enemy = placed.colour == kWhite ? kBlack : kWhite;
    for (int d = 0; d < 4; ++d) {
        const int nx = x + kDx[d];
        const int ny = y + kDy[d];
        if (!onBoard(nx, ny) || at(nx, ny).colour != enemy) continue;
        if (d > 0 && searchMark(nx, ny) != 0) continue;
        const bool alive = libertySearch(nx, ny, enemy);
        groupWalk(nx, ny, !alive);
    }
    if (remove) placed.captured = static_cast<std::uint8_t>(m_count > 255 ? 255 : m_count);
    if (m_count == 1) {
        m_koCurrent.capturedX = m_lastCapturedX;
        m_koCurrent.capturedY = m_lastCapturedY;
        m_koCurrent.capturingX = x;
        m_koCurrent.capturingY = y;
        m_koCurrent.capturingMove = placed.moveNumber;
    }
    return m_count;
}

bool BoardPosition::suicideCheck(int x, int y) {
    m_count = 0;
    resetSearch();
    const bool saveRemove = m_remove;
    m_remove = false;
    m_log.reset();
    const Colour own = colourAt(x, y);
    const bool alive = libertySearch(x, y, own);
    groupWalk(x, y, !alive);
    m_remove = saveRemove;
    const bool suicide = m_count > 0;
    m_log.reset();
    return suicide;
}

int BoardPosition::placeAndCapture(int x, int y, Colour c, int moveNumber) {
    BoardPoint& p = at(x, y);
    p.colour = c;
    p.moveNumber = static_cast<std::uint16_t>(moveNumber);
    return captureCheck(x, y, true);
}

} // namespace stonewise
