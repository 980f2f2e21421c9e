#include "app/CReferBoard.h"

#include <algorithm>

#include "board/PositionRebuild.h"

namespace stonewise {

namespace {

constexpr double kSmallCorner = 0.63;
constexpr double kLargeCorner = 0.74;

} // namespace

ReferView referView(int corner, const BoardGeometry& geometry) {
    const int lines = geometry.lines();
    ReferView v;
    v.width = geometry.pictureWidth();
    v.height = geometry.pictureHeight();
    v.lastColumn = v.lastRow = lines - 1;
    double part = 0;
    if (corner >= 1 && corner <= 4) part = kSmallCorner;
    else if (corner >= 9 && corner <= 12) part = kLargeCorner;
    if (part == 0) return v;
    const int which = corner & 7;
    const bool right = which == 2 || which == 4;
    const bool bottom = which == 3 || which == 4;
    v.width *= part;
    v.height *= part;
    v.left = right ? geometry.pictureWidth() - v.width : 0;
    v.top = bottom ? geometry.pictureHeight() - v.height : 0;
    // The lines whose points lie inside the part.
    auto inside = [](double c, double from, double size) { return c >= from && c < from + size; };
    v.firstColumn = lines;
    v.lastColumn = -1;
    for (int x = 0; x < lines; ++x)
        if (inside(geometry.centre(x, 0).x, v.left, v.width)) {
            v.firstColumn = std::min(v.firstColumn, x);
            v.lastColumn = x;
        }
    v.firstRow = lines;
    v.lastRow = -1;
    for (int y = 0; y < lines; ++y)
        if (inside(geometry.centre(0, y).y, v.top, v.height)) {
            v.firstRow = std::min(v.firstRow, y);
            v.lastRow = y;
        }
    return v;
}

bool CReferBoard::showDiagram(std::unique_ptr<RecordSequence> game, const ReferDiagram& diagram) {
    m_layoutChanged = !m_shown || diagram.numbering != m_diagram.numbering;
    m_diagram = diagram;
    m_playing = false;
    m_ticks = 0;
    RecordSequence* variation = nullptr;
    if (game && diagram.variation > 0) variation = game->child(diagram.variation);
    if (!game || (diagram.variation > 0 && !variation)) {
        clear();
        return false;
    }
    m_record.adopt(std::move(game));
    m_record.main().updateLastMoveNumber();
    m_record.main().numberTree();
    const int handicap = m_record.main().handicapCount();
    m_record.main().setNumberOffset(handicap >= 2 ? -1 : 0);
    if (variation) m_record.enterSequence(variation);
    // The diagram ends at its end move when the sequence reaches that far, else at its own end.
    const int last = m_record.pathTop()->lastMoveNumber();
    m_nav.setTotalMoves(diagram.endMove >= 0 ? std::min(diagram.endMove, last) : last);
    m_shown = true;
    const int start = diagram.startMove < 2 ? 0 : std::min(diagram.startMove, m_nav.totalMoves());
    m_playing = diagram.play && start < m_nav.totalMoves();
    showMove(m_playing ? start : m_nav.totalMoves());
    return true;
}

void CReferBoard::clear() {
    m_record.reset();
    m_nav.showEndOf(0);
    m_shown = false;
    m_playing = false;
    m_position.clear();
    redrawAll();
}

void CReferBoard::showMove(int move) {
    m_nav.show(move);
    RebuildOptions o;
    o.withNumbers = (m_diagram.numbering & (kReferNumbers | kReferVariationFromOne)) != 0;
    o.branchNumbersFromOne = (m_diagram.numbering & kReferVariationFromOne) != 0;
    rebuildPosition(m_position, m_nav, m_record, o);
    redrawAll();
}

SceneState CReferBoard::sceneState() const {
    SceneState s;
    s.numbersOn = (m_diagram.numbering & (kReferNumbers | kReferVariationFromOne)) != 0;
    s.branchNumbersFromOne = (m_diagram.numbering & kReferVariationFromOne) != 0;
    s.pathDepth = m_record.pathDepth();
    s.numberOffset = m_record.main().numberOffset();
    s.firstNumberedMove = (m_diagram.numbering & kReferNumbersFromStart) ? m_diagram.startMove : 0;
    s.shownMove = m_nav.shownMove();
    s.record = &m_record;
    return s;
}

int CReferBoard::stepTicks() const {
    const int tenths = std::max(3, (100 - std::clamp(m_diagram.bookSpeed, 0, 100)) * m_diagram.animationSpeed / 50);
    return tenths * 4;
}

bool CReferBoard::tick() {
    if (!m_playing) return false;
    if (++m_ticks < stepTicks()) return false;
    m_ticks = 0;
    showMove(m_nav.shownMove() + 1);
    m_playing = m_nav.shownMove() < m_nav.totalMoves();
    return true;
}

} // namespace stonewise
