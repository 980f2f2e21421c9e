#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "mailgo/CloudRegistry.h"

namespace stonewise {

// A game of the current group as the cloud check sees it.
struct CloudGame {
    int index = 0;                   // the caller's own handle (the game's number or list row)
    CloudFileId file = kNoCloudFile; // kNoCloudFile: the game does not use the cloud
    bool userIsBlack = false;        // the user's member is the black player
};

// Reads a cloud file's mail text into a game (the receiving of mail text does the work).
class CloudMailReader {
public:
    virtual ~CloudMailReader() = default;
    // Reads the game's next-move file; true when moves were taken.
    virtual bool readNextMove(const CloudGame& game, const std::string& path) = 0;
    // Reads a study-sequence file of the opponent; true when the sequence was taken.
    virtual bool readStudy(const CloudGame& game, const std::string& path) = 0;
};

// The board window's state for one check.
struct CloudWindowState {
    bool autoRetrieval = true;    // the window's automatic retrieval is on
    bool mailGoMode = false;      // the window is in Mail Go mode
    bool studyWindowOpen = false; // a study board is open: nothing is read
    bool unsentMove = false;      // the window's game has a move not yet sent
    int unsentGames = 0;          // games of the group with something not yet sent
};

// What one check came to.
struct CloudCheck {
    bool ran = false;               // the check was due and the games were scanned
    bool forced = false;            // a minute check or the import command
    std::optional<int> changedGame; // the game whose next-move file changed (its CloudGame::index)
    bool moveTaken = false;         // moves of that file were taken (its time is recorded)
    int studiesTaken = 0;           // opponent's study files read and deleted
    int statusText = 0;             // the status line's text, with a beep; 0 for none
    std::optional<int> unsentGames; // the count of unsent games to set
};

// Seconds between unforced checks, between forced ones, and of the pause after a file that gave nothing.
constexpr int kCloudCheckSeconds = 5;
constexpr int kCloudMinuteCheckSeconds = 60;
constexpr int kCloudPauseSeconds = 120;

// The cloud check of the main board window, driven once a second by the board tick with the
// seconds of a steady clock. Unforced it runs every 5 seconds in Mail Go mode; every 60 seconds a
// forced check runs in any mode; neither runs in the first 5 (60) seconds of the program, without
// automatic retrieval, or while a pause set by a changed file that gave nothing (120 seconds) runs.
class CloudPoller {
public:
    explicit CloudPoller(std::int64_t startSeconds)
        : m_start(startSeconds), m_lastCheck(startSeconds), m_lastMinuteCheck(startSeconds) {}

    // The check of one tick at `now`: runs when due, else returns ran = false.
    CloudCheck tick(std::int64_t now, const CloudWindowState& window, std::span<const CloudGame> games,
                    CloudRegistry& registry, CloudMailReader& reader);
    // The check the Mail Go import command forces at once, pause or not.
    CloudCheck force(std::int64_t now, const CloudWindowState& window, std::span<const CloudGame> games,
                     CloudRegistry& registry, CloudMailReader& reader);

    bool paused(std::int64_t now) const { return now < m_pauseUntil; }
    // Nothing is looked at for the pause from `now` (the opponent's text was just read).
    void pause(std::int64_t now) { m_pauseUntil = now + kCloudPauseSeconds; }

private:
    CloudCheck check(std::int64_t now, bool forced, const CloudWindowState& window, std::span<const CloudGame> games,
                     CloudRegistry& registry, CloudMailReader& reader);

    std::int64_t m_start;
    std::int64_t m_lastCheck;
    std::int64_t m_lastMinuteCheck;
    std::int64_t m_pauseUntil = 0;
    bool m_updateShown = false; // "クラウドのファイルが更新されました。" was shown for the change at hand
};

} // namespace stonewise
