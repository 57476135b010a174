#include "AwayWatcher.h"

#include <wtsapi32.h>

#include "DesktopReadings.h"

namespace velunor {
namespace {
// The display of Velunor's own session, as GUID_SESSION_DISPLAY_STATUS reports it: over Remote
// Desktop that is the remote screen, not the console's monitor. Dimmed is not away.
constexpr DWORD kDisplayOff = 0;
}  // namespace

AwayWatcher::AwayWatcher(HWND window, Report report)
    : m_window(window),
      m_report(std::move(report)),
      m_displayNotify(RegisterPowerSettingNotification(window, &GUID_SESSION_DISPLAY_STATUS,
                                                       DEVICE_NOTIFY_WINDOW_HANDLE)) {
    RegisterForSessionChanges();
}

AwayWatcher::~AwayWatcher() {
    if (m_sessionRegistered) {
        WTSUnRegisterSessionNotification(m_window);
    }
    if (m_displayNotify != nullptr) {
        UnregisterPowerSettingNotification(m_displayNotify);
    }
}

// Started at logon, Velunor can come before the session services, which then refuse the
// registration; it is asked again every second until they take it.
void AwayWatcher::RegisterForSessionChanges() {
    m_sessionRegistered = WTSRegisterSessionNotification(m_window, NOTIFY_FOR_THIS_SESSION);
}

void AwayWatcher::OnTick(bool screenSaverMatters) {
    if (!m_sessionRegistered) {
        RegisterForSessionChanges();
    }
    if (!screenSaverMatters && !m_active[std::size_t(AwaySource::ScreenSaver)]) {
        return;
    }
    BOOL running = FALSE;
    if (SystemParametersInfoW(SPI_GETSCREENSAVERRUNNING, 0, &running, 0)) {
        Set(AwaySource::ScreenSaver, running != FALSE);
    }
}

bool AwayWatcher::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_WTSSESSION_CHANGE) {
        if (const auto change = AwayChangeOfSession(wParam)) {
            Set(change->source, change->active);
        }
        return true;
    }
    if (message == WM_POWERBROADCAST && wParam == PBT_POWERSETTINGCHANGE) {
        const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam);
        if (setting != nullptr && setting->PowerSetting == GUID_SESSION_DISPLAY_STATUS &&
            setting->DataLength >= sizeof(DWORD)) {
            DWORD state = 0;
            CopyMemory(&state, setting->Data, sizeof(state));
            Set(AwaySource::DisplayOff, state == kDisplayOff);
        }
        return true;
    }
    return false;
}

void AwayWatcher::Set(AwaySource source, bool active) {
    bool& current = m_active[static_cast<std::size_t>(source)];
    if (current != active) {
        current = active;
        m_report(source, active);
    }
}

}  // namespace velunor
