#pragma once

#include <memory>

class QTimer;

namespace stonewise {

class FlashTimerSlots;

// Runs the program's flash timers: one 15 ms QTimer, started when a flash display takes a timer
// slot and stopped when the last slot is freed. Each timeout tells the flash displays whether the
// right mouse button is held (it keeps the afterimage) and ticks them.
class FlashTicker {
public:
    // `timerSlots` must outlive the ticker.
    explicit FlashTicker(FlashTimerSlots& timerSlots);
    ~FlashTicker();
    FlashTicker(const FlashTicker&) = delete;
    FlashTicker& operator=(const FlashTicker&) = delete;

    bool active() const;

private:
    FlashTimerSlots& m_slots;
    std::unique_ptr<QTimer> m_timer;
};

} // namespace stonewise
