#include "KeyboardHook.h"

namespace velunor {

KeyboardHook* KeyboardHook::s_set = nullptr;

KeyboardHook::KeyboardHook(HWND window, UINT endBreakMessage)
    : m_window(window), m_endBreakMessage(endBreakMessage) {}

KeyboardHook::~KeyboardHook() {
    Remove();
}

void KeyboardHook::Set() {
    if (m_hook != nullptr) {
        return;
    }
    m_hook = SetWindowsHookExW(WH_KEYBOARD_LL, Procedure, GetModuleHandleW(nullptr), 0);
    if (m_hook != nullptr) {
        s_set = this;
    }
}

void KeyboardHook::Remove() {
    if (m_hook == nullptr) {
        return;
    }
    UnhookWindowsHookEx(m_hook);
    m_hook = nullptr;
    s_set = nullptr;
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
    if (code != HC_ACTION || s_set == nullptr || (key->flags & LLKHF_UP) != 0) {
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    switch (DecideBreakKey(KeyOf(key->vkCode))) {
        case KeyAction::Pass:
            return CallNextHookEx(nullptr, code, wParam, lParam);
        case KeyAction::EndBreak:
            PostMessageW(s_set->m_window, s_set->m_endBreakMessage, 0, 0);
            return 1;
        case KeyAction::Swallow:
            break;
    }
    return 1;
}

}  // namespace velunor
