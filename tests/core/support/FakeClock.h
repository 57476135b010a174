#pragma once

#include "base/Clock.h"

namespace velunor::test {

// A clock that stands still until the test moves it.
class FakeClock : public Clock {
public:
    explicit FakeClock(CalendarTime start = 1'700'000'000) : m_now(start) {}
    CalendarTime Now() const override { return m_now; }
    void Advance(CalendarTime seconds) { m_now += seconds; }

private:
    CalendarTime m_now;
};

}  // namespace velunor::test
