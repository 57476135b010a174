#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "ForegroundSwitch.h"
#include "GdiCanvas.h"
#include "KeyboardHook.h"
#include "MonitorCovers.h"
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
#include "render/SoundDevice.h"
#include "settings/AutostartStore.h"

namespace velunor {

// The break screen, and the owner of what the break schedule drives: the tray icon and its menu,
// the two timers, the music. Between breaks the window is hidden (never minimised, and a tool
// window, so it never shows up in a taskbar); during a break it covers the primary monitor above
// everything else and has the keyboard.
class MainWindow : public StartupHost, public BreakEffects {
public:
    // A second start of the same program folder asks for the settings with this message.
    static constexpr UINT kOpenSettingsMessage = WM_APP + 1;
    // The keyboard hook asks for the end of the break with this message.
    static constexpr UINT kEndBreakMessage = WM_APP + 2;

    // windowClass names this program folder's Velunor, so that a second start finds it.
    MainWindow(AppSettings& settings, const Clock& clock, const ProgramPaths& paths,
               BreakRenderer& renderer, BreakPlaylist& playlist, MediaPlayer& player,
               AutostartStore& autostart, SoundDevice& sound, const std::wstring& windowClass);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND Handle() const { return m_window; }

    // Start-up in its fixed order, from the renderer to the tray icon.
    void Start();

    // The countdown reached zero.
    void OnCountdownEnded() { m_scheduler.EndBreak(); }

    // 退出, the end of the session or a close request between breaks: the renderer lets go of
    // its resources, the icon leaves the tray, the message loop ends.
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

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnTrayNotify(UINT mouseMessage);
    void OnCommand(int id);
    void OnPaint();
    void RenderFrame();
    void CoverScreens();

    AppSettings& m_settings;
    const ProgramPaths& m_paths;
    BreakRenderer& m_renderer;
    BreakPlaylist& m_playlist;
    MediaPlayer& m_player;
    AutostartStore& m_autostart;
    SoundDevice& m_sound;
    BreakScheduler m_scheduler;
    UINT m_trayRestartedMessage;
    HWND m_window = nullptr;
    std::unique_ptr<TrayIcon> m_tray;
    std::unique_ptr<KeyboardHook> m_keyboardHook;
    ForegroundSwitch m_foreground;
    std::unique_ptr<GdiCanvas> m_canvas;
    MonitorCovers m_covers;
    bool m_canOpenSettings = true;
    bool m_exited = false;
};

}  // namespace velunor
