#include "view/FlashTimerSlots.h"

#include "view/FlashDisplay.h"

namespace stonewise {

int FlashTimerSlots::acquire(FlashDisplay* display) {
    if (!display) return -1;
    if (const int own = slotOf(display); own >= 0) return own;
    const bool wasRunning = anyRunning();
    for (int i = 0; i < kSlotCount; ++i) {
        if (m_slots[static_cast<std::size_t>(i)]) continue;
        m_slots[static_cast<std::size_t>(i)] = display;
        if (!wasRunning && m_listener) m_listener(true);
        return i;
    }
    return -1;
}

void FlashTimerSlots::release(FlashDisplay* display) {
    const int slot = slotOf(display);
    if (slot < 0) return;
    m_slots[static_cast<std::size_t>(slot)] = nullptr;
    if (!anyRunning() && m_listener) m_listener(false);
}

int FlashTimerSlots::slotOf(const FlashDisplay* display) const {
    if (!display) return -1;
    for (int i = 0; i < kSlotCount; ++i)
        if (m_slots[static_cast<std::size_t>(i)] == display) return i;
    return -1;
}

bool FlashTimerSlots::anyRunning() const {
    for (const FlashDisplay* d : m_slots)
        if (d) return true;
    return false;
}

void FlashTimerSlots::tick() {
    // A tick may end a flash and free its slot; each display is looked up again before its tick.
    const auto running = m_slots;
    for (FlashDisplay* d : running)
        if (d && slotOf(d) >= 0) d->tick();
}

void FlashTimerSlots::setRightButtonDown(bool down) {
    for (FlashDisplay* d : m_slots)
        if (d) d->setRightButtonDown(down);
}

} // namespace stonewise
