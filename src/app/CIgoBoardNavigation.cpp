// Stepping through the record: forward, back, to the start or end, into and out of branches.
#include "app/CIgoBoard.h"

#include "app/CommandIds.h"
#include "app/RecordCorrection.h"

namespace stonewise {

void CIgoBoard::enterPath(RecordSequence* s) {
    m_record.enterSequence(s, [this] { m_selection = {}; });
    m_nav.setTotalMoves(m_record.pathTop()->lastMoveNumber());
}

void CIgoBoard::showMove(int moveNumber) {
    moveNumber = std::clamp(moveNumber, 0, totalMoves());
    m_nav.show(moveNumber);
    rebuild();
    if (const RecordNode* n = m_record.nodeAtMove(moveNumber); n && moveNumber > 0)
        selectNode(m_record.currentSequence(), n->index);
    else if (moveNumber == 0)
        selectNode(nullptr, -1); // the start has no move: the panels show what stands before move 1
}

void CIgoBoard::showSequence(RecordSequence* s, int moveNumber) {
    enterPath(s);
    showMove(moveNumber == -1 ? totalMoves() : moveNumber);
}

void CIgoBoard::forward() {
    if (m_busy || displayedMove() < 0 || displayedMove() >= totalMoves()) return;
    const int next = displayedMove() + 1;
    const RecordNode* node = m_record.nodeAtMove(next);
    RecordSequence* s = m_record.currentSequence();
    stepTo(next, node);
    if (node) selectNode(s, node->index);
}

void CIgoBoard::stepTo(int moveNumber, const RecordNode* node) {
    m_nav.show(moveNumber);
    const RecordSequence* s = m_record.sequenceForMove(moveNumber);
    // The next move goes on the board by itself unless it needs the rules run again from the start:
    // an occupied point, setup stones, or no move at all.
    bool incremental = node && (node->isMove() || node->type == NodeType::Pass);
    if (incremental && node->isMove())
        incremental =
            node->hasPoint() && m_position.onBoard(node->x, node->y) && !m_position.at(node->x, node->y).hasStone();
    if (incremental) s->forEachSetupStone(moveNumber, [&](const RecordNode&) { incremental = false; });
    if (incremental) applyMoveToPosition(*s, *node);
    else rebuild();
}

void CIgoBoard::back(bool acrossBranches) {
    if (m_busy) {
        stopBusy();
        return;
    }
    // From the first move back to the start position only when an opening text stands there.
    const bool toOpening = hasOpeningText() && m_record.main().handicapCount() < 2 && startMove() == 0;
    if (totalMoves() < 2 && !toOpening) return;
    const int leaving = shownMove();
    int target = leaving;
    if (displayedMove() == -1) {
        target = totalMoves() - 1;
    } else if (displayedMove() >= 2) {
        target = displayedMove() - 1;
        if (m_viewOnly && !m_editing && target < m_protectedFirstMove) return;
    } else if (displayedMove() == 1 && toOpening) {
        target = 0;
    } else {
        return;
    }
    // Passes are stepped over.
    if (const RecordNode* last = target > 0 ? m_record.lastMoveAtOrBefore(target) : nullptr)
        target = std::max(1, static_cast<int>(last->moveNumber));

    bool crossed = false;
    if (acrossBranches && m_record.pathDepth() > 0 && target < m_record.pathTop()->firstMoveNumber()) {
        RecordSequence* parent = m_record.pathTop()->parent();
        enterPath(parent);
        crossed = true;
    }

    // The stone of the move left comes off directly when it captured nothing and no setup stones
    // follow it; otherwise the position is rebuilt.
    const RecordNode* left = m_record.nodeAtMove(leaving);
    const RecordSequence* leftSeq = m_record.currentSequence();
    bool direct = !crossed && left && left->isMove() && left->hasPoint() && target == leaving - 1;
    if (direct) leftSeq->forEachSetupStone(leaving, [&](const RecordNode&) { direct = false; });
    m_nav.show(target);
    if (direct && m_position.takeBack(left->x, left->y, leaving)) {
        const std::optional<RecordNode> previous = m_nav.lastMove();
        erasePoint(left->x, left->y);
        const RecordNode* now = m_record.nodeAtMove(target);
        m_nav.setLastMove(now && now->isMove() ? now : nullptr);
        const bool wasLeft = previous && previous->moveNumber == leaving;
        updateLastMoveMark(wasLeft ? std::nullopt : previous);
        showMarks();
        showCounters();
    } else {
        rebuild();
    }
    if (const RecordNode* n = m_record.nodeAtMove(target); n && target > 0)
        selectNode(m_record.currentSequence(), n->index);
    else if (target == 0) selectNode(nullptr, -1); // as showMove(0) does
}

void CIgoBoard::toStart() {
    if (m_busy) {
        stopBusy();
        return;
    }
    enterPath(&m_record.main());
    showMove(std::min(startMove(), totalMoves()));
}

void CIgoBoard::toBranchHead() {
    if (m_busy) {
        stopBusy();
        return;
    }
    if (m_record.pathDepth() == 0) {
        toStart();
        return;
    }
    showMove(m_record.pathTop()->firstMoveNumber() - 1);
}

void CIgoBoard::toEnd() {
    if (m_busy) {
        stopBusy();
        return;
    }
    if (m_viewOnly && !m_editing && m_record.pathDepth() > 0) {
        toBranchEnd();
        return;
    }
    enterPath(&m_record.main());
    showMove(totalMoves());
}

void CIgoBoard::toBranchEnd() {
    if (m_busy) {
        stopBusy();
        return;
    }
    m_nav.setTotalMoves(m_record.pathTop()->lastMoveNumber());
    showMove(totalMoves());
}

RecordSequence* CIgoBoard::branchStartingAt(int x, int y) {
    const int shown = shownMove();
    RecordSequence* s = m_record.sequenceForMove(shown);
    for (const RecordNode& link : s->nodes()) {
        if (!link.isLink() || (link.moveNumber != shown && link.moveNumber != shown + 1)) continue;
        RecordSequence* child = s->child(link.childSlot);
        if (!child || child->firstMoveNumber() != shown + 1 || child->nodeCount() == 0) continue;
        const RecordNode* first = child->findNode(shown + 1);
        if (first && first->isMove() && first->x == x && first->y == y) return child;
    }
    return nullptr;
}

void CIgoBoard::intoBranch() {
    if (m_busy) {
        stopBusy();
        return;
    }
    const int shown = shownMove();
    RecordSequence* s = m_record.sequenceForMove(shown);
    RecordSequence* chosen = nullptr;
    for (const RecordNode& link : s->nodes()) {
        if (!link.isLink() || (link.moveNumber != shown && link.moveNumber != shown + 1)) continue;
        RecordSequence* child = s->child(link.childSlot);
        if (!child || child->firstMoveNumber() != shown + 1 || !child->findNode(shown + 1)) continue;
        bool onPath = false;
        for (int level = 1; level <= m_record.pathDepth(); ++level) onPath |= m_record.pathSequence(level) == child;
        if (!onPath) {
            chosen = child;
            break;
        }
        if (!chosen) chosen = child;
    }
    if (!chosen) {
        forward();
        return;
    }
    showSequence(chosen, shown + 1);
}

void CIgoBoard::toggleNumbers() {
    m_options.showNumbers = !m_options.showNumbers;
    rebuild();
}

void CIgoBoard::toggleBranchNumbersFromOne() {
    m_options.branchNumbersFromOne = !m_options.branchNumbersFromOne;
    rebuild();
}

bool CIgoBoard::command(int id, int x, int y) {
    switch (id) {
    case kCmdToStart: toStart(); return true;
    case kCmdBack: back(false); return true;
    case kCmdForward: forward(); return true;
    case kCmdToEnd: toEnd(); return true;
    case kCmdBranchHead: toBranchHead(); return true;
    case kCmdBackAcrossBranch: back(true); return true;
    case kCmdIntoBranch: intoBranch(); return true;
    case kCmdBranchEnd: toBranchEnd(); return true;
    case kCmdAnimate: toggleAnimation(); return true;
    case kCmdStopAnimation: stopAnimation(); return true;
    case kCmdShowNumbers: toggleNumbers(); return true;
    case kCmdBranchNumbersFromOne: toggleBranchNumbersFromOne(); return true;
    case kCmdPass: pass(); return true;
    case kCmdUndo: undo(); return true;
    case kCmdClearRecord: clearRecord(); return true;
    case kCmdComment: editComment(); return true;
    case kCmdCopyToNewBranch: copyToNewBranch(); return true;
    case kCmdDeleteBranch: deleteBranch(); return true;
    case kCmdCorrectRecord:
        if (auto session = beginCorrection(); session && m_env.ui) m_env.ui->openRecordCorrection(std::move(session));
        return true;
    case kCmdRestoreRecord: restoreStoredRecord(); return true;
    case kCmdNewBranch: playAsNewBranch(x, y); return true;
    case kCmdBranchAfterLast: playAsNewBranch(x, y, true, false); return true;
    case kCmdReferenceForLast: playAsNewBranch(x, y, false, true); return true;
    case kCmdPlaceStone: placeStone(x, y); return true;
    case kCmdCorrectPoint: correctPoint(x, y); return true;
    case kCmdSetMark: setMarkAt(x, y); return true;
    case kCmdBlackSetupStone: placeSetupStone(x, y, kBlack); return true;
    case kCmdWhiteSetupStone: placeSetupStone(x, y, kWhite); return true;
    case kCmdRemoveSetupStone: removeSetupStone(x, y); return true;
    case kCmdEditMark: editSelectedMark(); return true;
    case kCmdDeleteMark: deleteSelectedMark(); return true;
    case kCmdEditElapsed: editElapsed(); return true;
    case kCmdCancel: return true;
    default: return false;
    }
}

} // namespace stonewise
