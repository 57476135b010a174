#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "AwayWatcher.h"
#include "CameraWatch.h"
#include "ForegroundSwitch.h"
#include "GdiCanvas.h"
#include "KeyboardHook.h"
#include "LiveDesktopState.h"
#include "MonitorCovers.h"
#include "TrayIcon.h"
#include "base/Clock.h"
#include "base/ProgramPaths.h"
#include "music/MediaPlayer.h"
#include "music/SoundDevice.h"
#include "session/BreakSession.h"
#include "session/Desktop.h"
#include "settings/AutostartStore.h"

namespace velunor {

// The break screen, and the desktop of the break session: the tray icon and its menu, the two
// timers, the covers of the other monitors. Between breaks the window is hidden (never
// minimised, and a tool window, so it never shows up in a taskbar); during a break it covers the
// primary monitor above everything else and has the keyboard.
class MainWindow : public Desktop {
public:
    // The keyboard hook asks for the end of the break with this message.
    static constexpr UINT kEndBreakMessage = WM_APP + 2;

    // windowClass names this program folder's Velunor, so that a second start finds it.
    MainWindow(const Clock& clock, const ProgramPaths& paths, SoundDevice& sound,
               MediaPlayer& player, AutostartStore& autostart, const std::wstring& windowClass);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND Handle() const { return m_window; }
    BreakSession& Session() { return m_session; }

    // Tray icon and notice balloons by Shell_NotifyIconW; window timers; the message loop's end.
    void ShowTrayIcon() override;
    void RemoveTrayIcon() override;
    void ShowNotice(std::string_view title, std::string_view text, bool offersPostpone) override;
    void ShowTrayState(const TrayState& state) override;
    void WithdrawNotice() override;
    void StartScheduleTimer() override;
    void StopTimers() override;
    void Quit() override;
    // A topmost popup on a DIB back buffer, black covers elsewhere, a low-level keyboard hook and
    // the foreground taken and given back.
    Canvas& BreakCanvas() override;
    void ShowBreakWindow() override;
    void HideBreakWindow() override;
    void HoldKeyboard() override;
    void ReleaseKeyboard() override;
    // Dialogs from the .rc templates, each with a message loop of its own.
    void RunSettingsDialog(AppSettings& settings, BreakScheduler& scheduler) override;
    void RunHelpDialog() override;
    void RunAboutDialog() override;
    // GetLastInputInfo; SHQueryUserNotificationState, and a window run as administrator in front,
    // which would keep the keyboard from the break as surely as a full-screen program the screen;
    // Core Audio's capture sessions and Media Foundation's camera reports.
    std::optional<std::int64_t> IdleSeconds() override;
    bool OtherProgramFullScreen() override;
    bool OtherProgramInCall() override;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnTrayNotify(UINT mouseMessage);
    void OnCommand(int id);
    LRESULT AnswerRemoteRequest(const COPYDATASTRUCT& data);
    void OnPaint();
    void CoverScreens();

    UINT m_trayRestartedMessage;
    HWND m_window = nullptr;
    std::unique_ptr<TrayIcon> m_tray;
    std::unique_ptr<AwayWatcher> m_away;
    std::unique_ptr<KeyboardHook> m_keyboardHook;
    LiveDesktopState m_desktopState;
    ForegroundSwitch m_foreground{m_desktopState};
    std::unique_ptr<GdiCanvas> m_canvas;
    CameraWatch m_camera;
    TrayState m_trayState;
    bool m_noticeOffersPostpone = false;
    MonitorCovers m_covers;
    const ProgramPaths& m_paths;
    MediaPlayer& m_player;
    AutostartStore& m_autostart;
    // Last: its renderer lets go of the pictures and font it made on the canvas (and GDI+ with
    // it) before the canvas goes.
    BreakSession m_session;
};

}  // namespace velunor
