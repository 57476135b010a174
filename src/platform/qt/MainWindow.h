#pragma once

#include <QTimer>
#include <QWidget>
#include <memory>

#include "AwayWatcher.h"
#include "CallDetector.h"
#include "DisplayServer.h"
#include "FullScreenDetector.h"
#include "InputIdleTime.h"
#include "KeyboardGrab.h"
#include "MonitorCovers.h"
#include "QtCanvas.h"
#include "TrayIcon.h"
#include "WaylandKeyboard.h"
#include "base/Clock.h"
#include "base/ProgramPaths.h"
#include "music/MediaPlayer.h"
#include "music/SoundDevice.h"
#include "session/BreakSession.h"
#include "session/Desktop.h"
#include "settings/AutostartStore.h"

class QDialog;

namespace velunor {

// The break screen, and the desktop of the break session: the tray icon and its menu, the two
// timers, the covers of the other monitors. Between breaks the window is hidden (never
// minimised, so it never shows up in a taskbar); during a break it covers the primary monitor
// above everything else.
class MainWindow : public QWidget, public Desktop {
    Q_OBJECT

public:
    MainWindow(const Clock& clock, const ProgramPaths& paths, SoundDevice& sound,
               MediaPlayer& player, AutostartStore& autostart);

    BreakSession& Session() { return m_session; }

    // The break: this window full-screen with the back buffer, covers on the other monitors, the
    // keyboard grabbed at the X server or the compositor's shortcuts inhibited on Wayland.
    Canvas& BreakCanvas() override;
    void ShowBreakWindow() override;
    void HideBreakWindow() override;
    void HoldKeyboard() override;
    void ReleaseKeyboard() override;
    // QTimers, the tray (XEmbed or StatusNotifierItem) and the desktop's notification service.
    void StartScheduleTimer() override;
    void StopTimers() override;
    void ShowTrayIcon() override;
    void RemoveTrayIcon() override;
    void ShowNotice(std::string_view title, std::string_view text, bool offersPostpone) override;
    void ShowTrayState(const TrayState& state) override;
    void WithdrawNotice() override;
    // Dialogs in nested event loops; the end of the main one.
    void RunSettingsDialog(AppSettings& settings, BreakScheduler& scheduler) override;
    void RunHelpDialog() override;
    void RunAboutDialog() override;
    void Quit() override;
    // From the X server's screen-saver extension (or GNOME's idle monitor), the window manager,
    // the sound server and the open files of the user's programs.
    std::optional<std::int64_t> IdleSeconds() override;
    bool OtherProgramFullScreen() override;
    bool OtherProgramInCall() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    static void RunDialog(QDialog& dialog);
    void ConnectTray();
    void WatchAway();
    void PlaceOnPrimaryMonitor();
    void FollowPrimaryMonitor();

    const DisplayServer m_display;  // first: the parts below take what they need of it
    std::unique_ptr<QtCanvas> m_canvas;
    MonitorCovers m_covers;
    KeyboardGrab m_keyboard;
    TrayIcon m_tray;
    WaylandKeyboard m_waylandKeyboard;
    QTimer m_scheduleTimer;
    QTimer m_frameTimer;
    AwayWatcher m_awayWatcher;
    InputIdleTime m_idleTime;
    FullScreenDetector m_fullScreen;
    CallDetector m_calls;
    const ProgramPaths& m_paths;
    MediaPlayer& m_player;
    AutostartStore& m_autostart;
    // Last: its renderer lets go of the pictures it made on the canvas before the canvas goes.
    BreakSession m_session;
};

}  // namespace velunor
