#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "record/RecordNode.h"
#include "view/AnimationTarget.h"
#include "view/BackgroundJob.h"

namespace stonewise {

// Number of the text shown when an animation has shown its last move ("手順表示完了").
constexpr int kStrSequenceShown = 11400;
// Number of the status text of each step of an animation ("%d手目", the move number).
constexpr int kStrAnimatedMove = 20600;

// Milliseconds between two board ticks.
constexpr int kBoardTickMs = 25;
// Ticks a newly placed stone takes to fade in (200 ms).
constexpr int kFadeSteps = 8;
// Ticks from one move to the next when stones are placed without the fade (the fade counter
// still counts its 8 ticks within them).
constexpr int kPlainStepTicks = 12;

// Ticks between two animation moves for an animation speed in tenths of a second (5 … 100):
// speed × 100 / 25 − 8, so that with the 8 fade ticks one move is shown every speed / 10 seconds.
// Speeds below 0.3 s give 0 (a move on the first tick after the fade).
int animationStepInterval(int speedTenths);

// The stone being faded in and how far.
struct FadingStone {
    int x = 0;
    int y = 0;
    Colour colour = kEmpty;
    int stepsLeft = 0; // 8 at placement, 0 at full opacity
};

// The periodic tick of one board window, called every 25 ms: the once-a-second background jobs,
// the start delay, the fade-in of the last placed stone, the full redraw after a stop and the
// animation that plays the variation shown move by move. Reads no clock: the desktop calls tick().
class BoardTimer {
public:
    explicit BoardTimer(AnimationTarget& target) : m_target(target) {}
    BoardTimer(const BoardTimer&) = delete;
    BoardTimer& operator=(const BoardTimer&) = delete;

    // One 25 ms tick. A tick that arrives while another one runs (a message box opened inside it)
    // does nothing.
    void tick();

    // --- animation ---
    // Resumes a paused animation, or starts one from the displayed move to `lastMove` (-1: the end
    // of the variation shown) at `speedTenths` per move. Does nothing while one runs unpaused.
    void startOrResume(int speedTenths, int lastMove = -1);
    // Completes the fading stone and pauses a running animation; nothing when none runs.
    void pause();
    // Ends a running or paused animation: the fading stone is completed and the next tick redraws
    // the board and restores the saved display position. While idle only the tool button is told.
    void stop();
    bool animating() const { return m_animating; }
    bool paused() const { return m_paused; }
    // The move numbers still to show: the last one shown and the last one to show.
    int nextMove() const { return m_nextMove; }
    int lastMove() const { return m_lastMove; }
    // The displayed-move setting restored when the animation ends (none when it began at move 0 or 1).
    std::optional<int> savedDisplay() const { return m_savedDisplay; }

    // --- fade-in ---
    // Fades in the stone just placed at (x, y) over the next 8 ticks (a stone the animation did not
    // place, such as a click).
    void startFade(int x, int y, Colour colour);
    // Shows the fading stone at full opacity at once.
    void completeFade();
    std::optional<FadingStone> fadingStone() const;
    // The opacity the painter gives the stone at (x, y): 0 … 255, 255 for every stone but the fading one.
    std::uint8_t stoneAlpha(int x, int y) const;

    // --- switches set by the board window ---
    // Ticks to wait before anything but the background jobs happens again.
    void setStartDelay(int ticks) { m_startDelay = ticks > 0 ? ticks : 0; }
    int startDelay() const { return m_startDelay; }
    // Stones drawn at once instead of faded in; moves then follow every 12 ticks whatever the speed.
    void setPlainPlacement(bool on) { m_plainPlacement = on; }
    // Whether the end of an animation shows text 11400, and whether it beeps after it.
    void setCompletionText(bool on) { m_completionText = on; }
    void setCompletionBeep(bool on) { m_completionBeep = on; }
    // The next tick redraws the whole board.
    void requestRedraw() { m_redrawRequested = true; }
    bool redrawRequested() const { return m_redrawRequested; }

    // --- background jobs (only on the main board window) ---
    // Runs `job` once a second until it is removed; the job must outlive its registration.
    void addBackgroundJob(BackgroundJob* job);
    void removeBackgroundJob(BackgroundJob* job);
    // Milliseconds counted towards the next second.
    int millisecondAccumulator() const { return m_milliseconds; }

private:
    void runBackgroundJobs();
    void animationStep();
    void finishAnimation();

    AnimationTarget& m_target;
    std::vector<BackgroundJob*> m_jobs;
    int m_milliseconds = 0;
    bool m_inTick = false;

    bool m_animating = false;
    bool m_paused = false;
    bool m_redrawRequested = false;
    int m_startDelay = 0;
    int m_stepCountdown = 0;
    int m_stepInterval = 0;
    int m_nextMove = 0;
    int m_lastMove = 0;
    std::optional<int> m_savedDisplay;

    FadingStone m_fade;
    bool m_plainPlacement = false;
    bool m_completionText = true;
    bool m_completionBeep = false;
};

} // namespace stonewise
