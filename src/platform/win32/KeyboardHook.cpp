#include "KeyboardHook.h"

namespace velunor {

KeyboardHook* KeyboardHook::s_running = nullptr;

KeyboardHook::KeyboardHook(HWND window, UINT endBreakMessage)
    : m_window(window),
      m_endBreakMessage(endBreakMessage),
      m_ready(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

KeyboardHook::~KeyboardHook() {
    Stop();
}

void KeyboardHook::Start() {
    if (m_thread || !m_ready) {
        return;
    }
    ResetEvent(m_ready.get());
    s_running = this;
    m_thread.reset(CreateThread(nullptr, 0, Run, this, 0, &m_threadId));
    if (!m_thread) {
        s_running = nullptr;
        return;
    }
    // The thread ends at once when the hook cannot be set.
    const HANDLE waits[] = {m_ready.get(), m_thread.get()};
    WaitForMultipleObjects(2, waits, FALSE, INFINITE);
}

void KeyboardHook::Stop() {
    if (!m_thread) {
        return;
    }
    PostThreadMessageW(m_threadId, WM_QUIT, 0, 0);
    WaitForSingleObject(m_thread.get(), INFINITE);
    m_thread.reset();
    s_running = nullptr;
}

// The queue is made before the hook is set and the start is told, so that Stop's WM_QUIT always
// has somewhere to go. The hook's calls arrive inside GetMessageW.
DWORD WINAPI KeyboardHook::Run(void* self) {
    MSG message;
    PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, Procedure, GetModuleHandleW(nullptr), 0);
    SetEvent(static_cast<KeyboardHook*>(self)->m_ready.get());
    if (hook == nullptr) {
        return 1;
    }
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchMessageW(&message);
    }
    UnhookWindowsHookEx(hook);
    return 0;
}

BreakKey KeyboardHook::KeyOf(DWORD virtualKey) {
    switch (virtualKey) {
        case VK_ESCAPE:
            return BreakKey::Escape;
        case VK_VOLUME_MUTE:
        case VK_VOLUME_DOWN:
        case VK_VOLUME_UP:
        case VK_MEDIA_NEXT_TRACK:
        case VK_MEDIA_PREV_TRACK:
        case VK_MEDIA_STOP:
        case VK_MEDIA_PLAY_PAUSE:
            return BreakKey::VolumeOrMedia;
        default:
            return BreakKey::Other;
    }
}

// Only presses are the rule's: a release types nothing, and a swallowed release would leave
// Windows taking a key let go during the break (Shift, say) as still held down after it.
LRESULT CALLBACK KeyboardHook::Procedure(int code, WPARAM wParam, LPARAM lParam) {
    const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    if (code != HC_ACTION || s_running == nullptr || (key->flags & LLKHF_UP) != 0) {
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    switch (DecideBreakKey(KeyOf(key->vkCode))) {
        case KeyAction::Pass:
            return CallNextHookEx(nullptr, code, wParam, lParam);
        case KeyAction::EndBreak:
            PostMessageW(s_running->m_window, s_running->m_endBreakMessage, 0, 0);
            return 1;
        case KeyAction::Swallow:
            break;
    }
    return 1;
}

}  // namespace velunor
