#include "view/FlashDisplay.h"
#include "record/StringTable.h"

#include <algorithm>

namespace stonewise {

namespace {
constexpr int kFlashModeOn = 20601;
constexpr int kWaitForFlash = 20602;
constexpr int kDefaultAfterimageTicks = 66;
} // namespace

int flashStepInterval(int speedHundredths) { return std::max(0, speedHundredths) * 10 / FlashTimerSlots::kTickMs; }

int flashAfterimageTicks(int afterimageHundredths) {
    if (afterimageHundredths <= 0) return kDefaultAfterimageTicks;
    return std::max(1, afterimageHundredths * 10 / FlashTimerSlots::kTickMs);
}

FlashDisplay::~FlashDisplay() { m_slots.release(this); }

void FlashDisplay::switchOn(int speedHundredths, int afterimageHundredths) {
    if (m_running) stopTimer();
    const int displayed = m_target.displayedMove();
    const int total = m_target.totalMoves();
    m_rangeStart = (displayed < 0 || displayed >= total ? total : displayed) + 1;
    m_speed = std::max(0, speedHundredths);
    m_afterimage = std::max(0, afterimageHundredths);
    m_on = true;
    m_target.boardMessage(uiText(kFlashModeOn));
    m_saved = m_target.flashPosition().points();
}

void FlashDisplay::switchOff(bool redraw) {
    if (m_running) stopTimer();
    m_on = false;
    m_target.refreshPanels();
    if (redraw) m_target.showDisplayEnd();
    m_saved.reset();
}

bool FlashDisplay::start(int rangeEnd) {
    if (!m_on) return false;
    const int end = rangeEnd >= 0 ? rangeEnd : m_target.totalMoves();
    if (m_rangeStart < 1 || m_rangeStart > end || !m_target.flashNode(m_rangeStart)) return false;
    if (!m_running) {
        if (m_slots.acquire(this) < 0) return false;
        m_running = true;
        m_target.setBusy(true);
    }
    m_rangeEnd = end;
    m_next = m_rangeStart;
    m_phase = 1;
    m_interval = flashStepInterval(m_speed);
    if (m_interval == 0) {
        while (m_next <= m_rangeEnd) placeNext();
    } else {
        placeNext();
    }
    m_countdown = m_interval;
    return true;
}

void FlashDisplay::placeNext() {
    const int n = m_next++;
    const RecordNode* node = m_target.flashNode(n);
    BoardPosition& position = m_target.flashPosition();
    if (!node || !node->isMove() || !node->hasPoint() || !position.onBoard(node->x, node->y)) return;
    PlacedStone stone;
    stone.x = node->x;
    stone.y = node->y;
    stone.colour = node->stoneColour();
    stone.moveNumber = n;
    stone.markFlags = (node->flags & kTraceMoveFlag) ? kMarkFlagNodeFlagged : 0;
    const int captured = position.play(stone);
    if (captured > 0) {
        m_target.redrawAll();
    } else {
        m_target.drawPoint(node->x, node->y);
    }
}

void FlashDisplay::tick() {
    if (!m_running || --m_countdown > 0) return;
    if (m_phase == 1) {
        if (m_next <= m_rangeEnd) {
            placeNext();
            m_countdown = m_interval;
            return;
        }
        m_phase = 2;
        m_countdown = flashAfterimageTicks(m_afterimage);
        m_saved = m_target.flashPosition().points();
        return;
    }
    if (m_rightButtonDown) {
        m_countdown = std::max(1, m_interval);
        return;
    }
    finish();
}

void FlashDisplay::finish() {
    stopTimer();
    m_target.showMove(std::max(0, m_rangeStart - 1));
    m_target.refreshPanels();
    m_target.returnDisplayAfterFlash(m_rangeEnd);
}

void FlashDisplay::stopTimer() {
    m_slots.release(this);
    m_running = false;
    m_phase = 0;
    m_countdown = 0;
    m_target.setBusy(false);
}

bool FlashDisplay::refuseClick() {
    if (!m_running) return false;
    m_target.boardMessage(uiText(kWaitForFlash));
    return true;
}

} // namespace stonewise
