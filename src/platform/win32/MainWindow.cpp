#include "MainWindow.h"

#include <imm.h>

#include "AboutDialog.h"
#include "MusicInfoDialog.h"
#include "ResourceIds.h"
#include "app/AppStartup.h"
#include "platform/win32/dialogs/SettingsDialog.h"

namespace velunor {
namespace {
constexpr UINT_PTR kScheduleTimer = 1;
constexpr UINT_PTR kFrameTimer = 2;
constexpr UINT kScheduleMs = 1000;
constexpr UINT kFrameMs = 100;

RECT PrimaryMonitorRect() {
    return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void RegisterWindowClass(const std::wstring& name, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hIcon = LoadIconW(windowClass.hInstance, MAKEINTRESOURCEW(IDI_PROGRAM));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = name.c_str();
    RegisterClassExW(&windowClass);
}
}  // namespace

MainWindow::MainWindow(AppSettings& settings, const Clock& clock, const ProgramPaths& paths,
                       BreakRenderer& renderer, BreakPlaylist& playlist, MediaPlayer& player,
                       AutostartStore& autostart, SoundDevice& sound,
                       const std::wstring& windowClass)
    : m_settings(settings),
      m_paths(paths),
      m_renderer(renderer),
      m_playlist(playlist),
      m_player(player),
      m_autostart(autostart),
      m_sound(sound),
      m_scheduler(settings, clock, *this),
      m_trayRestartedMessage(RegisterWindowMessageW(L"TaskbarCreated")),
      m_covers([this] { m_scheduler.EndBreak(); }) {
    RegisterWindowClass(windowClass, Procedure);
    // Hidden, 0 × 0 at the origin until a break: a tool window never has a taskbar button.
    m_window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, windowClass.c_str(), L"Velunor",
                               WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, 0, nullptr, nullptr,
                               GetModuleHandleW(nullptr), this);
    // Letters typed during a break would open an input method's composition over the scene, and
    // the first Escape would only cancel it.
    ImmAssociateContextEx(m_window, nullptr, 0);
    m_tray = std::make_unique<TrayIcon>(m_window);
    m_keyboardHook = std::make_unique<KeyboardHook>(m_window, kEndBreakMessage);
}

// The renderer's pictures and font go before the canvas that made them (and GDI+ with it).
MainWindow::~MainWindow() {
    m_renderer.Shutdown();
    m_tray.reset();
    if (m_window != nullptr) {
        DestroyWindow(m_window);
    }
}

void MainWindow::Start() {
    RunStartup(m_paths, m_settings, m_scheduler, *this);
}

void MainWindow::Exit() {
    if (m_exited) {
        return;
    }
    m_exited = true;
    KillTimer(m_window, kFrameTimer);
    KillTimer(m_window, kScheduleTimer);
    m_renderer.Shutdown();
    m_tray->Remove();
    PostQuitMessage(0);
}

void MainWindow::OpenSettings() {
    // The dialog clears the flag while it is open, so a second double-click opens no second one.
    if (!m_canOpenSettings) {
        return;
    }
    SettingsDialog dialog(m_settings, m_scheduler, m_autostart, m_paths, m_canOpenSettings,
                          m_player);
    dialog.Run(nullptr);
}

// The dialogs have no owner: the tray menu and the break screen's Escape keep working while one
// is open, and the timers keep running in its message loop.
void MainWindow::OpenHelp() {
    MusicInfoDialog dialog(m_paths.m_folder + "help.html");
    dialog.Run(nullptr);
}

void MainWindow::OpenAbout() {
    AboutDialog dialog;
    dialog.Run(nullptr);
}

void MainWindow::InitializeRenderer() {
    const RECT screen = PrimaryMonitorRect();
    m_canvas = std::make_unique<GdiCanvas>(m_window, screen.right - screen.left,
                                           screen.bottom - screen.top);
    m_renderer.Initialize(*m_canvas);
    m_sound.Close();  // until the first break
    m_playlist.PrepareAtStartup();
}

void MainWindow::StartScheduleTimer() {
    SetTimer(m_window, kScheduleTimer, kScheduleMs, nullptr);
}

void MainWindow::RunFirstRunSettings() {
    OpenSettings();
}

void MainWindow::AddTrayIcon() {
    m_tray->Show();
}

// The sound output is held while the music plays (see DirectSoundDevice).
void MainWindow::StartBreakMusic() {
    m_sound.Open();
    m_playlist.StartBreakMusic();
}

void MainWindow::StopBreakMusic() {
    m_playlist.EndBreakMusic();
    m_sound.Close();
}

void MainWindow::ShowBreakScreen() {
    CoverScreens();
    // The foreground first: the hook would swallow the synthetic key that may take it.
    m_foreground.Take(m_window);
    SetFocus(m_window);
    m_keyboardHook->Set();
    SetTimer(m_window, kFrameTimer, kFrameMs, nullptr);
    // The first frame is in the back buffer before the window is first painted: it never shows
    // an empty screen. A break of no length ends in it.
    RenderFrame();
}

// The scene on the primary monitor, black covers over the others.
void MainWindow::CoverScreens() {
    const RECT screen = PrimaryMonitorRect();
    SetWindowPos(m_window, HWND_TOPMOST, screen.left, screen.top, screen.right - screen.left,
                 screen.bottom - screen.top, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    m_covers.Show();
}

void MainWindow::HideBreakScreen() {
    KillTimer(m_window, kFrameTimer);
    m_keyboardHook->Remove();
    m_foreground.GiveBack();
    m_covers.Hide();
    SetWindowPos(m_window, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOZORDER | SWP_NOACTIVATE);
    if (m_canvas) {
        m_canvas->ReleasePixels();
    }
}

void MainWindow::ArmCountdown() {
    m_renderer.ArmCountdown();
}

// Frames are drawn on the timer; the canvas has the window paint what the frame changed.
void MainWindow::RenderFrame() {
    if (m_scheduler.InBreak()) {
        m_renderer.RenderFrame();
    }
}

void MainWindow::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_window, &paint);
    if (m_canvas) {
        m_canvas->PaintOnto(dc, paint.rcPaint);
    }
    EndPaint(m_window, &paint);
}

