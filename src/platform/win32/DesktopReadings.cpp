#include "DesktopReadings.h"

namespace velunor {

std::int64_t IdleSecondsBetween(DWORD lastInputTick, DWORD nowTick) {
    const DWORD elapsed = nowTick - lastInputTick;
    return elapsed > 0x7FFFFFFF ? 0 : elapsed / 1000;
}

namespace {

bool HoldsBreakBack(QUERY_USER_NOTIFICATION_STATE state, bool ownWindowInFront) {
    switch (state) {
        case QUNS_BUSY:
            return !ownWindowInFront;
        case QUNS_RUNNING_D3D_FULL_SCREEN:
        case QUNS_PRESENTATION_MODE:
            return true;
        default:
            return false;
    }
}

}  // namespace

bool OtherProgramHoldsBreakBack(const DesktopState& desktop) {
    const HWND front = desktop.Foreground();
    const bool own = front != nullptr && desktop.IsOwn(front);
    if (front != nullptr && !own && desktop.IsElevated(front)) {
        return true;
    }
    const auto state = desktop.NotificationState();
    return state && HoldsBreakBack(*state, own);
}

std::optional<AwayChange> AwayChangeOfSession(WPARAM code) {
    switch (code) {
        case WTS_SESSION_LOCK:
            return AwayChange{AwaySource::SessionLocked, true};
        case WTS_SESSION_UNLOCK:
            return AwayChange{AwaySource::SessionLocked, false};
        case WTS_CONSOLE_DISCONNECT:
        case WTS_REMOTE_DISCONNECT:
            return AwayChange{AwaySource::SessionDisconnected, true};
        case WTS_CONSOLE_CONNECT:
        case WTS_REMOTE_CONNECT:
            return AwayChange{AwaySource::SessionDisconnected, false};
        default:
            return std::nullopt;
    }
}

std::optional<std::int64_t> ReadIdleSeconds() {
    LASTINPUTINFO input{};
    input.cbSize = sizeof(input);
    // A desktop that has had no input since it started reports tick 0 (Wine's does): nothing is
    // known yet, rather than an idle time as long as the machine has been up.
    if (!GetLastInputInfo(&input) || input.dwTime == 0) {
        return std::nullopt;
    }
    return IdleSecondsBetween(input.dwTime, GetTickCount());
}

}  // namespace velunor
