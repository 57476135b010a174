#pragma once

#include "base/Clock.h"

namespace velunor {

// The wall clock of the machine.
class SystemClock : public Clock {
public:
    CalendarTime Now() const override;
};

}  // namespace velunor
