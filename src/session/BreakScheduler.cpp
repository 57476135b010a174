#include "session/BreakScheduler.h"

#include <algorithm>

namespace velunor {

BreakScheduler::BreakScheduler(AppSettings& settings, const Clock& clock, BreakEffects& effects)
    : m_settings(settings), m_clock(clock), m_effects(effects) {}

void BreakScheduler::StartWork() {
    m_settings.workStart = m_clock.Now();
    m_settings.working = true;
    m_settings.libraryClosed = true;
    m_lastTick = m_settings.workStart;
}

void BreakScheduler::OnScheduleTick(bool breakHeld) {
    if (!m_settings.working) {
        return;
    }
    const CalendarTime now = m_clock.Now();
    RestartIntervalAfterGap(now);
    m_lastTick = now;
    if (!breakHeld && IsBreakDue(now)) {
        EnterBreak();
        return;
    }
    m_effects.AddTrayIcon();
}

// A negative interval means no breaks. One below a minute counts as a minute: a break due at
// every tick would cover the screen again at once after each Escape and lock the user out.
bool BreakScheduler::IsBreakDue(CalendarTime now) const {
    if (!m_settings.working || !m_settings.libraryClosed || m_settings.setTime < 0) {
        return false;
    }
    return *SecondsUntilBreak(now) <= 0;
}

CalendarTime BreakScheduler::IntervalSeconds() const {
    return CalendarTime(std::max(m_settings.setTime, 1)) * 60;
}

CalendarTime BreakScheduler::BreakSeconds() const {
    return CalendarTime(std::max(m_settings.runTime, 0)) * 60;
}

bool BreakScheduler::CountsAsABreak(CalendarTime seconds) const {
    return seconds >= std::max<CalendarTime>(BreakSeconds(), 60);
}

std::optional<CalendarTime> BreakScheduler::SecondsUntilBreak(CalendarTime now) const {
    const auto due = BreakDueAt();
    if (!due) {
        return std::nullopt;
    }
    return *due - now;
}

std::optional<CalendarTime> BreakScheduler::BreakDueAt() const {
    if (!m_settings.working || m_settings.setTime < 0) {
        return std::nullopt;
    }
    const CalendarTime due = m_settings.workStart + IntervalSeconds();
    if (m_delay && m_delay->delayedInterval == m_settings.workStart) {
        return std::max(due, m_delay->until);
    }
    return due;
}

void BreakScheduler::DelayBreakUntil(CalendarTime at) {
    m_delay = Delay{m_settings.workStart, at};
}

void BreakScheduler::RestartInterval() {
    m_settings.workStart = m_clock.Now();
    m_lastTick = m_settings.workStart;
}

// The clock set back behind the interval's start, or a gap in the ticks at least as long as a
// break (the machine slept or was suspended): the user is not owed a break for time spent away, so
// the interval starts again from now.
void BreakScheduler::RestartIntervalAfterGap(CalendarTime now) {
    if (now < m_settings.workStart) {
        m_settings.workStart = now;
        return;
    }
    if (CountsAsABreak(now - m_lastTick)) {
        m_settings.workStart = now;
    }
}

void BreakScheduler::EnterBreak() {
    if (!m_settings.working) {
        return;
    }
    m_settings.working = false;
    m_effects.StartBreakMusic();
    m_effects.ShowBreakScreen();
}

void BreakScheduler::EndBreak() {
    if (m_settings.working) {
        return;
    }
    m_settings.working = true;
    m_effects.StopBreakMusic();
    m_effects.HideBreakScreen();
    m_effects.AddTrayIcon();
    m_settings.workStart = m_clock.Now();
    m_effects.ArmCountdown();
    m_lastTick = m_settings.workStart;  // the ticks paused for the break; that pause is no sleep
}

void BreakScheduler::OnSettingsSaved(int setTime, int runTime, int autoStart) {
    EndBreak();
    m_settings.workStart = m_clock.Now();
    m_settings.setTime = setTime;
    m_settings.runTime = runTime;
    m_settings.autoStart = autoStart;
    m_settings.working = true;
}

void BreakScheduler::OnLibraryOpened() {
    m_settings.libraryClosed = false;
}

void BreakScheduler::OnLibraryClosed() {
    m_settings.workStart = m_clock.Now();
    m_settings.libraryClosed = true;
}

}  // namespace velunor
