#pragma once

#include <windows.h>

#include "platform/win32/DesktopState.h"

namespace velunor {

// Moves the foreground to the break window and, when the break is over, back to the window the
// user was working in, so typing goes on where it stopped. A break starts from a timer, while the
// user types into another program, and Windows then refuses SetForegroundWindow to a background
// process (the foreground lock); this uses the way its documentation leaves open. It never waits
// on another program: its input is not joined to Velunor's, and a program that does not respond
// keeps the foreground (the keyboard hook still holds every key).
class ForegroundSwitch {
public:
    explicit ForegroundSwitch(DesktopState& desktop) : m_desktop(desktop) {}

    // Remembers the window that has the foreground, then gives it to window. True when window
    // still shows afterwards: messages sent to it meanwhile (a display turned off) may have ended
    // the break.
    bool Take(HWND window);
    // To the remembered window, if it still shows.
    void GiveBack();

private:
    void Activate(HWND window);

    DesktopState& m_desktop;
    HWND m_previous = nullptr;
};

}  // namespace velunor
