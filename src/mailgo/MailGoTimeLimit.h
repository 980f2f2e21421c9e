#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace stonewise {

struct GameInfo;
struct GameTime;
class StringTable;

// Warnings a game gets at most, and the age of a waiting time past which it is left alone.
constexpr int kMailGoWarningLimit = 6;
constexpr std::int64_t kMailGoWarningMaxAge = 604801; // 7 days and 1 second

// The warnings a Mail Go game has had (the low four bits of its Mail Go flags).
int mailGoWarnings(const GameInfo& info);
// Receiving or making a move starts the count again.
void clearMailGoWarnings(GameInfo& info);

// Seconds from a UTC stamp to `nowUtc` (seconds since 1970); 0 for a missing stamp (year 0).
std::int64_t secondsSinceStamp(const GameTime& stamp, std::int64_t nowUtc);
// The UTC stamp of seconds since 1970.
GameTime stampFromSeconds(std::int64_t utc);

// The time-limit rule over the games of the current group: a Mail Go game in play with fewer than
// 6 warnings, whose opponent's last move came `warningHours` hours ago plus a day per earlier
// warning (and at most 7 days ago), gets one more warning. Returns the positions in `games` of the
// games warned: the caller saves their information and shows `mailGoTimeLimitMessage` for each.
// No hours (0) warns nobody. The rule is the main board window's, in Mail Go mode: after each send
// and before the program ends.
std::vector<std::size_t> applyMailGoTimeLimit(std::span<GameInfo> games, int warningHours, std::int64_t nowUtc);
// "次のメール碁の前の着手から経過した時間が超過しています。\r\n%s" with the game's name.
std::u16string mailGoTimeLimitMessage(const StringTable& strings, const GameInfo& info);

// The time of a received move as a node keeps it: seconds up to 32,760, else the negative number
// of minutes rounded to the nearest minute; a negative span (a clock set back) is 0.
std::int16_t receivedMoveTime(std::int64_t seconds);

} // namespace stonewise
