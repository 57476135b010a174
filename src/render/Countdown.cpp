#include "render/Countdown.h"

#include <algorithm>
#include <cstdio>

namespace velunor {

Countdown::Countdown(const AppSettings& settings, const Clock& clock)
    : m_settings(settings), m_clock(clock) {}

void Countdown::Arm() {
    m_countdownFinished = true;
}

// A negative break length would never reach zero; it counts as no break at all.
void Countdown::ResetCountdown() {
    m_countdownFinished = false;
    m_secondsLeft = std::int64_t{std::max(m_settings.runTime, 0)} * 60;
    m_lastTick = m_clock.Now();
}

bool Countdown::Step() {
    if (m_countdownFinished) {
        ResetCountdown();
    }
    const CalendarTime now = m_clock.Now();
    // A clock set back takes nothing off; counting resumes from the new time.
    const CalendarTime elapsed = std::max<CalendarTime>(now - m_lastTick, 0);
    m_secondsLeft -= std::min(elapsed, m_secondsLeft);
    m_lastTick = now;
    if (m_secondsLeft == 0) {
        m_countdownFinished = true;
    }
    return m_countdownFinished;
}

std::string Countdown::Text() const {
    const long long hours = m_secondsLeft / 3600;
    const int minutes = int(m_secondsLeft / 60 % 60);
    const int seconds = int(m_secondsLeft % 60);
    char text[48] = {};
    std::snprintf(text, sizeof text, "%02lld:%02d:%02d", hours, minutes, seconds);
    return text;
}

}  // namespace velunor
