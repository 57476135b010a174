#include "base/SystemClock.h"

#include <chrono>
#include <ctime>

namespace velunor {

CalendarTime SystemClock::Now() const {
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

// The re-entrant forms: std::localtime hands out one buffer for the whole process.
LocalMinute SystemClock::ToLocal(CalendarTime time) const {
    const std::time_t moment = std::time_t(time);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &moment);
#else
    localtime_r(&moment, &local);
#endif
    return LocalMinute{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                       local.tm_min};
}

// mktime carries fields over and decides summer time itself (tm_isdst -1).
CalendarTime SystemClock::FromLocal(const LocalMinute& local) const {
    std::tm fields{};
    fields.tm_year = local.year - 1900;
    fields.tm_mon = local.month - 1;
    fields.tm_mday = local.day;
    fields.tm_hour = local.hour;
    fields.tm_min = local.minute;
    fields.tm_isdst = -1;
    return CalendarTime(std::mktime(&fields));
}

}  // namespace velunor
