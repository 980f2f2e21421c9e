#include "mailgo/MailGoTimeLimit.h"

#include <gtest/gtest.h>

#include "record/GameInfo.h"
#include "record/StringTable.h"

namespace stonewise {
namespace {

constexpr std::int64_t kReceived = 1'800'000'000; // the opponent's last move arrived
constexpr std::int64_t kHour = 3600;

GameInfo mailGoGame(int warnings = 0) {
    GameInfo g;
    g.type = kGameMailGo;
    g.name = u"第3局";
    g.waitingTime = stampFromSeconds(kReceived);
    g.mailGoFlags = static_cast<std::uint8_t>(0x30 | warnings);
    return g;
}

TEST(MailGoTimeLimit, ADayLimitWarnsAtOneDayThenOnceADayMoreUpToSixAndNeverPastSevenDays) {
    std::vector<GameInfo> games{mailGoGame()};
    std::vector<std::int64_t> warnedAtHour;
    for (std::int64_t h = 0; h <= 24 * 8; ++h)
        if (!applyMailGoTimeLimit(games, 24, kReceived + h * kHour).empty()) warnedAtHour.push_back(h);
    EXPECT_EQ(warnedAtHour, (std::vector<std::int64_t>{24, 48, 72, 96, 120, 144}));
    EXPECT_EQ(mailGoWarnings(games[0]), 6);
    EXPECT_EQ(games[0].mailGoFlags & 0xF0, 0x30); // the other bits stay

    clearMailGoWarnings(games[0]);
    EXPECT_EQ(games[0].mailGoFlags, 0x30);
}

TEST(MailGoTimeLimit, WhichGamesAreWarned) {
    auto with = [](auto change) {
        GameInfo g = mailGoGame();
        change(g);
        return g;
    };
    const struct {
        const char* what;
        GameInfo game;
        int hours;
        std::int64_t elapsed;
        bool warned;
    } cases[] = {
        {"one second short", mailGoGame(), 24, 24 * kHour - 1, false},
        {"at the limit", mailGoGame(), 24, 24 * kHour, true},
        {"two warnings: a day more", mailGoGame(2), 24, 72 * kHour - 1, false},
        {"two warnings at three days", mailGoGame(2), 24, 72 * kHour, true},
        {"seven days exactly", mailGoGame(5), 48, 604800, true},
        {"seven days and a second", mailGoGame(), 1, 604801, false},
        {"six warnings", mailGoGame(6), 1, 100 * kHour, false},
        {"no warning hours", mailGoGame(), 0, 100 * kHour, false},
        {"not Mail Go", with([](GameInfo& g) { g.type = kGamePlayAndRecord; }), 1, 100 * kHour, false},
        {"finished", with([](GameInfo& g) { g.winner = kBlackWins; }), 1, 100 * kHour, false},
        {"no stamp", with([](GameInfo& g) { g.waitingTime = {}; }), 1, 100 * kHour, false},
    };
    for (const auto& c : cases) {
        std::vector<GameInfo> games{mailGoGame(6), c.game};
        const auto warned = applyMailGoTimeLimit(games, c.hours, kReceived + c.elapsed);
        EXPECT_EQ(warned, c.warned ? std::vector<std::size_t>{1} : std::vector<std::size_t>{}) << c.what;
    }
    EXPECT_EQ(mailGoTimeLimitMessage(StringTable::japanese(), mailGoGame()),
              u"次のメール碁の前の着手から経過した時間が超過しています。\r\n第3局");
}

TEST(MailGoTimeLimit, AReceivedMoveTakesSecondsThenNegativeRoundedMinutes) {
    const struct {
        std::int64_t seconds;
        std::int16_t time;
    } cases[] = {
        {-5, 0},        {0, 0},         {59, 59},
        {32760, 32760}, {32761, -546},  {32789, -546},
        {32790, -547},  {86400, -1440}, {std::int64_t{1} << 40, -32768},
    };
    for (const auto& c : cases) EXPECT_EQ(receivedMoveTime(c.seconds), c.time) << c.seconds;
    EXPECT_EQ(secondsSinceStamp(stampFromSeconds(kReceived), kReceived + 61), 61);
    EXPECT_EQ(secondsSinceStamp(GameTime{}, kReceived), 0);
}

} // namespace
} // namespace stonewise
