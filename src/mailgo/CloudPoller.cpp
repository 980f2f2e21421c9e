#include "mailgo/CloudPoller.h"

#include "mailgo/CloudTexts.h"
#include "store/FileIo.h"

namespace stonewise {

CloudCheck CloudPoller::tick(std::int64_t now, const CloudWindowState& window, std::span<const CloudGame> games,
                             CloudRegistry& registry, CloudMailReader& reader) {
    if (paused(now) || !window.autoRetrieval) return {};
    const bool minute =
        now - m_lastMinuteCheck >= kCloudMinuteCheckSeconds && now - m_start >= kCloudMinuteCheckSeconds;
    const bool regular =
        window.mailGoMode && now - m_lastCheck >= kCloudCheckSeconds && now - m_start >= kCloudCheckSeconds;
    if (!minute && !regular) return {};
    if (minute) m_lastMinuteCheck = now;
    return check(now, minute, window, games, registry, reader);
}

CloudCheck CloudPoller::force(std::int64_t now, const CloudWindowState& window, std::span<const CloudGame> games,
                              CloudRegistry& registry, CloudMailReader& reader) {
    return check(now, true, window, games, registry, reader);
}

CloudCheck CloudPoller::check(std::int64_t now, bool forced, const CloudWindowState& window,
                              std::span<const CloudGame> games, CloudRegistry& registry, CloudMailReader& reader) {
    m_lastCheck = now;
    CloudCheck out;
    out.forced = forced;
    if (window.studyWindowOpen) return out;
    out.ran = true;
    const CloudGame* changed = nullptr;
    for (const CloudGame& game : games) {
        if (game.file == kNoCloudFile || !registry.entry(game.file)) continue;
        if (registry.hasFileChanged(game.file)) {
            changed = &game;
            break;
        }
        // The opponent's study sequences: the user's own are for the opponent's program.
        const auto path = registry.path(game.file);
        const auto study = findCloudStudyFile(*path, game.userIsBlack ? u'W' : u'B');
        if (study && reader.readStudy(game, *study)) {
            removeFile(*study);
            ++out.studiesTaken;
        }
    }
    if (!changed) {
        m_updateShown = false;
        return out;
    }
    out.changedGame = changed->index;
    const bool mayRead = !window.unsentMove && window.mailGoMode && (forced || window.unsentGames == 0);
    if (!mayRead) {
        if (!m_updateShown) out.statusText = kStrCloudFileUpdated;
        m_updateShown = true;
        return out;
    }
    const auto path = registry.filePath(changed->file);
    out.moveTaken = reader.readNextMove(*changed, *path);
    if (out.moveTaken) {
        registry.recordFileTime(changed->file);
        if (forced && window.unsentGames > 1) out.unsentGames = 1;
    } else {
        m_pauseUntil = now + kCloudPauseSeconds;
    }
    return out;
}

} // namespace stonewise
