#pragma once

#include <windows.h>

#include "session/BreakKeys.h"

namespace velunor {

// During a break every key belongs to the break, whichever window Windows left in the foreground:
// a low-level keyboard hook sees each key before any program does. What a key does is the core's
// rule; the hook procedure only carries it out and returns at once, because Windows silently
// removes a hook that overruns its time limit. A key that ends the break is handed to the window
// as a posted message, so the break ends outside the hook.
class KeyboardHook {
public:
    // endBreakMessage is posted to window when a key ends the break.
    KeyboardHook(HWND window, UINT endBreakMessage);
    ~KeyboardHook();
    KeyboardHook(const KeyboardHook&) = delete;
    KeyboardHook& operator=(const KeyboardHook&) = delete;

    // Both are no-ops when the hook already is as asked.
    void Set();
    void Remove();

    static BreakKey KeyOf(DWORD virtualKey);

private:
    static LRESULT CALLBACK Procedure(int code, WPARAM wParam, LPARAM lParam);

    // A low-level hook procedure is given no data of its own, so it finds the set hook here.
    static KeyboardHook* s_set;

    HWND m_window;
    UINT m_endBreakMessage;
    HHOOK m_hook = nullptr;
};

}  // namespace velunor
