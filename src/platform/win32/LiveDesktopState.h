#pragma once

#include <optional>

#include "platform/win32/DesktopState.h"

namespace velunor {

// The desktop state as Windows reports it now.
class LiveDesktopState : public DesktopState {
public:
    LiveDesktopState();

    HWND Foreground() const override { return GetForegroundWindow(); }
    bool IsOwn(HWND window) const override;
    bool IsHung(HWND window) const override { return IsHungAppWindow(window) != FALSE; }
    bool IsElevated(HWND window) const override;
    bool IsShowing(HWND window) const override { return IsWindowVisible(window) != FALSE; }
    std::optional<QUERY_USER_NOTIFICATION_STATE> NotificationState() const override;

    void SetForeground(HWND window) override { SetForegroundWindow(window); }
    void PressAlt(bool down) override;

private:
    std::optional<DWORD> m_ownIntegrity;  // Velunor's own level, which does not change
};

}  // namespace velunor
