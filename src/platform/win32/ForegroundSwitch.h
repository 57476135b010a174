#pragma once

#include <windows.h>

namespace velunor {

// Moves the foreground to the break window and, when the break is over, back to the window the
// user was working in, so typing goes on where it stopped. A break starts from a timer, while the
// user types into another program, and Windows then refuses SetForegroundWindow to a background
// process (the foreground lock); this uses the ways its documentation leaves open.
class ForegroundSwitch {
public:
    // Remembers the window that has the foreground, then gives it to window.
    void Take(HWND window);
    // To the remembered window, if it still exists.
    void GiveBack();

private:
    static void Activate(HWND window);

    HWND m_previous = nullptr;
};

}  // namespace velunor
