#pragma once

#include <cstdint>

namespace stonewise {

// A broken-down moment.
struct DateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The time of day, so that time limits and elapsed times are testable.
class Clock {
public:
    virtual ~Clock() = default;
    virtual DateTime localNow() const = 0;
    virtual DateTime utcNow() const = 0;
    // Seconds since 1970-01-01 UTC.
    virtual std::int64_t secondsSinceEpoch() const = 0;
};

// The machine's clock.
class SystemClock final : public Clock {
public:
    DateTime localNow() const override;
    DateTime utcNow() const override;
    std::int64_t secondsSinceEpoch() const override;
};

} // namespace stonewise
