#pragma once

#include <optional>

#include "base/AppSettings.h"
#include "base/Clock.h"
#include "session/BreakEffects.h"

namespace velunor {

// The work/break state machine. It measures work on the wall clock from AppSettings::workStart and
// turns the break screen on when the interval has passed; the countdown, Escape or a close request
// end the break through EndBreak.
class BreakScheduler {
public:
    BreakScheduler(AppSettings& settings, const Clock& clock, BreakEffects& effects);

    // The first work interval starts now.
    void StartWork();

    // The once-a-second schedule tick; does nothing while a break shows. A held break that is due
    // waits for a tick that does not hold it.
    void OnScheduleTick(bool breakHeld = false);

    // The work interval starts again now.
    void RestartInterval();

    // Seconds until the break is due (0 or less: due); nothing during a break or when breaks are
    // off.
    std::optional<CalendarTime> SecondsUntilBreak(CalendarTime now) const;
    // The moment the coming break is due, on the same terms.
    std::optional<CalendarTime> BreakDueAt() const;
    // The coming break is due no earlier than at (a postponed break); a new interval forgets it.
    void DelayBreakUntil(CalendarTime at);

    // Starts a break now.
    void EnterBreak();

    // Ends the break (countdown at zero, Escape, close request); a no-op between breaks.
    void EndBreak();

    // The settings dialog saved new values: a break that shows ends first, and the new interval
    // counts from now.
    void OnSettingsSaved(int setTime, int runTime, int autoStart);

    // A library dialog holds breaks back while it is open; closing it restarts the interval.
    void OnLibraryOpened();
    void OnLibraryClosed();

    bool InBreak() const { return !m_settings.working; }

    // A break's length in seconds (none below zero).
    CalendarTime BreakSeconds() const;
    // Time away from work this long (a sleep, a lock) was a break: at least a break's length and
    // at least a minute.
    bool CountsAsABreak(CalendarTime seconds) const;

private:
    bool IsBreakDue(CalendarTime now) const;
    CalendarTime IntervalSeconds() const;
    void RestartIntervalAfterGap(CalendarTime now);

    AppSettings& m_settings;
    const Clock& m_clock;
    BreakEffects& m_effects;
    CalendarTime m_lastTick = 0;  // the last tick, or the start of the interval before one
    // A delay of the break due in the interval that started at delayedInterval.
    struct Delay {
        CalendarTime delayedInterval;
        CalendarTime until;
    };
    std::optional<Delay> m_delay;
};

}  // namespace velunor
