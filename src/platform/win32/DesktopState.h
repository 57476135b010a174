#pragma once

#include <windows.h>
// clang-format off
#include <shellapi.h>  // after windows.h, whose types it uses
// clang-format on

#include <optional>

namespace velunor {

// What the break asks Windows about the window in front, and the calls that move the foreground:
// the seam between the front end's decisions and Windows, so that a test can stand in for it.
class DesktopState {
public:
    virtual ~DesktopState() = default;

    // The window in front, or none (while the foreground changes, or on a secure desktop).
    virtual HWND Foreground() const = 0;
    // One of Velunor's own windows.
    virtual bool IsOwn(HWND window) const = 0;
    // Its program has not taken its messages for a while (not responding).
    virtual bool IsHung(HWND window) const = 0;
    // Its process runs at a higher integrity level than Velunor's (run as administrator), or
    // cannot be asked, which comes to the same.
    virtual bool IsElevated(HWND window) const = 0;
    // Shown on the screen (a closed window is not).
    virtual bool IsShowing(HWND window) const = 0;
    // The shell's notification state: full-screen, presenting, busy; nothing when it cannot tell.
    virtual std::optional<QUERY_USER_NOTIFICATION_STATE> NotificationState() const = 0;

    virtual void SetForeground(HWND window) = 0;
    // A synthetic Alt press or release, as if typed.
    virtual void PressAlt(bool down) = 0;
};

}  // namespace velunor
