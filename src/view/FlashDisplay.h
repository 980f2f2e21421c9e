#pragma once

#include <array>
#include <optional>

#include "board/BoardPoint.h"
#include "view/FlashTarget.h"
#include "view/FlashTimerSlots.h"

namespace stonewise {

// Flash ticks between two flashed moves for a flash speed in hundredths of a second
// (speed × 10 / 15); 0 shows the whole range at once.
int flashStepInterval(int speedHundredths);
// Flash ticks the flashed stones stay for an afterimage in hundredths of a second; 0 gives 66
// ticks, about one second.
int flashAfterimageTicks(int afterimageHundredths);

// The flash display of one board window, for reading practice: while flash mode is on, the moves
// from the range start to the end of the path appear one after the other at the flash speed on the
// 15 ms flash tick, stay for the afterimage time (longer while the right mouse button is held) and
// vanish again, leaving the board as it was. Reads no clock: its slot's tick drives it.
class FlashDisplay {
public:
    FlashDisplay(FlashTarget& target, FlashTimerSlots& timerSlots) : m_target(target), m_slots(timerSlots) {}
    // Frees the timer slot of a running flash.
    ~FlashDisplay();
    FlashDisplay(const FlashDisplay&) = delete;
    FlashDisplay& operator=(const FlashDisplay&) = delete;

    // Switches flash mode on with the settings' flash speed and afterimage (hundredths of a
    // second): the range starts after the displayed move, the board's message line says so and
    // the points of the position are kept aside.
    void switchOn(int speedHundredths, int afterimageHundredths);
    // Switches flash mode off: a running flash stops, the panels are refreshed and, with `redraw`,
    // the display returns to its end and is redrawn. The kept points are dropped.
    void switchOff(bool redraw);
    bool modeOn() const { return m_on; }
    // A flash sequence is being shown (its timer runs).
    bool running() const { return m_running; }

    // Flashes the moves from the range start to `rangeEnd` (-1: the last move of the path shown):
    // the first move (or, at speed 0, every move) is placed now, the rest by the tick. False, and
    // nothing shown, when flash mode is off, the range is empty, the path has no node at the range
    // start, or both timer slots are taken by other windows.
    bool start(int rangeEnd = -1);
    // Sets the first move to flash (a received study sequence, a book's own display).
    void setRangeStart(int moveNumber) { m_rangeStart = moveNumber; }

    // One 15 ms tick of the flash timer.
    void tick();
    // The right mouse button went down or up on the board: while it is down the afterimage stays.
    void setRightButtonDown(bool down) { m_rightButtonDown = down; }
    // A click on the board: refused with a message on the board's message line while a flash
    // sequence is shown. True when refused.
    bool refuseClick();

    // --- state, for the panels and tests ---
    int rangeStart() const { return m_rangeStart; }
    int rangeEnd() const { return m_rangeEnd; }
    int nextMove() const { return m_next; }
    int phase() const { return m_phase; } // 1 showing moves, 2 holding the afterimage
    int countdown() const { return m_countdown; }
    int speed() const { return m_speed; }
    int afterimage() const { return m_afterimage; }
    // The points kept aside: the position when flash mode went on, then the position with the
    // flashed moves once a sequence has been shown (the real position behind the board shown).
    // Null while flash mode is off.
    const std::array<BoardPoint, kPointCount>* savedPoints() const { return m_saved ? &*m_saved : nullptr; }

private:
    void placeNext();
    void stopTimer();
    void finish();

    FlashTarget& m_target;
    FlashTimerSlots& m_slots;
    bool m_on = false;
    bool m_running = false;
    bool m_rightButtonDown = false;
    int m_speed = 0;
    int m_afterimage = 0;
    int m_interval = 0;
    int m_rangeStart = 1;
    int m_rangeEnd = 0;
    int m_next = 1;
    int m_phase = 0;
    int m_countdown = 0;
    std::optional<std::array<BoardPoint, kPointCount>> m_saved;
};

} // namespace stonewise
