#pragma once

#include <cstdint>
#include <string>

#include "base/AppSettings.h"
#include "base/Clock.h"

namespace velunor {

// The time left of a break, counted on the wall clock. The first step after arming loads the full
// break length; every step then takes off the whole seconds that passed since the step before,
// however many, so a stalled or suspended screen still ends the break on time.
class Countdown {
public:
    Countdown(const AppSettings& settings, const Clock& clock);

    // The next step starts again from the break length then in the settings.
    void Arm();

    // One clock step. True when it brought the time left to zero; the countdown is then armed
    // for the next break.
    bool Step();

    // The time left as hours, minutes and seconds, each at least two digits: "00:20:00".
    std::string Text() const;

private:
    void ResetCountdown();

    const AppSettings& m_settings;
    const Clock& m_clock;
    CalendarTime m_lastTick = 0;
    bool m_countdownFinished = true;
    std::int64_t m_secondsLeft = 0;
};

}  // namespace velunor
