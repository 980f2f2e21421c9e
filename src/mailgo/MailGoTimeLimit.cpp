#include "mailgo/MailGoTimeLimit.h"

#include <algorithm>

#include "mailgo/CloudRegistry.h"
#include "mailgo/CloudTexts.h"
#include "record/GameInfo.h"
#include "store/StoreStrings.h"

namespace stonewise {

namespace {
constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::int64_t kLongestSecondsTime = 32760;
} // namespace

int mailGoWarnings(const GameInfo& info) { return info.mailGoFlags & 0x0F; }

void clearMailGoWarnings(GameInfo& info) { info.mailGoFlags = static_cast<std::uint8_t>(info.mailGoFlags & 0xF0); }

std::int64_t secondsSinceStamp(const GameTime& stamp, std::int64_t nowUtc) {
    if (stamp.year == 0) return 0;
    const CloudTime t{stamp.year,  static_cast<std::uint8_t>(stamp.month), stamp.day, stamp.hour, stamp.minute,
                      stamp.second};
    return nowUtc - secondsFromCloudTime(t);
}

GameTime stampFromSeconds(std::int64_t utc) {
    const CloudTime t = cloudTimeFromSeconds(utc);
    return {t.year, t.month, t.day, t.hour, t.minute, t.second};
}

std::vector<std::size_t> applyMailGoTimeLimit(std::span<GameInfo> games, int warningHours, std::int64_t nowUtc) {
    std::vector<std::size_t> warned;
    if (warningHours <= 0) return warned;
    const std::int64_t limit = std::int64_t{warningHours} * 3600;
    for (std::size_t i = 0; i < games.size(); ++i) {
        GameInfo& g = games[i];
        const int warnings = mailGoWarnings(g);
        if (g.type != kGameMailGo || g.winner != kInPlay || warnings >= kMailGoWarningLimit) continue;
        const std::int64_t elapsed = secondsSinceStamp(g.waitingTime, nowUtc);
        if (elapsed >= kMailGoWarningMaxAge) continue;
        if (elapsed - kSecondsPerDay * warnings < limit) continue;
        g.mailGoFlags = static_cast<std::uint8_t>((g.mailGoFlags & 0xF0) | (warnings + 1));
        warned.push_back(i);
    }
    return warned;
}

std::u16string mailGoTimeLimitMessage(const StringTable& strings, const GameInfo& info) {
    return storeText(strings, kStrMailGoTimeExceeded, {std::u16string_view(info.name)});
}

std::int16_t receivedMoveTime(std::int64_t seconds) {
    if (seconds <= 0) return 0;
    if (seconds <= kLongestSecondsTime) return static_cast<std::int16_t>(seconds);
    return static_cast<std::int16_t>(-std::min<std::int64_t>((seconds + 30) / 60, 32768));
}

} // namespace stonewise
