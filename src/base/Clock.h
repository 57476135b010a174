#pragma once

#include <cstdint>

namespace velunor {

// Calendar time in whole seconds since 1970-01-01 UTC. 64 bits so that it outlives 2038.
using CalendarTime = std::int64_t;

// Where the program reads "now". Injected so that tests can move time as they like, including
// backwards and across a suspend.
class Clock {
public:
    virtual ~Clock() = default;
    virtual CalendarTime Now() const = 0;
};

}  // namespace velunor
