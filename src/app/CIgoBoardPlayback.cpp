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
        // Playing back from the end starts the line shown over from its first move.
        m_nav.show(std::max(0, std::min(startMove(), totalMoves()) - 1));
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
    stepTo(moveNumber, node);
    AnimatedMove shown;
    if (node->isMove() && node->hasPoint()) {
        shown.stone = true;
        shown.x = node->x;
        shown.y = node->y;
        shown.colour = node->stoneColour();
        shown.captured = m_position.at(node->x, node->y).captured;
    }
    selectNode(s, node->index);
    return shown;
}

void CIgoBoard::restoreDisplayedMove(int setting) {
    m_nav.show(setting < 0 ? -1 : std::min(setting, totalMoves()));
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

void CIgoBoard::returnDisplayAfterFlash(int) { m_nav.showEnd(); }

} // namespace stonewise
