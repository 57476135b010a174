#pragma once

#include <QTimer>
#include <QWidget>
#include <memory>

#include "KeyboardGrab.h"
#include "MonitorCovers.h"
#include "QtCanvas.h"
#include "TrayIcon.h"
#include "app/AppSettings.h"
#include "app/BreakEffects.h"
#include "app/BreakScheduler.h"
#include "app/Clock.h"
#include "app/ProgramPaths.h"
#include "app/StartupHost.h"
#include "music/BreakPlaylist.h"
#include "music/MediaPlayer.h"
#include "render/BreakRenderer.h"
#include "settings/AutostartStore.h"

class QDialog;

namespace velunor {

// The break screen, and the owner of what the break schedule drives: the tray icon and its menu,
// the two timers, the music. Between breaks the window is hidden (never minimised, so it never
// shows up in a taskbar); during a break it covers the primary monitor above everything else, and
// the other monitors are covered in black.
class MainWindow : public QWidget, public StartupHost, public BreakEffects {
    Q_OBJECT

public:
    MainWindow(AppSettings& settings, const Clock& clock, const ProgramPaths& paths,
               BreakRenderer& renderer, BreakPlaylist& playlist, MediaPlayer& player,
               AutostartStore& autostart);

    // Start-up in its fixed order, from the renderer to the tray icon.
    void Start();

    // The countdown reached zero.
    void OnCountdownEnded() { m_scheduler.EndBreak(); }

    // 退出: the renderer lets go of its resources, the icon leaves the tray, the program ends.
    void Exit();

    void OpenSettings();
    void OpenHelp();
    void OpenAbout();

    // StartupHost
    void InitializeRenderer() override;
    void StartScheduleTimer() override;
    void RunFirstRunSettings() override;
    // StartupHost and BreakEffects
    void AddTrayIcon() override;
    // BreakEffects
    void StartBreakMusic() override;
    void StopBreakMusic() override;
    void ShowBreakScreen() override;
    void HideBreakScreen() override;
    void ArmCountdown() override;

    TrayIcon& Tray() { return m_tray; }
    BreakScheduler& Scheduler() { return m_scheduler; }
    // Frames are requested only while a break shows; between breaks the program sleeps.
    bool IsAnimating() const { return m_frameTimer.isActive(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    static void RunDialog(QDialog& dialog);
    void RenderFrame();
    void ConnectTray();
    void PlaceOnPrimaryMonitor();
    void FollowPrimaryMonitor();

    AppSettings& m_settings;
    const ProgramPaths& m_paths;
    BreakRenderer& m_renderer;
    BreakPlaylist& m_playlist;
    MediaPlayer& m_player;
    AutostartStore& m_autostart;
    BreakScheduler m_scheduler;
    MonitorCovers m_covers;
    KeyboardGrab m_keyboard;
    std::unique_ptr<QtCanvas> m_canvas;
    TrayIcon m_tray;
    QTimer m_scheduleTimer;
    QTimer m_frameTimer;
    bool m_canOpenSettings = true;
};

}  // namespace velunor
