#include "platform/win32/LiveDesktopState.h"

#include <vector>

#include "platform/win32/Handles.h"

namespace velunor {
namespace {

DWORD ProcessOf(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

// The integrity level of a process (the last part of its token's mandatory label), or nothing
// when its token cannot be read: a process of a higher level does not let a lower one open it.
std::optional<DWORD> IntegrityOf(HANDLE process) {
    HANDLE opened = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &opened)) {
        return std::nullopt;
    }
    const UniqueHandle token(opened);
    DWORD size = 0;
    GetTokenInformation(token.get(), TokenIntegrityLevel, nullptr, 0, &size);
    std::vector<BYTE> label(size);
    if (size == 0 ||
        !GetTokenInformation(token.get(), TokenIntegrityLevel, label.data(), size, &size)) {
        return std::nullopt;
    }
    const PSID sid = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(label.data())->Label.Sid;
    return *GetSidSubAuthority(sid, *GetSidSubAuthorityCount(sid) - 1);
}

}  // namespace

LiveDesktopState::LiveDesktopState() : m_ownIntegrity(IntegrityOf(GetCurrentProcess())) {}

bool LiveDesktopState::IsOwn(HWND window) const {
    return ProcessOf(window) == GetCurrentProcessId();
}

// Without Velunor's own level nothing can be compared, and nothing is held back for it.
bool LiveDesktopState::IsElevated(HWND window) const {
    if (!m_ownIntegrity) {
        return false;
    }
    const UniqueHandle process(
        OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, ProcessOf(window)));
    const auto theirs = process ? IntegrityOf(process.get()) : std::nullopt;
    return !theirs || *theirs > *m_ownIntegrity;
}

std::optional<QUERY_USER_NOTIFICATION_STATE> LiveDesktopState::NotificationState() const {
    QUERY_USER_NOTIFICATION_STATE state{};
    if (FAILED(SHQueryUserNotificationState(&state))) {
        return std::nullopt;
    }
    return state;
}

void LiveDesktopState::PressAlt(bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = VK_MENU;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof(input));
}

}  // namespace velunor
