#include "platform/win32/ForegroundSwitch.h"

namespace velunor {

bool ForegroundSwitch::Take(HWND window) {
    const HWND current = m_desktop.Foreground();
    m_previous = current == window ? nullptr : current;
    Activate(window);
    return m_desktop.IsShowing(window);
}

void ForegroundSwitch::GiveBack() {
    const HWND previous = m_previous;
    m_previous = nullptr;
    if (previous != nullptr && m_desktop.IsShowing(previous)) {
        Activate(previous);
    }
}

// One SetForegroundWindow. With another program in front, a synthetic Alt press first makes
// Velunor the process that received the last input event, which the documentation names as
// unlocking the call. A program that does not respond is left alone: Windows would deactivate it
// by a message it does not take.
void ForegroundSwitch::Activate(HWND window) {
    const HWND front = m_desktop.Foreground();
    if (front != nullptr && m_desktop.IsHung(front)) {
        return;
    }
    const bool other = front != nullptr && !m_desktop.IsOwn(front);
    if (other) {
        m_desktop.PressAlt(true);
    }
    m_desktop.SetForeground(window);
    if (other) {
        m_desktop.PressAlt(false);
    }
}

}  // namespace velunor
