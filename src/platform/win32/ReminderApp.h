#pragma once

#include <memory>
#include <string>

#include "CommandIds.h"
#include "DirectSoundDevice.h"
#include "MainWindow.h"
#include "base/ProgramPaths.h"
#include "base/SystemClock.h"
#include "music/MediaPlayer.h"
#include "platform/win32/autostart/RegistryAutostartStore.h"

namespace velunor {

// The objects that live as long as the program, in the order they need each other. Made on the
// user-interface thread after COM was initialised there.
class ReminderApp {
public:
    // The program's fixed executable name, which the autostart entry stores.
    static constexpr const char* kExecutableName = "Velunor.exe";

    ReminderApp(const ProgramPaths& paths, const std::wstring& windowClass);
    ReminderApp(const ReminderApp&) = delete;
    ReminderApp& operator=(const ReminderApp&) = delete;

    void Start() { m_mainWindow.Session().Start(); }
    // --settings when no copy ran: the settings once the message loop runs, unless the first
    // run's settings are open by then.
    void OpenSettingsSoon() {
        PostMessageW(m_mainWindow.Handle(), WM_COMMAND, ID_TRAY_SETTINGS, 0);
    }

    // Runs the messages of every window of the program until 退出; returns the exit code.
    static int RunMessageLoop();

private:
    SystemClock m_clock;
    const ProgramPaths& m_paths;
    HWND m_owner = nullptr;
    DirectSoundDevice m_sound;
    std::unique_ptr<MediaPlayer> m_player;
    RegistryAutostartStore m_autostart;
    MainWindow m_mainWindow;
};

}  // namespace velunor
