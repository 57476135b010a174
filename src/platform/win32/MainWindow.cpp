#include "MainWindow.h"

#include <imm.h>

#include "AboutDialog.h"
#include "CaptureActivity.h"
#include "CommandIds.h"
#include "DesktopReadings.h"
#include "MusicInfoDialog.h"
#include "RemoteCommand.h"
#include "platform/win32/WideText.h"
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

MainWindow::MainWindow(const Clock& clock, const ProgramPaths& paths, SoundDevice& sound,
                       MediaPlayer& player, AutostartStore& autostart,
                       const std::wstring& windowClass)
    : m_trayRestartedMessage(RegisterWindowMessageW(L"TaskbarCreated")),
      m_paths(paths),
      m_player(player),
      m_autostart(autostart),
      m_session(clock, paths, sound, player, *this) {
    RegisterWindowClass(windowClass, Procedure);
    // Hidden, 0 × 0 at the origin until a break: a tool window never has a taskbar button.
    m_window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, windowClass.c_str(), L"Velunor",
                               WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, 0, nullptr, nullptr,
                               GetModuleHandleW(nullptr), this);
    // Run as administrator, the window would not get these two from Explorer and from a second
    // start, which run at the user's ordinary level.
    ChangeWindowMessageFilterEx(m_window, m_trayRestartedMessage, MSGFLT_ALLOW, nullptr);
    ChangeWindowMessageFilterEx(m_window, WM_COPYDATA, MSGFLT_ALLOW, nullptr);
    // Letters typed during a break would open an input method's composition over the scene, and
    // the first Escape would only cancel it.
    ImmAssociateContextEx(m_window, nullptr, 0);
    m_tray = std::make_unique<TrayIcon>(m_window);
    m_keyboardHook = std::make_unique<KeyboardHook>(m_window, kEndBreakMessage);
    m_away = std::make_unique<AwayWatcher>(m_window, [this](AwaySource source, bool active) {
        m_session.OnAwayChanged(source, active);
    });
}

// The watcher unregisters the window before it goes.
MainWindow::~MainWindow() {
    m_away.reset();
    m_tray.reset();
    if (m_window != nullptr) {
        DestroyWindow(m_window);
    }
}

Canvas& MainWindow::BreakCanvas() {
    if (!m_canvas) {
        const RECT screen = PrimaryMonitorRect();
        m_canvas = std::make_unique<GdiCanvas>(m_window, screen.right - screen.left,
                                               screen.bottom - screen.top);
    }
    return *m_canvas;
}

void MainWindow::StartScheduleTimer() {
    SetTimer(m_window, kScheduleTimer, kScheduleMs, nullptr);
}

void MainWindow::StopTimers() {
    KillTimer(m_window, kFrameTimer);
    KillTimer(m_window, kScheduleTimer);
}

void MainWindow::ShowTrayIcon() {
    m_tray->Show();
}

void MainWindow::RemoveTrayIcon() {
    m_tray->Remove();
}

void MainWindow::Quit() {
    PostQuitMessage(0);
}

void MainWindow::RunSettingsDialog(AppSettings& settings, BreakScheduler& scheduler) {
    SettingsDialog dialog(settings, scheduler, m_autostart, m_paths, m_player);
    dialog.Run(nullptr);
}

// The dialogs have no owner: the tray menu and the break screen's Escape keep working while one
// is open, and the timers keep running in its message loop.
void MainWindow::RunHelpDialog() {
    MusicInfoDialog dialog(m_paths.m_folder + "help.html");
    dialog.Run(nullptr);
}

void MainWindow::RunAboutDialog() {
    AboutDialog dialog;
    dialog.Run(nullptr);
}

// A balloon has no buttons: where it offers the postpone, a click on it is how, and its second
// line says so.
void MainWindow::ShowNotice(std::string_view title, std::string_view text, bool offersPostpone) {
    m_noticeOffersPostpone = offersPostpone;
    std::string shown(text);
    if (offersPostpone) {
        shown += "\n" + std::string(tray_text::kClickToPostpone);
    }
    m_tray->ShowNotice(Widen(title), Widen(shown));
}

void MainWindow::WithdrawNotice() {
    m_tray->WithdrawNotice();
}

std::optional<std::int64_t> MainWindow::IdleSeconds() {
    return ReadIdleSeconds();
}

bool MainWindow::OtherProgramFullScreen() {
    return OtherProgramHoldsBreakBack(m_desktopState);
}

// Both asked every time: the camera's answer costs nothing once its watch runs.
bool MainWindow::OtherProgramInCall() {
    const bool camera = m_camera.OtherProgramStreaming();
    return camera || OtherProgramCapturing(ReadMicrophoneUses(), GetCurrentProcessId());
}

void MainWindow::ShowTrayState(const TrayState& state) {
    m_trayState = state;
    m_tray->SetTip(Widen(state.tip));
}

