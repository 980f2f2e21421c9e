// The board window as the animation and the flash display drive it.
#include "app/CIgoBoard.h"

namespace stonewise {

void CIgoBoard::stopBusy() {
    if (m_timer.animating()) m_timer.stop();
    if (m_flash.running()) m_flash.switchOff(true);
    m_busy = false;
}

void CIgoBoard::toggleAnimation() {
    if (m_flash.running()) return;
    if (m_timer.animating() && !m_timer.paused()) {
        m_timer.pause();
        return;
    }
    if (!m_timer.animating() && atEnd() && totalMoves() > 0) {
        // Playing back from the end starts over from the first move.
        toStart();
        m_position.displayedMove = std::max(0, shownMove() - 1);
        rebuild();
    }
    m_timer.startOrResume(m_options.animationSpeed);
}

void CIgoBoard::toggleFlashMode() {
    if (m_flash.modeOn()) m_flash.switchOff(true);
    else m_flash.switchOn(m_options.flashSpeed, m_options.flashAfterimage);
}

std::optional<AnimatedMove> CIgoBoard::showAnimatedMove(int moveNumber) {
    if (moveNumber < 1 || moveNumber > totalMoves()) return std::nullopt;
    const RecordNode* node = m_record.nodeAtMove(moveNumber);
    if (!node || !node->isMoveOrPass()) return std::nullopt;
    RecordSequence* s = m_record.currentSequence();
    m_position.displayedMove = moveNumber;
    AnimatedMove shown;
    bool incremental = node->type == NodeType::Pass ||
                       (node->hasPoint() && m_position.onBoard(node->x, node->y) && !m_position.at(node->x, node->y).hasStone());
    s->forEachSetupStone(moveNumber, [&](const RecordNode&) { incremental = false; });
    if (incremental) applyMoveToPosition(*s, node->index);
    else rebuild();
    if (node->isMove() && node->hasPoint()) {
        shown.stone = true;
        shown.x = node->x;
        shown.y = node->y;
        shown.colour = node->stoneColour();
        shown.captured = node->captured();
    }
    selectNode(s, node->index);
    return shown;
}

void CIgoBoard::restoreDisplayedMove(int setting) {
    m_position.displayedMove = setting < 0 ? -1 : std::min(setting, totalMoves());
    rebuild();
    refreshPanels();
}

void CIgoBoard::refreshPanels() {
    showCounters();
    if (!m_env.panels) return;
    if (const RecordNode* n = m_record.nodeAtMove(shownMove()); n && shownMove() > 0)
        m_env.panels->selectionChanged(m_record.currentSequence(), n->index);
}

void CIgoBoard::setStatusText(std::u16string_view text) {
    if (m_env.ui) m_env.ui->setStatusText(text);
}

void CIgoBoard::beep() {
    if (m_env.ui) m_env.ui->beep();
}

void CIgoBoard::boardMessage(std::u16string_view text) {
    if (m_env.ui) m_env.ui->boardMessage(text);
}

void CIgoBoard::showAnimationState(AnimationState state) {
    if (m_animationState) m_animationState(state);
}

void CIgoBoard::returnDisplayAfterFlash(int) { m_position.displayedMove = -1; }

} // namespace stonewise
