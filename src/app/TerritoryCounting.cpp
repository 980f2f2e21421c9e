#include "app/TerritoryCounting.h"

#include "app/CIgoBoard.h"
#include "app/Clock.h"
#include "app/Ui.h"
#include "board/PositionRebuild.h"
#include "record/StringTable.h"

namespace stonewise {

bool TerritoryCounting::command(int id) {
    switch (id) {
    case kCmdTerritoryCount:
        if (m_active) end();
        else start();
        return true;
    case kCmdCountAgain:
        if (m_active) recount();
        return true;
    case kCmdCountSetResult:
        if (m_active) setResult();
        return true;
    case kCmdCountDetect:
        if (m_active) detectOrClear();
        return true;
    default: return false;
    }
}

void TerritoryCounting::start() {
    m_board.stopBusy();
    m_active = true;
    m_tool = CountingTool::BlackStone;
    m_nextAlternate = kBlack;
    m_counting.start(m_board.position(), m_board.shownMove(), passedOutAt(m_board.record(), m_board.shownMove()));
    m_board.position().clearMarks();
    if (!m_counting.analyse()) m_ui.showMessage(uiText(11404), uiText(55510));
    recount();
}

void TerritoryCounting::end() {
    if (!m_active) return;
    m_active = false;
    m_board.rebuild();
}

void TerritoryCounting::recount() {
    m_result = m_counting.count(static_cast<double>(m_board.gameInfo().komi));
    showOnBoard();
}

void TerritoryCounting::detectOrClear() {
    if (m_counting.analysed()) m_counting.clearAnalysis();
    else if (!m_counting.analyse()) m_ui.showMessage(uiText(11404), uiText(55510));
    recount();
}

void TerritoryCounting::setResult() {
    recount();
    GameInfo info = m_board.gameInfo();
    const double r = m_result.afterKomi;
    info.winner = r == 0.0 ? kJigo : r < 0 ? kBlackWins : kWhiteWins;
    info.margin = static_cast<float>(r < 0 ? -r : r);
    const DateTime now = m_clock.localNow();
    info.endDate = {static_cast<std::uint16_t>(now.year), static_cast<std::uint16_t>(now.month),
                    static_cast<std::uint8_t>(now.day), static_cast<std::uint8_t>(now.hour)};
    m_board.changeHeader(info);
    showOnBoard();
}

void TerritoryCounting::click(int x, int y, bool rightButton) {
    if (!m_active || !m_board.position().onBoard(x, y)) return;
    if (m_counting.stoneAt(x, y) != kEmpty && !m_counting.filled(x, y)) {
        m_counting.toggleGroup(x, y);
    } else if (m_tool == CountingTool::FalseEye) {
        m_counting.toggleFalseEye(x, y);
    } else if (m_counting.stoneAt(x, y) == kEmpty) {
        Colour c = m_tool == CountingTool::WhiteStone ? kWhite : kBlack;
        if (m_alternate) c = m_nextAlternate;
        if (rightButton && m_rightOther) c = opponentOf(c);
        if (m_counting.fillPoint(x, y, c) && m_alternate) m_nextAlternate = opponentOf(c);
    }
    recount();
}

std::u16string TerritoryCounting::detectButtonText() const {
    return std::u16string(uiText(m_counting.analysed() ? 11017 : 11018));
}

void TerritoryCounting::showOnBoard() {
    BoardPosition& pos = m_board.position();
    for (int x = 0; x < pos.size(); ++x)
        for (int y = 0; y < pos.size(); ++y) {
            if (m_counting.filled(x, y) && pos.colourAt(x, y) == kEmpty) {
                BoardPoint p = pos.at(x, y);
                p.colour = m_counting.stoneAt(x, y);
                p.moveNumber = 0;
                p.displayNumber = kNoDisplayNumber;
                p.markFlags = 0;
                pos.setPoint(p);
            }
            PointMark m;
            m.kind = m_counting.mark(x, y);
            pos.setMark(x, y, m);
        }
    m_board.showPrisoners(m_counting.prisoners(kWhite), m_counting.prisoners(kBlack));
    m_board.redrawAll();
}

} // namespace stonewise
