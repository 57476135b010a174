#pragma once

#include "base/Clock.h"

namespace velunor {

// The wall clock of the machine, in the time zone of the user's session.
class SystemClock : public Clock {
public:
    CalendarTime Now() const override;
    LocalMinute ToLocal(CalendarTime time) const override;
    CalendarTime FromLocal(const LocalMinute& local) const override;
};

}  // namespace velunor
