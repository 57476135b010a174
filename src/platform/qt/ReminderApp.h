#pragma once

#include "MainWindow.h"
#include "ProcessMediaPlayer.h"
#include "QtSoundDevice.h"
#include "SingleInstance.h"
#include "UnixSignalWatcher.h"
#include "base/ProgramPaths.h"
#include "base/SystemClock.h"
#include "platform/qt/autostart/XdgAutostartStore.h"

namespace velunor {

// The objects that live as long as the program, in the order they need each other. Made after
// the QApplication, which it needs for the executable's path and the screens.
class ReminderApp {
public:
    // The program's fixed executable name, which the autostart entry stores.
    static constexpr const char* kExecutableName = "velunor";

    ReminderApp();
    ReminderApp(const ReminderApp&) = delete;
    ReminderApp& operator=(const ReminderApp&) = delete;

    // False when another copy runs from the same program folder: it has been asked to show its
    // settings, and this one should end without starting.
    bool ClaimProgramFolder() { return m_instance.Claim(); }
    void Start() { m_mainWindow.Session().Start(); }
    void OpenSettings() { m_mainWindow.Session().OpenSettings(); }

    // The name a running copy of this program folder listens under; needs only a
    // QCoreApplication.
    static QString InstanceNameOfThisExecutable();

private:
    static ProgramPaths PathsOfThisExecutable();
    static QString InstanceNameOf(const ProgramPaths& paths);

    SystemClock m_clock;
    const ProgramPaths m_paths;
    QtSoundDevice m_sound;
    ProcessMediaPlayer m_player;
    XdgAutostartStore m_autostart;
    MainWindow m_mainWindow;
    UnixSignalWatcher m_signals;
    SingleInstance m_instance;
};

}  // namespace velunor
