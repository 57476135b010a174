#pragma once

#include <windows.h>

#include <array>
#include <functional>

#include "session/AwaySource.h"

namespace velunor {

// Learns from Windows when the user is away from the screen: the session locked or disconnected
// (user switching, Remote Desktop), the screen saver running, the monitor switched off. Each
// source is reported when it changes, on the thread of the window that receives the messages.
class AwayWatcher {
public:
    using Report = std::function<void(AwaySource source, bool active)>;

    AwayWatcher(HWND window, Report report);
    ~AwayWatcher();
    AwayWatcher(const AwayWatcher&) = delete;
    AwayWatcher& operator=(const AwayWatcher&) = delete;

    // A message of the window; true when it was one of the watcher's.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // The schedule's second: Windows sends nothing when a screen saver starts or stops, so it is
    // asked when the caller says it matters, and every second while one runs.
    void OnTick(bool screenSaverMatters);

private:
    void RegisterForSessionChanges();
    void Set(AwaySource source, bool active);

    HWND m_window;
    Report m_report;
    bool m_sessionRegistered = false;
    HPOWERNOTIFY m_displayNotify = nullptr;
    std::array<bool, std::size_t(AwaySource::Count)> m_active{};
};

}  // namespace velunor
