#pragma once

#include <windows.h>

#include "platform/win32/Handles.h"
#include "session/BreakKeys.h"

namespace velunor {

// During a break every key belongs to the break, whichever window Windows left in the foreground:
// a low-level keyboard hook sees each key before any program does. What a key does is the core's
// rule; the hook procedure only carries it out and returns at once. Windows calls the hook through
// the message loop of the thread that set it and silently removes a hook that overruns its time
// limit, so the hook has a thread of its own, which does nothing else while a break shows, rather
// than the window's thread, which builds music graphs and answers the shell. A key that ends the
// break is handed to the window as a posted message, so the break ends on the window's thread.
class KeyboardHook {
public:
    // endBreakMessage is posted to window when a key ends the break.
    KeyboardHook(HWND window, UINT endBreakMessage);
    ~KeyboardHook();
    KeyboardHook(const KeyboardHook&) = delete;
    KeyboardHook& operator=(const KeyboardHook&) = delete;

    // Starts the hook's thread and returns once the hook is set; a no-op while it runs.
    void Start();
    // Ends the thread, and the hook with it; a no-op when none runs.
    void Stop();

    static BreakKey KeyOf(DWORD virtualKey);

private:
    static DWORD WINAPI Run(void* self);
    static LRESULT CALLBACK Procedure(int code, WPARAM wParam, LPARAM lParam);

    // A low-level hook procedure is given no data of its own, so it finds the running hook here.
    // Set before the thread starts and cleared after it ended.
    static KeyboardHook* s_running;

    HWND m_window;
    UINT m_endBreakMessage;
    UniqueHandle m_ready;  // set by the thread once its hook is in place
    UniqueHandle m_thread;
    DWORD m_threadId = 0;
};

}  // namespace velunor
