#include "MainWindow.h"

#include <QBackingStore>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QUrl>

#include "AboutDialog.h"
#include "BuiltInResources.h"
#include "MusicInfoDialog.h"
#include "Screens.h"
#include "platform/qt/dialogs/SettingsDialog.h"

namespace velunor {
namespace {
constexpr int kScheduleMs = 1000;
constexpr int kFrameMs = 100;
}  // namespace

MainWindow::MainWindow(const Clock& clock, const ProgramPaths& paths, SoundDevice& sound,
                       MediaPlayer& player, AutostartStore& autostart)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_covers(*this, m_display),
      m_keyboard(*this, m_display),
      m_tray(m_display, this),
      m_waylandKeyboard(m_display),
      m_idleTime(m_display),
      m_fullScreen(m_display),
      m_paths(paths),
      m_player(player),
      m_autostart(autostart),
      m_session(clock, paths, sound, player, *this) {
    // Every paint covers what it repaints from the back buffer, so Qt need not erase it first;
    // erasing is what would make it flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setWindowTitle(QStringLiteral("Velunor"));
    setWindowIcon(BuiltInResources::ProgramIcon());
    setFocusPolicy(Qt::StrongFocus);

    m_scheduleTimer.setInterval(kScheduleMs);
    connect(&m_scheduleTimer, &QTimer::timeout, this, [this] { m_session.OnScheduleTick(); });
    m_frameTimer.setInterval(kFrameMs);
    connect(&m_frameTimer, &QTimer::timeout, this, [this] { m_session.OnFrameTick(); });
    connect(&m_covers, &MonitorCovers::layoutChanged, this, &MainWindow::FollowPrimaryMonitor);
    ConnectTray();
    WatchAway();
}

void MainWindow::ConnectTray() {
    connect(&m_tray, &TrayIcon::activated, this, [this] { m_session.OpenSettings(); });
    connect(&m_tray, &TrayIcon::settingsChosen, this, [this] { m_session.OpenSettings(); });
    connect(&m_tray, &TrayIcon::helpChosen, this, [this] { m_session.OpenHelp(); });
    connect(&m_tray, &TrayIcon::aboutChosen, this, [this] { m_session.OpenAbout(); });
    connect(&m_tray, &TrayIcon::exitChosen, this, [this] { m_session.Exit(); });
    connect(&m_tray, &TrayIcon::pauseChosen, this,
            [this](int minutes) { m_session.Pause(minutes); });
    connect(&m_tray, &TrayIcon::resumeChosen, this, [this] { m_session.Resume(); });
    connect(&m_tray, &TrayIcon::postponeChosen, this, [this] { m_session.Postpone(); });
    connect(&m_tray, &TrayIcon::breakNowChosen, this, [this] { m_session.BreakNow(); });
}

// The desktop's answers come in the event loop, once the session has started.
void MainWindow::WatchAway() {
    connect(&m_awayWatcher, &AwayWatcher::screenSaverChanged, this,
            [this](bool active) { m_session.OnAwayChanged(AwaySource::ScreenSaver, active); });
    connect(&m_awayWatcher, &AwayWatcher::sessionLockedChanged, this,
            [this](bool locked) { m_session.OnAwayChanged(AwaySource::SessionLocked, locked); });
    m_awayWatcher.Start();
}

Canvas& MainWindow::BreakCanvas() {
    if (!m_canvas) {
        m_canvas = std::make_unique<QtCanvas>(Screens::PrimaryRect().size(),
                                              [this](const QRegion& changed) { update(changed); });
    }
    return *m_canvas;
}

void MainWindow::StartScheduleTimer() {
    m_scheduleTimer.start();
}

void MainWindow::StopTimers() {
    m_frameTimer.stop();
    m_scheduleTimer.stop();
}

void MainWindow::ShowTrayIcon() {
    m_tray.Show();
}

void MainWindow::RemoveTrayIcon() {
    m_tray.Remove();
}

// exit(), not quit(): quit() first asks every window to close, and a close request is what ends a
// break here, so it would be refused.
void MainWindow::Quit() {
    QCoreApplication::exit(0);
}

void MainWindow::RunSettingsDialog(AppSettings& settings, BreakScheduler& scheduler) {
    SettingsDialog dialog(settings, scheduler, m_autostart, m_paths, m_player);
    RunDialog(dialog);
}

void MainWindow::RunHelpDialog() {
    MusicInfoDialog dialog(
        QUrl::fromLocalFile(QString::fromStdString(m_paths.m_folder + "help.html")));
    RunDialog(dialog);
}

void MainWindow::RunAboutDialog() {
    AboutDialog dialog;
    RunDialog(dialog);
}

// The dialogs have no parent and block no other window: the tray menu and the break screen's
// Escape keep working while one is open, and the timers keep running in its loop.
void MainWindow::RunDialog(QDialog& dialog) {
    dialog.setWindowModality(Qt::WindowModal);
    dialog.exec();
}

void MainWindow::ShowNotice(std::string_view title, std::string_view text, bool offersPostpone) {
    m_tray.ShowNotice(QString::fromUtf8(title.data(), qsizetype(title.size())),
                      QString::fromUtf8(text.data(), qsizetype(text.size())), offersPostpone);
}

void MainWindow::WithdrawNotice() {
    m_tray.WithdrawNotice();
}

std::optional<std::int64_t> MainWindow::IdleSeconds() {
    return m_idleTime.Seconds();
}

bool MainWindow::OtherProgramFullScreen() {
    return m_fullScreen.OtherProgramFullScreen();
}

bool MainWindow::OtherProgramInCall() {
    return m_calls.OtherProgramInCall();
}

void MainWindow::ShowTrayState(const TrayState& state) {
    m_tray.ShowState(state);
}

// The scene fills the primary monitor as it is now, and the other monitors go black.
void MainWindow::ShowBreakWindow() {
    PlaceOnPrimaryMonitor();
    m_covers.Show();
    showFullScreen();
    raise();
    activateWindow();
    m_frameTimer.start();
}

void MainWindow::HideBreakWindow() {
    m_frameTimer.stop();
    m_covers.Hide();
    hide();
    if (m_canvas) {
        m_canvas->ReleasePixels();
    }
    // The hidden window's own screenful of pixels goes too; Qt sizes it again when it next paints.
    if (QBackingStore* store = backingStore()) {
        store->resize(QSize(1, 1));
    }
}

void MainWindow::HoldKeyboard() {
    m_keyboard.Hold();
    m_waylandKeyboard.Hold(*this);
    m_covers.HoldKeyboard(m_waylandKeyboard);
}

void MainWindow::ReleaseKeyboard() {
    m_keyboard.Release();
    m_waylandKeyboard.Release();
}

// Given the primary monitor as a screen of its own, Qt keeps the window on it even where another
// monitor spans the same pixels; the back buffer takes the monitor's size.
void MainWindow::PlaceOnPrimaryMonitor() {
    const QRect primary = Screens::PrimaryRect();
    if (QScreen* screen = Screens::Primary()) {
        setScreen(screen);
    }
    setGeometry(primary);
    BreakCanvas();
    m_canvas->Resize(primary.size());
}

// The monitors changed during a break: the covers have followed, and the scene moves to the
// primary monitor as it is now; the break goes on.
void MainWindow::FollowPrimaryMonitor() {
    if (!m_session.InBreak() || geometry() == Screens::PrimaryRect()) {
        return;
    }
    setWindowState(Qt::WindowNoState);  // a window manager moves no full-screen window
    // Nor does a Wayland compositor move a shown window at all: it is shown anew, with a new
    // surface, which the keyboard hold has to follow.
    const bool reshow = m_display.OnWayland() && screen() != Screens::Primary();
    if (reshow) {
        hide();
    }
    PlaceOnPrimaryMonitor();
    showFullScreen();
    if (reshow && m_waylandKeyboard.Holding()) {
        ReleaseKeyboard();
        HoldKeyboard();
    }
    raise();
    m_session.OnFrameTick();
    update();
}

void MainWindow::paintEvent(QPaintEvent* event) {
    if (m_canvas) {
        QPainter painter(this);
        m_canvas->PaintOnto(painter, event->region());
    }
}

// Under the grab no key can be passed on: only Escape, which ends the break, tells apart. The
// covers' keys come here too.
void MainWindow::keyPressEvent(QKeyEvent* event) {
    m_session.OnBreakKey(event->key() == Qt::Key_Escape ? BreakKey::Escape : BreakKey::Other);
    event->accept();
}

// Only 退出 ends the program; a close request from the desktop, here or on a cover, ends the
// break, like Escape.
void MainWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    m_session.OnCloseRequest();
}

}  // namespace velunor
