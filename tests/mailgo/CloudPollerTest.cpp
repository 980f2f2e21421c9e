#include "mailgo/CloudPoller.h"

#include <gtest/gtest.h>

#include "CloudTestFiles.h"
#include "mailgo/CloudTexts.h"
#include "record/Text.h"
#include "store/FileIo.h"
#include "support/TempFolder.h"

namespace stonewise {
namespace {

// Remembers what the check asked to read and answers as told.
struct FakeReader final : CloudMailReader {
    bool takeMoves = true;
    bool takeStudies = true;
    std::vector<std::string> read;
    bool readNextMove(const CloudGame&, const std::string& path) override {
        read.push_back(path);
        return takeMoves;
    }
    bool readStudy(const CloudGame&, const std::string& path) override {
        read.push_back(path);
        return takeStudies;
    }
};

constexpr std::int64_t kWritten = 1'800'000'000;

// One Mail Go game whose next-move file is in a temporary cloud folder; the user plays Black.
struct CloudGameFixture {
    test::TempFolder dir;
    std::string file = dir.path() + "game.nextmove";
    CloudRegistry registry;
    std::vector<CloudGame> games;
    FakeReader reader;
    CloudPoller poller{0};
    CloudWindowState window{true, true, false, false, 0};

    CloudGameFixture() {
        test::writeFileAt(file, "x", kWritten);
        games.push_back({7, registry.registerFile(fromUtf8(file)).id, true});
    }
    CloudCheck tick(std::int64_t now) { return poller.tick(now, window, games, registry, reader); }
    CloudCheck force(std::int64_t now) { return poller.force(now, window, games, registry, reader); }
};

TEST(CloudPoller, ChecksEveryFiveSecondsInMailGoModeAndEveryMinuteInAnyMode) {
    const struct {
        bool mailGo, autoRetrieval;
        std::vector<std::int64_t> runsAt; // of the ticks 1..130
    } cases[] = {
        {true, true, {5, 10, 15, 20}},
        {false, true, {60, 120}},
        {true, false, {}},
        {false, false, {}},
    };
    for (const auto& c : cases) {
        CloudGameFixture f;
        f.window.mailGoMode = c.mailGo;
        f.window.autoRetrieval = c.autoRetrieval;
        std::vector<std::int64_t> runs;
        for (std::int64_t t = 1; t <= 130; ++t) {
            const CloudCheck check = f.tick(t);
            if (check.ran) runs.push_back(t);
            if (check.ran) {
                EXPECT_EQ(check.forced, t % 60 == 0) << t;
            }
            if (c.mailGo && t == 20) break;
        }
        EXPECT_EQ(runs, c.runsAt) << c.mailGo << c.autoRetrieval;
    }
}

TEST(CloudPoller, AChangedFileIsReadOnceAndTheSameWriteTimeNotAgain) {
    CloudGameFixture f;
    const CloudCheck first = f.tick(5);
    EXPECT_EQ(first.changedGame, 7);
    EXPECT_TRUE(first.moveTaken);
    EXPECT_EQ(f.reader.read, std::vector<std::string>{f.file});
    EXPECT_EQ(f.tick(10).changedGame, std::nullopt);

    test::writeFileAt(f.file, "y", kWritten); // rewritten with the same time: no news
    EXPECT_EQ(f.tick(15).changedGame, std::nullopt);
    test::writeFileAt(f.file, "y", kWritten + 2);
    EXPECT_TRUE(f.tick(20).moveTaken);
    EXPECT_EQ(f.reader.read.size(), 2u);
}

TEST(CloudPoller, AFileThatGivesNothingPausesTheChecksForTwoMinutes) {
    CloudGameFixture f;
    f.reader.takeMoves = false;
    EXPECT_FALSE(f.tick(5).moveTaken);
    test::writeFileAt(f.file, "y", kWritten + 1);
    for (std::int64_t t = 6; t < 125; ++t) EXPECT_FALSE(f.tick(t).ran) << t;
    EXPECT_TRUE(f.poller.paused(124));
    EXPECT_TRUE(f.force(124).ran); // the import command does not wait
    EXPECT_EQ(f.reader.read.size(), 2u);
}

TEST(CloudPoller, WithSomethingUnsentAChangedFileOnlyShowsTheStatusOnce) {
    const struct {
        const char* what;
        CloudWindowState window;
        bool forced;
    } cases[] = {
        {"an unsent move", {true, true, false, true, 0}, false},
        {"an unsent move, forced", {true, true, false, true, 0}, true},
        {"other unsent games", {true, true, false, false, 2}, false},
        {"not in Mail Go mode", {true, false, false, false, 0}, true},
    };
    for (const auto& c : cases) {
        CloudGameFixture f;
        f.window = c.window;
        auto check = [&](std::int64_t t) { return c.forced ? f.force(t) : f.tick(t); };
        const CloudCheck first = check(5);
        EXPECT_EQ(first.changedGame, 7) << c.what;
        EXPECT_EQ(first.statusText, kStrCloudFileUpdated) << c.what;
        EXPECT_EQ(check(10).statusText, 0) << c.what; // still changed: shown once
        EXPECT_TRUE(f.reader.read.empty()) << c.what;
        // A scan that finds nothing ends the notice; the next change shows it again.
        f.registry.recordFileTime(f.games[0].file);
        EXPECT_EQ(check(15).changedGame, std::nullopt) << c.what;
        test::writeFileAt(f.file, "y", kWritten + 5);
        EXPECT_EQ(check(20).statusText, kStrCloudFileUpdated) << c.what;
    }
}

TEST(CloudPoller, AForcedCheckWithOtherUnsentGamesReadsAndLeavesOneUnsent) {
    CloudGameFixture f;
    f.window.unsentGames = 3;
    const CloudCheck check = f.force(1);
    EXPECT_TRUE(check.moveTaken);
    EXPECT_EQ(check.unsentGames, 1);
}

TEST(CloudPoller, OnlyTheOpponentsStudyFilesAreReadAndDeletedWhenTaken) {
    CloudGameFixture f;
    f.registry.recordFileTime(f.games[0].file);
    const std::string own = f.dir.path() + "game-B001.nextmove";
    const std::string opponents = f.dir.path() + "game-W001.nextmove";
    test::writeFileAt(own, "x", kWritten);
    test::writeFileAt(opponents, "x", kWritten);

    f.reader.takeStudies = false; // not taken: kept
    EXPECT_EQ(f.tick(5).studiesTaken, 0);
    EXPECT_EQ(f.reader.read, std::vector<std::string>{opponents});
    EXPECT_TRUE(pathExists(opponents));

    f.reader.takeStudies = true;
    EXPECT_EQ(f.tick(10).studiesTaken, 1);
    EXPECT_FALSE(pathExists(opponents));
    EXPECT_TRUE(pathExists(own));
    EXPECT_EQ(f.tick(15).studiesTaken, 0);
    EXPECT_EQ(f.reader.read.size(), 2u);

    // The white player's program reads the black player's file.
    f.games[0].userIsBlack = false;
    EXPECT_EQ(f.tick(20).studiesTaken, 1);
    EXPECT_FALSE(pathExists(own));
}

TEST(CloudPoller, NothingIsReadWhileAStudyBoardIsOpen) {
    CloudGameFixture f;
    f.window.studyWindowOpen = true;
    test::writeFileAt(f.dir.path() + "game-W001.nextmove", "x", kWritten);
    EXPECT_FALSE(f.tick(5).ran);
    EXPECT_FALSE(f.force(6).ran);
    EXPECT_TRUE(f.reader.read.empty());
}

} // namespace
} // namespace stonewise
