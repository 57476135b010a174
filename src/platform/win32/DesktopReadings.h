#pragma once

// clang-format off
#include <windows.h>
#include <shellapi.h>  // after windows.h, whose types it uses
// clang-format on

#include <cstdint>
#include <optional>

#include "platform/win32/DesktopState.h"
#include "session/AwaySource.h"

namespace velunor {

// What Windows' own answers mean for the break session, apart from the calls that fetch them.

// Whole seconds from the last input to now, both tick counts of GetTickCount. The count wraps to
// zero after 49.7 days; as 32-bit unsigned values the difference stays right across the wrap. The
// last input's tick is not sure to lag behind now (SendInput brings its own): one a little ahead
// would read as 49.7 days away, so a difference beyond half the count's range is no idle time.
std::int64_t IdleSecondsBetween(DWORD lastInputTick, DWORD nowTick);

// Whether another program holds a due break back: one full-screen or presenting, as the shell's
// notification state tells, or a window in front of a higher integrity level than Velunor's. Over
// such a window the break could not have the keyboard (Windows keeps its keys from a lower level),
// so it waits as for a full-screen program and comes once that window is no longer in front.
// Quiet time (the first hour after an upgrade or a new account) holds nothing back, or a fresh
// system would get no breaks at all. "Busy" while Velunor's own window is in front is Velunor's
// break window itself, which Windows may still count for a moment after the break.
bool OtherProgramHoldsBreakBack(const DesktopState& desktop);

struct AwayChange {
    AwaySource source;
    bool active;
};

// A WM_WTSSESSION_CHANGE code as a change of being away, or nothing for codes that are none.
// A session is attached to one terminal at a time, so a Remote Desktop connect means the user is
// back (remotely), as a console connect does; either disconnect means nobody is at the session.
std::optional<AwayChange> AwayChangeOfSession(WPARAM code);

// The idle time now, as the break session asks for it.
std::optional<std::int64_t> ReadIdleSeconds();

}  // namespace velunor
