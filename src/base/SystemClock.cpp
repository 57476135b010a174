#include "base/SystemClock.h"

#include <chrono>

namespace velunor {

CalendarTime SystemClock::Now() const {
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

}  // namespace velunor
