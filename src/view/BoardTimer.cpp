#include "view/BoardTimer.h"

#include <algorithm>

#include "record/Text.h"

namespace stonewise {

int animationStepInterval(int speedTenths) { return std::max(0, speedTenths * 100 / kBoardTickMs - kFadeSteps); }

void BoardTimer::tick() {
    if (m_inTick) return;
    m_inTick = true;
    struct Leave {
        bool& flag;
        ~Leave() { flag = false; }
    } leave{m_inTick};

    m_milliseconds += kBoardTickMs;
    if (m_milliseconds >= 1000) {
        m_milliseconds = 0;
        runBackgroundJobs();
    }
    if (m_startDelay > 0) {
        --m_startDelay;
        return;
    }
    if (m_fade.stepsLeft > 0) {
        --m_fade.stepsLeft;
        if (!m_plainPlacement) m_target.drawPoint(m_fade.x, m_fade.y);
        return;
    }
    if (m_redrawRequested) {
        m_redrawRequested = false;
        m_target.redrawAll();
        if (m_savedDisplay) m_target.restoreDisplayedMove(*m_savedDisplay);
        m_savedDisplay.reset();
        return;
    }
    if (m_animating && !m_paused && --m_stepCountdown <= 0) animationStep();
}

void BoardTimer::runBackgroundJobs() {
    // A job may remove itself (or another one) while the list is walked.
    const std::vector<BackgroundJob*> jobs = m_jobs;
    for (BackgroundJob* job : jobs)
        if (std::find(m_jobs.begin(), m_jobs.end(), job) != m_jobs.end()) job->everySecond();
}

void BoardTimer::animationStep() {
    ++m_nextMove;
    std::optional<AnimatedMove> move;
    if (m_nextMove <= m_lastMove) move = m_target.showAnimatedMove(m_nextMove);
    if (!move) {
        finishAnimation();
        return;
    }
    if (move->stone) {
        if (move->captured > 0) m_target.redrawAll();
        m_fade = {move->x, move->y, move->colour, kFadeSteps};
    }
    m_target.setStatusText(formatText(m_target.text(kStrAnimatedMove), {m_nextMove}));
    m_stepCountdown = m_plainPlacement ? kPlainStepTicks - kFadeSteps : m_stepInterval;
}

void BoardTimer::finishAnimation() {
    m_animating = false;
    m_paused = false;
    m_target.setBusy(false);
    if (m_completionText) {
        m_target.setStatusText(m_target.text(kStrSequenceShown));
        if (m_completionBeep) m_target.beep();
    }
    m_target.redrawAll();
    m_target.refreshPanels();
    if (m_savedDisplay) m_target.restoreDisplayedMove(*m_savedDisplay);
    m_savedDisplay.reset();
    m_target.showAnimationState(AnimationState::Idle);
}

void BoardTimer::startOrResume(int speedTenths, int lastMove) {
    m_stepInterval = animationStepInterval(speedTenths);
    if (m_animating) {
        if (m_paused) {
            m_paused = false;
            m_target.showAnimationState(AnimationState::Running);
        }
        return;
    }
    completeFade();
    const int displayed = m_target.displayedMove();
    const int total = m_target.totalMoves();
    const int shown = displayed < 0 ? total : displayed;
    m_nextMove = shown;
    m_lastMove = lastMove >= 0 ? lastMove : total;
    m_savedDisplay = shown >= 2 ? std::optional<int>(displayed) : std::nullopt;
    m_redrawRequested = false;
    m_stepCountdown = 1;
    m_animating = true;
    m_paused = false;
    m_target.setBusy(true);
    m_target.showAnimationState(AnimationState::Running);
}

void BoardTimer::pause() {
    if (!m_animating || m_paused) return;
    completeFade();
    m_paused = true;
    m_target.showAnimationState(AnimationState::Paused);
}

void BoardTimer::stop() {
    if (m_animating) {
        m_animating = false;
        m_paused = false;
        completeFade();
        m_redrawRequested = true;
        m_target.setBusy(false);
    }
    m_target.showAnimationState(AnimationState::Idle);
}

void BoardTimer::startFade(int x, int y, Colour colour) {
    completeFade();
    m_fade = {x, y, colour, kFadeSteps};
}

void BoardTimer::completeFade() {
    if (m_fade.stepsLeft <= 0) return;
    m_fade.stepsLeft = 0;
    if (!m_plainPlacement) m_target.drawPoint(m_fade.x, m_fade.y);
}

std::optional<FadingStone> BoardTimer::fadingStone() const {
    if (m_fade.stepsLeft <= 0) return std::nullopt;
    return m_fade;
}

std::uint8_t BoardTimer::stoneAlpha(int x, int y) const {
    if (m_plainPlacement || m_fade.stepsLeft <= 0 || x != m_fade.x || y != m_fade.y) return 255;
    return static_cast<std::uint8_t>((kFadeSteps - m_fade.stepsLeft) * 255 / kFadeSteps);
}

void BoardTimer::addBackgroundJob(BackgroundJob* job) {
    if (job && std::find(m_jobs.begin(), m_jobs.end(), job) == m_jobs.end()) m_jobs.push_back(job);
}

void BoardTimer::removeBackgroundJob(BackgroundJob* job) {
    m_jobs.erase(std::remove(m_jobs.begin(), m_jobs.end(), job), m_jobs.end());
}

} // namespace stonewise
