#include "app/RecordCorrection.h"
#include "record/StringTable.h"

#include "app/CIgoBoard.h"

namespace stonewise {

namespace {
constexpr int kHandicapQuestion = 20410;
constexpr int kCorrectionTitle = 20411;
} // namespace

std::unique_ptr<RecordCorrection> CIgoBoard::beginCorrection() {
    if ((m_viewOnly && !m_editing) || refuseProtected()) return nullptr;
    return std::make_unique<RecordCorrection>(*this);
}

RecordCorrection::RecordCorrection(CIgoBoard& board)
    : m_board(board), m_copy(board.record().copyMain()), m_info(board.gameInfo()), m_displayed(board.displayedMove()),
      m_changes(board.changeCounter()) {}

RecordCorrection::~RecordCorrection() {
    if (!m_finished) commit();
}

void RecordCorrection::transform(BoardTransform t) {
    if (m_finished) return;
    transformRecord(m_board.record().main(), t, m_board.boardSize());
    m_board.rebuild();
    m_board.edited();
}

bool RecordCorrection::canDeleteTwo() const {
    const int shown = m_board.shownMove();
    return !m_finished && shown >= 2 && shown < m_board.totalMoves();
}

bool RecordCorrection::deleteTwo() {
    if (!canDeleteTwo()) return false;
    const int shown = m_board.shownMove();
    RecordSequence* s = m_board.record().sequenceForMove(shown);
    // Remove the move shown and the next one, with what is attached to them.
    for (int k = 0; k < 2; ++k) {
        const int index = s->findNodeIndex(shown);
        if (index < 0) break;
        while (index + 1 < s->nodeCount() && s->node(index + 1).moveNumber == shown &&
               !s->node(index + 1).isMoveOrPass())
            s->removeNode(index + 1);
        s->removeNode(index);
    }
    m_board.renumberTree();
    m_board.m_nav.setTotalMoves(m_board.record().pathTop()->lastMoveNumber());
    m_board.showMove(std::min(shown - 1, m_board.totalMoves()));
    m_board.edited();
    return true;
}

bool RecordCorrection::canInsertTwo() const {
    const int shown = m_board.shownMove();
    return !m_finished && shown >= 1 && shown < m_board.totalMoves();
}

bool RecordCorrection::startInsertTwo() {
    if (!canInsertTwo()) return false;
    m_board.m_nav.show(m_board.shownMove());
    m_board.m_insertStonesLeft = 2;
    if (m_board.m_env.ui)
        m_board.m_env.ui->setStatusText(formatText(
            uiText(20414), {m_board.text(colourOfMove(m_board.shownMove() + 1) == kBlack ? kStrBlack : kStrWhite)}));
    return true;
}

int RecordCorrection::handicap() const { return m_board.gameInfo().handicap; }

bool RecordCorrection::changeHandicap(int handicap) {
    if (m_finished || handicap == m_board.gameInfo().handicap) return false;
    if (m_board.record().main().lastMoveNumber() > 1) {
        if (!m_board.m_env.ui || !m_board.m_env.ui->ask(uiText(kHandicapQuestion), uiText(kCorrectionTitle)))
            return false;
    }
    GameInfo info = m_board.gameInfo();
    info.handicap = static_cast<std::int16_t>(handicap);
    const int changes = m_board.changeCounter();
    m_board.newGame(info);
    m_board.m_changes = changes + 1;
    return true;
}

void RecordCorrection::commit() {
    if (m_finished) return;
    m_finished = true;
    m_board.m_insertStonesLeft = 0;
    m_board.rebuild();
}

void RecordCorrection::cancel() {
    if (m_finished) return;
    m_finished = true;
    m_board.m_insertStonesLeft = 0;
    const int stored = m_board.m_changes;
    auto stored_copy = std::move(m_board.m_stored);
    const GameInfo storedInfo = m_board.m_storedInfo;
    m_board.loadGame(std::move(m_copy), m_info);
    // Loading takes the restored record as stored; the stored state stays what it was.
    m_board.m_stored = std::move(stored_copy);
    m_board.m_storedInfo = storedInfo;
    m_board.m_changes = stored + 1;
    if (m_displayed >= 0) m_board.showMove(m_displayed);
    if (m_board.m_env.panels) m_board.m_env.panels->recordChanged();
}

} // namespace stonewise
