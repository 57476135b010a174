#include "session/BreakPause.h"

#include <charconv>
#include <cstdio>

#include "base/ConfigFile.h"
#include "base/IniFile.h"
#include "session/TrayMenu.h"

namespace velunor {
namespace {

constexpr int kMorningHour = 6;
// The longest pause there is: until tomorrow's morning, asked for just after midnight.
constexpr CalendarTime kLongestPauseSeconds = 31 * 60 * 60;

bool ReadNumber(std::string_view text, std::size_t at, std::size_t digits, int& number) {
    if (at + digits > text.size()) {
        return false;
    }
    const char* begin = text.data() + at;
    const auto [end, error] = std::from_chars(begin, begin + digits, number);
    return error == std::errc() && end == begin + digits && number >= 0;
}

}  // namespace

std::optional<LocalMinute> BreakPause::Parse(std::string_view text) {
    LocalMinute minute;
    if (text.size() != 16 || text[4] != '-' || text[7] != '-' || text[10] != ' ' ||
        text[13] != ':' || !ReadNumber(text, 0, 4, minute.year) ||
        !ReadNumber(text, 5, 2, minute.month) || !ReadNumber(text, 8, 2, minute.day) ||
        !ReadNumber(text, 11, 2, minute.hour) || !ReadNumber(text, 14, 2, minute.minute)) {
        return std::nullopt;
    }
    if (minute.month < 1 || minute.month > 12 || minute.day < 1 || minute.day > 31 ||
        minute.hour > 23 || minute.minute > 59) {
        return std::nullopt;
    }
    return minute;
}

std::string BreakPause::Format(const LocalMinute& minute) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", minute.year, minute.month,
                  minute.day, minute.hour, minute.minute);
    return text;
}

void BreakPause::Load() {
    m_until.reset();
    const auto text = IniFile::Read(m_configPath, config::kSection, config::kPauseUntil);
    const auto minute = text ? Parse(*text) : std::nullopt;
    if (!minute) {
        return;
    }
    const CalendarTime until = m_clock.FromLocal(*minute);
    const CalendarTime now = m_clock.Now();
    if (until <= now) {
        End();
        return;
    }
    if (until - now <= kLongestPauseSeconds) {
        m_until = until;
    }
}

void BreakPause::Start(int minutes) {
    const CalendarTime now = m_clock.Now();
    LocalMinute end = m_clock.ToLocal(now + CalendarTime(minutes) * 60);
    if (minutes == kUntilMorning) {
        end = m_clock.ToLocal(now);
        end.day += 1;
        end.hour = kMorningHour;
        end.minute = 0;
    } else if (m_clock.FromLocal(end) < now + CalendarTime(minutes) * 60) {
        end.minute += 1;  // the pause lasts at least what was asked
    }
    m_until = m_clock.FromLocal(end);
    // A folder that cannot be written still gets its pause, for as long as the program runs.
    WriteSetting(config::kPauseUntil, Format(m_clock.ToLocal(*m_until)), m_configPath);
}

void BreakPause::End() {
    m_until.reset();
    IniFile::Remove(m_configPath, config::kSection, config::kPauseUntil);
}

std::string BreakPause::Tip() const {
    if (!m_until) {
        return std::string(tray_text::kTip);
    }
    const LocalMinute end = m_clock.ToLocal(*m_until);
    char time[16];
    std::snprintf(time, sizeof time, "%02d:%02d", end.hour, end.minute);
    return std::string("已暂停，") + time + " 继续";
}

}  // namespace velunor