void MainWindow::ShowBreakWindow() {
    CoverScreens();
    SetTimer(m_window, kFrameTimer, kFrameMs, nullptr);
}

// The foreground first: the hook would swallow the synthetic key that may take it. A break that
// ended while the foreground moved gets no hook, which would swallow the keys of the work.
void MainWindow::HoldKeyboard() {
    if (!m_foreground.Take(m_window)) {
        return;
    }
    SetFocus(m_window);
    m_keyboardHook->Start();
}

void MainWindow::ReleaseKeyboard() {
    m_keyboardHook->Stop();
    m_foreground.GiveBack();
}

// The scene on the primary monitor as it is now, black covers over the others; HoldKeyboard
// activates it, once it knows which window had the foreground. The back buffer takes the monitor's
// size of the moment (after a dock, a projector or a remote session the scene is centred on the
// new size) and the whole window is painted from it again.
void MainWindow::CoverScreens() {
    const RECT screen = PrimaryMonitorRect();
    const int width = screen.right - screen.left;
    const int height = screen.bottom - screen.top;
    SetWindowPos(m_window, HWND_TOPMOST, screen.left, screen.top, width, height,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    if (m_canvas) {
        m_canvas->Resize(width, height);
    }
    InvalidateRect(m_window, nullptr, FALSE);
    m_covers.Show(m_window);
}

void MainWindow::HideBreakWindow() {
    KillTimer(m_window, kFrameTimer);
    m_covers.Hide();
    SetWindowPos(m_window, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOZORDER | SWP_NOACTIVATE);
    if (m_canvas) {
        m_canvas->ReleasePixels();
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
        m_session.OpenSettings();
    } else if (mouseMessage == WM_RBUTTONUP) {
        m_tray->ShowMenu(m_trayState);
    } else if (mouseMessage == NIN_BALLOONUSERCLICK && m_noticeOffersPostpone) {
        m_noticeOffersPostpone = false;
        m_session.Postpone();
    }
}

void MainWindow::OnCommand(int id) {
    const int pauseChoice = id - ID_TRAY_PAUSE_FIRST;
    if (pauseChoice >= 0 && pauseChoice < int(kPauseChoices.size())) {
        m_session.Pause(kPauseChoices[std::size_t(pauseChoice)].minutes);
        return;
    }
    switch (id) {
        case ID_TRAY_RESUME:
            m_session.Resume();
            break;
        case ID_TRAY_POSTPONE:
            m_session.Postpone();
            break;
        case ID_TRAY_BREAK_NOW:
            m_session.BreakNow();
            break;
        case ID_TRAY_SETTINGS:
            m_session.OpenSettings();
            break;
        case ID_TRAY_HELP:
            m_session.OpenHelp();
            break;
        case ID_APP_ABOUT:
            m_session.OpenAbout();
            break;
        case ID_TRAY_EXIT:
            m_session.Exit();
            break;
        default:
            break;
    }
}

// Only a postpone waits for its outcome; any other request is answered before it is carried out,
// so that the sender does not wait for the settings dialog it opens to close.
LRESULT MainWindow::AnswerRemoteRequest(const COPYDATASTRUCT& data) {
    const auto request = remote_command::Received(data);
    if (!request) {
        return FALSE;
    }
    if (request->kind != RemoteRequest::Kind::Postpone) {
        ReplyMessage(remote_command::ResultOf(RequestOutcome::Done));
    }
    return remote_command::ResultOf(m_session.Perform(*request));
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
    if (m_away && m_away->OnMessage(message, wParam, lParam)) {
        return TRUE;  // what a handled power broadcast answers; session changes ignore it
    }
    switch (message) {
        case WM_TIMER:
            if (wParam == kScheduleTimer) {
                // The screen saver's state first, so that the tick sees it; asked only when it
                // can change what happens, each a round trip to the window server.
                m_away->OnTick(m_session.InBreak() || m_session.IdleTimeMatters());
                m_session.OnScheduleTick();
                m_camera.OnTickEnd();
            } else if (wParam == kFrameTimer) {
                m_session.OnFrameTick();
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
        case WM_COPYDATA:
            return AnswerRemoteRequest(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        case kEndBreakMessage:
            m_session.EndBreak();
            return 0;
        case WM_KEYDOWN:
            m_session.OnBreakKey(KeyboardHook::KeyOf(DWORD(wParam)));
            return 0;
        case WM_CLOSE:
            // Between breaks the window is hidden, so a close request comes from a program such
            // as taskkill.
            m_session.OnCloseRequest();
            return 0;
        case WM_DISPLAYCHANGE:
            // Monitors that come, go or change during a break are covered anew, and the scene
            // is drawn at once for the new size rather than at the next frame.
            if (m_session.InBreak()) {
                CoverScreens();
                m_session.OnFrameTick();
            }
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            if (wParam != FALSE) {
                m_session.Exit();
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
