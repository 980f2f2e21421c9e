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
    auto& slot = m_firstMove[index(x, y)];
    if (slot == 0) slot = static_cast<std::uint16_t>(moveNumber);
}

void BoardPosition::clear(bool keepMarks) {
    for (int x = 0; x < kMaxBoardSize; ++x)
        for (int y = 0; y < kMaxBoardSize; ++y) {
            BoardPoint& p = point(x, y);
            p = BoardPoint{};
            p.x = static_cast<std::uint8_t>(x);
            p.y = static_cast<std::uint8_t>(y);
        }
    m_firstMove.fill(0);
    if (!keepMarks) clearMarks();
    m_prisoners = {0, 0};
    m_koCurrent = KoRecord{};
    m_koPrevious = KoRecord{};
}

void BoardPosition::clearMarks() { m_marks.fill(PointMark{}); }

bool BoardPosition::libertySearch(int x, int y, Colour c) {
    std::uint8_t& mark = m_search[index(x, y)];
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
    std::uint8_t& mark = m_search[index(x, y)];
    if (mark != kVisited) return;
    mark = kWalked;
    BoardPoint& p = point(x, y);
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
    BoardPoint& placed = point(x, y);
    m_capturingMove = placed.moveNumber;
    const Colour enemy = placed.colour == kWhite ? kBlack : kWhite;
    for (int d = 0; d < 4; ++d) {
        const int nx = x + kDx[d];
        const int ny = y + kDy[d];
        if (!onBoard(nx, ny) || at(nx, ny).colour != enemy) continue;
        if (d > 0 && m_search[index(nx, ny)] != 0) continue;
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
    BoardPoint& p = point(x, y);
    p.colour = c;
    p.moveNumber = static_cast<std::uint16_t>(moveNumber);
    return captureCheck(x, y, true);
}

MoveRefusal BoardPosition::refusal(int x, int y, int moveNumber) {
    if (!onBoard(x, y)) return MoveRefusal::Occupied;
    BoardPoint& p = point(x, y);
    if (p.hasStone()) return MoveRefusal::Occupied;
    const BoardPoint saved = p;
    const KoRecord savedKo = m_koCurrent;
    p.colour = colourOfMove(moveNumber);
    p.moveNumber = static_cast<std::uint16_t>(moveNumber);
    MoveRefusal refusal = MoveRefusal::None;
    const int captured = captureCheck(x, y, false);
    if (captured == 0 && suicideCheck(x, y)) {
        refusal = MoveRefusal::Suicide;
    } else if (captured == 1) {
        // Retaking at once the single stone that just took one here is ko.
        const KoRecord& prev = m_koPrevious;
        const KoRecord& now = m_koCurrent;
        if (prev.capturingMove == moveNumber - 1 && prev.capturingX == now.capturedX &&
            prev.capturingY == now.capturedY && prev.capturedX == x && prev.capturedY == y)
            refusal = MoveRefusal::Ko;
    }
    p = saved;
    m_koCurrent = savedKo;
    m_log.reset();
    return refusal;
}

int BoardPosition::play(const PlacedStone& stone) {
    BoardPoint& p = point(stone.x, stone.y);
    p.displayNumber = stone.displayNumber;
    p.depth = stone.depth;
    p.markFlags = stone.markFlags;
    p.captured = 0;
    const int captured = placeAndCapture(stone.x, stone.y, stone.colour, stone.moveNumber);
    m_prisoners[colourOfMove(stone.moveNumber) == kWhite ? 1 : 0] += captured;
    if (captured == 1) keepKo();
    setFirstMoveAt(stone.x, stone.y, stone.moveNumber);
    return captured;
}

int BoardPosition::placeSetupStone(int x, int y, Colour colour, int depth) {
    BoardPoint& p = point(x, y);
    p.displayNumber = kNoDisplayNumber;
    p.depth = static_cast<std::uint8_t>(depth);
    return placeAndCapture(x, y, colour, 0);
}

void BoardPosition::placeStartingStone(int x, int y, Colour colour, int moveNumber) {
    BoardPoint& p = point(x, y);
    p.colour = colour;
    p.moveNumber = static_cast<std::uint16_t>(moveNumber);
    p.displayNumber = kNoDisplayNumber;
}

bool BoardPosition::takeBack(int x, int y, int moveNumber) {
    if (!onBoard(x, y)) return false;
    const BoardPoint& p = at(x, y);
    if (!p.hasStone() || p.moveNumber != static_cast<std::uint16_t>(moveNumber) || p.captured != 0) return false;
    removeStone(x, y);
    std::uint16_t& first = m_firstMove[index(x, y)];
    if (first == static_cast<std::uint16_t>(moveNumber)) first = 0;
    return true;
}

void BoardPosition::removeStone(int x, int y) {
    BoardPoint& p = point(x, y);
    p = BoardPoint{};
    p.x = static_cast<std::uint8_t>(x);
    p.y = static_cast<std::uint8_t>(y);
}

void BoardPosition::showLastMoveMark(int x, int y, bool branchesAfter) {
    BoardPoint& p = point(x, y);
    hideLastMoveMark(x, y);
    p.markFlags |= branchesAfter ? kMarkFlagLastMoveBranches : kMarkFlagLastMove;
}

void BoardPosition::hideLastMoveMark(int x, int y) {
    BoardPoint& p = point(x, y);
    // The last-move values are OR-ed into the byte, also over the flag of a flagged stone.
    std::uint8_t code = p.markFlags & 0x3F;
    if (code == kMarkFlagLastMove || code == kMarkFlagLastMoveBranches) code = 0;
    else if (code == (kMarkFlagNodeFlagged | kMarkFlagLastMove) ||
             code == (kMarkFlagNodeFlagged | kMarkFlagLastMoveBranches))
        code = kMarkFlagNodeFlagged;
    p.markFlags = static_cast<std::uint8_t>((p.markFlags & 0xC0) | code);
}

void BoardPosition::markEmptyPoint(int x, int y, std::uint8_t flags, std::uint16_t number, std::uint8_t depth) {
    BoardPoint& p = point(x, y);
    p.markFlags = flags;
    p.displayNumber = flags == 0 ? kNoDisplayNumber : number;
    p.depth = flags == 0 ? 0 : depth;
}

void BoardPosition::setPoint(const BoardPoint& p) {
    if (onBoard(p.x, p.y)) point(p.x, p.y) = p;
}

} // namespace stonewise
