#include "app/Clock.h"

#include <ctime>

namespace stonewise {

namespace {
DateTime fromTm(const std::tm& t) { return {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec}; }
} // namespace

DateTime SystemClock::localNow() const {
    const std::time_t now = std::time(nullptr);
    std::tm t{};
    localtime_r(&now, &t);
    return fromTm(t);
}

DateTime SystemClock::utcNow() const {
    const std::time_t now = std::time(nullptr);
    std::tm t{};
    gmtime_r(&now, &t);
    return fromTm(t);
}

std::int64_t SystemClock::secondsSinceEpoch() const { return static_cast<std::int64_t>(std::time(nullptr)); }

} // namespace stonewise
