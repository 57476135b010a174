#pragma once

#include <compare>
#include <cstdint>

namespace velunor {

// Calendar time in whole seconds since 1970-01-01 UTC. 64 bits so that it outlives 2038.
using CalendarTime = std::int64_t;

// A minute of the local wall clock.
struct LocalMinute {
    int year = 1970;
    int month = 1;  // 1 to 12
    int day = 1;    // 1 to 31
    int hour = 0;
    int minute = 0;
    auto operator<=>(const LocalMinute&) const = default;
};

// Where the program reads "now" and turns it into the user's local time. Injected so that tests
// can move time as they like, including backwards and across a suspend.
class Clock {
public:
    virtual ~Clock() = default;
    virtual CalendarTime Now() const = 0;
    // The local minute a moment falls in.
    virtual LocalMinute ToLocal(CalendarTime time) const = 0;
    // The moment a local minute begins. Fields out of range carry over (day 32 is the next
    // month's first), so "the next day" is day + 1.
    virtual CalendarTime FromLocal(const LocalMinute& local) const = 0;
};

}  // namespace velunor
