#pragma once

#include <array>
#include <functional>

namespace stonewise {

class FlashDisplay;

// The program's flash timers: two slots, one for the main board window and one for the study
// board window, each mapping a running 15 ms timer to its flash display. One object for the whole
// program, passed to every flash display; the desktop runs a single 15 ms timer while any slot is
// taken and calls tick().
class FlashTimerSlots {
public:
    static constexpr int kSlotCount = 2;
    // Milliseconds between two flash ticks.
    static constexpr int kTickMs = 15;

    FlashTimerSlots() = default;
    FlashTimerSlots(const FlashTimerSlots&) = delete;
    FlashTimerSlots& operator=(const FlashTimerSlots&) = delete;

    // Gives `display` a slot (its own when it holds one already); -1 when both are taken.
    int acquire(FlashDisplay* display);
    // Frees the slot of `display`; nothing when it holds none.
    void release(FlashDisplay* display);
    // The slot `display` holds, or -1.
    int slotOf(const FlashDisplay* display) const;
    bool anyRunning() const;

    // One 15 ms tick for every flash display holding a slot.
    void tick();
    // Tells every flash display holding a slot whether the right mouse button is down.
    void setRightButtonDown(bool down);

    // Called with true when the first slot is taken and with false when the last one is freed, so
    // that the desktop starts and stops its timer.
    void setRunningListener(std::function<void(bool running)> listener) { m_listener = std::move(listener); }

private:
    std::array<FlashDisplay*, kSlotCount> m_slots{};
    std::function<void(bool)> m_listener;
};

} // namespace stonewise