void MainWindow::OnTrayNotify(UINT mouseMessage) {
    if (mouseMessage == WM_LBUTTONDBLCLK) {
        OpenSettings();
    } else if (mouseMessage == WM_RBUTTONUP) {
        m_tray->ShowMenu();
    }
}

void MainWindow::OnCommand(int id) {
    switch (id) {
        case ID_TRAY_SETTINGS:
            OpenSettings();
            break;
        case ID_TRAY_HELP:
            OpenHelp();
            break;
        case ID_APP_ABOUT:
            OpenAbout();
            break;
        case ID_TRAY_EXIT:
            Exit();
            break;
        default:
            break;
    }
}

LRESULT CALLBACK MainWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        reinterpret_cast<MainWindow*>(create->lpCreateParams)->m_window = window;
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->OnMessage(message, wParam, lParam);
}

LRESULT MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (wParam == kScheduleTimer) {
                m_scheduler.OnScheduleTick();
            } else if (wParam == kFrameTimer) {
                RenderFrame();
            }
            return 0;
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // every paint covers what it repaints; erasing first would flicker
        case TrayIcon::kCallbackMessage:
            if (wParam == TrayIcon::kIconId) {
                OnTrayNotify(UINT(lParam));
                return 0;
            }
            return 1;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam));
            return 0;
        case kOpenSettingsMessage:
            OpenSettings();
            return 0;
        case kEndBreakMessage:
            m_scheduler.EndBreak();
            return 0;
        case WM_KEYDOWN:
            // Escape ends the break early. Enter does nothing: a key pressed by accident must not
            // end the program or the break.
            if (wParam == VK_ESCAPE) {
                m_scheduler.EndBreak();
            }
            return 0;
        case WM_CLOSE:
            // During a break a close request ends the break, like Escape; between breaks (the
            // window is hidden, so it comes from a program such as taskkill) it ends Velunor.
            if (m_scheduler.InBreak()) {
                m_scheduler.EndBreak();
            } else {
                Exit();
            }
            return 0;
        case WM_DISPLAYCHANGE:
            // Monitors that come, go or change during a break are covered anew.
            if (m_scheduler.InBreak()) {
                CoverScreens();
            }
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            if (wParam != FALSE) {
                Exit();
            }
            return 0;
        default:
            break;
    }
    if (message == m_trayRestartedMessage && message != 0) {
        m_tray->OnTrayRestarted();
        return 0;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

}  // namespace velunor
