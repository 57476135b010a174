#include "ForegroundSwitch.h"

namespace velunor {
namespace {

void SendAltKey(DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = VK_MENU;
    input.ki.dwFlags = flags;
    SendInput(1, &input, sizeof(input));
}

}  // namespace

void ForegroundSwitch::Take(HWND window) {
    HWND current = GetForegroundWindow();
    m_previous = current == window ? nullptr : current;
    Activate(window);
}

void ForegroundSwitch::GiveBack() {
    HWND previous = m_previous;
    m_previous = nullptr;
    if (previous != nullptr && IsWindow(previous)) {
        Activate(previous);
    }
}

// Sharing the foreground thread's input state for the call makes this thread one that may set the
// foreground. Where that is refused, a synthetic Alt press makes this process the one that
// received the last input event, which the documentation names as unlocking the call.
void ForegroundSwitch::Activate(HWND window) {
    const DWORD own = GetCurrentThreadId();
    const DWORD foreground = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
    const bool attached =
        foreground != 0 && foreground != own && AttachThreadInput(own, foreground, TRUE);
    SetForegroundWindow(window);
    if (attached) {
        AttachThreadInput(own, foreground, FALSE);
    }
    if (GetForegroundWindow() != window) {
        SendAltKey(0);
        SetForegroundWindow(window);
        SendAltKey(KEYEVENTF_KEYUP);
    }
}

}  // namespace velunor
