#pragma once

#include <chrono>

#include "base/Clock.h"

namespace velunor::test {

// A clock that stands still until the test moves it. Its local time is UTC.
class FakeClock : public Clock {
public:
    explicit FakeClock(CalendarTime start = 1'700'000'000) : m_now(start) {}
    CalendarTime Now() const override { return m_now; }
    void Advance(CalendarTime seconds) { m_now += seconds; }

    LocalMinute ToLocal(CalendarTime time) const override {
        using namespace std::chrono;
        const sys_seconds moment{seconds(time)};
        const auto day = floor<days>(moment);
        const year_month_day date{day};
        const hh_mm_ss clock{moment - day};
        return {int(date.year()), int(unsigned(date.month())), int(unsigned(date.day())),
                int(clock.hours().count()), int(clock.minutes().count())};
    }
    CalendarTime FromLocal(const LocalMinute& local) const override {
        using namespace std::chrono;
        const sys_days first{year{local.year} / month{1} / day{1}};
        const auto monthStart = sys_days{year_month_day{first} + months{local.month - 1}};
        const auto moment =
            monthStart + days{local.day - 1} + hours{local.hour} + minutes{local.minute};
        return duration_cast<seconds>(moment.time_since_epoch()).count();
    }

private:
    CalendarTime m_now;
};

}  // namespace velunor::test
