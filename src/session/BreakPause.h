#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/Clock.h"

namespace velunor {

// A pause of the reminders, kept in config.ini ([Option] PauseUntil, the local minute it ends) so
// that it outlasts a restart of the program or of the computer.
class BreakPause {
public:
    BreakPause(const Clock& clock, const std::string& configPath)
        : m_clock(clock), m_configPath(configPath) {}

    // Takes over the pause config.ini holds. A pause that has passed leaves the file; a value
    // that does not read as a time, or lies further ahead than any pause can last, is ignored
    // (and left in the file for the user to see), so that no stray value pauses for good.
    void Load();
    // Minutes from now, rounded up to a whole minute, or kUntilMorning: 06:00 of the next day.
    void Start(int minutes);
    void End();

    // The moment the pause ends, while one is set.
    std::optional<CalendarTime> Until() const { return m_until; }
    // "已暂停，HH:MM 继续".
    std::string Tip() const;

    static std::optional<LocalMinute> Parse(std::string_view text);
    static std::string Format(const LocalMinute& minute);

private:
    const Clock& m_clock;
    const std::string& m_configPath;
    std::optional<CalendarTime> m_until;
};

}  // namespace velunor
