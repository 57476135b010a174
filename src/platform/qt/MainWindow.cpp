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
#include "app/AppStartup.h"
#include "platform/qt/dialogs/SettingsDialog.h"

namespace velunor {
namespace {
constexpr int kScheduleMs = 1000;
constexpr int kFrameMs = 100;
}  // namespace

MainWindow::MainWindow(AppSettings& settings, const Clock& clock, const ProgramPaths& paths,
                       BreakRenderer& renderer, BreakPlaylist& playlist, MediaPlayer& player,
                       AutostartStore& autostart)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_settings(settings),
      m_paths(paths),
      m_renderer(renderer),
      m_playlist(playlist),
      m_player(player),
      m_autostart(autostart),
      m_scheduler(settings, clock, *this),
      m_covers([this] { m_scheduler.EndBreak(); }) {
    // Every paint covers what it repaints from the back buffer, so Qt need not erase it first;
    // erasing is what would make it flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setWindowTitle(QStringLiteral("Velunor"));
    setWindowIcon(BuiltInResources::ProgramIcon());
    setFocusPolicy(Qt::StrongFocus);

    m_scheduleTimer.setInterval(kScheduleMs);
    connect(&m_scheduleTimer, &QTimer::timeout, this, [this] { m_scheduler.OnScheduleTick(); });
    m_frameTimer.setInterval(kFrameMs);
    connect(&m_frameTimer, &QTimer::timeout, this, &MainWindow::RenderFrame);
    connect(&m_covers, &MonitorCovers::layoutChanged, this, &MainWindow::FollowPrimaryMonitor);
    ConnectTray();
}

void MainWindow::ConnectTray() {
    connect(&m_tray, &TrayIcon::activated, this, &MainWindow::OpenSettings);
    connect(&m_tray, &TrayIcon::settingsChosen, this, &MainWindow::OpenSettings);
    connect(&m_tray, &TrayIcon::helpChosen, this, &MainWindow::OpenHelp);
    connect(&m_tray, &TrayIcon::aboutChosen, this, &MainWindow::OpenAbout);
    connect(&m_tray, &TrayIcon::exitChosen, this, &MainWindow::Exit);
}

void MainWindow::Start() {
    RunStartup(m_paths, m_settings, m_scheduler, *this);
}

void MainWindow::Exit() {
    m_frameTimer.stop();
    m_scheduleTimer.stop();
    m_renderer.Shutdown();
    m_tray.Remove();
    // exit(), not quit(): quit() first asks every window to close, and a close request is what
    // ends a break here, so it would be refused.
    QCoreApplication::exit(0);
}

void MainWindow::OpenSettings() {
    // The dialog clears the flag while it is open, so a second double-click opens no second one.
    if (!m_canOpenSettings) {
        return;
    }
    SettingsDialog dialog(m_settings, m_scheduler, m_autostart, m_paths, m_canOpenSettings,
                          m_player);
    RunDialog(dialog);
}

void MainWindow::OpenHelp() {
    MusicInfoDialog dialog(
        QUrl::fromLocalFile(QString::fromStdString(m_paths.m_folder + "help.html")));
    RunDialog(dialog);
}

void MainWindow::OpenAbout() {
    AboutDialog dialog;
    RunDialog(dialog);
}

// The dialogs have no parent and block no other window: the tray menu and the break screen's
// Escape keep working while one is open, and the timers keep running in its loop.
void MainWindow::RunDialog(QDialog& dialog) {
    dialog.setWindowModality(Qt::WindowModal);
    dialog.exec();
}

void MainWindow::InitializeRenderer() {
    m_canvas = std::make_unique<QtCanvas>(MonitorCovers::PrimaryRect().size(),
                                          [this](const QRegion& changed) { update(changed); });
    m_renderer.Initialize(*m_canvas);
    m_playlist.PrepareAtStartup();
}

void MainWindow::StartScheduleTimer() {
    m_scheduleTimer.start();
}

void MainWindow::RunFirstRunSettings() {
    OpenSettings();
}

void MainWindow::AddTrayIcon() {
    m_tray.Show();
}

void MainWindow::StartBreakMusic() {
    m_playlist.StartBreakMusic();
}

void MainWindow::StopBreakMusic() {
    m_playlist.EndBreakMusic();
}

// The scene fills the primary monitor as it is now, and the other monitors go black.
void MainWindow::ShowBreakScreen() {
    PlaceOnPrimaryMonitor();
    m_covers.Show();
    showFullScreen();
    raise();
    activateWindow();
    m_frameTimer.start();
    // The first frame is in the back buffer before the window is first painted: it never shows
    // an empty screen. A break of no length ends in it.
    RenderFrame();
}

void MainWindow::HideBreakScreen() {
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

// Given the primary monitor as a screen of its own, Qt keeps the window on it even where another
// monitor spans the same pixels; the back buffer takes the monitor's size.
void MainWindow::PlaceOnPrimaryMonitor() {
    const QRect primary = MonitorCovers::PrimaryRect();
    if (QScreen* screen = MonitorCovers::PrimaryScreen()) {
        setScreen(screen);
    }
    setGeometry(primary);
    if (m_canvas) {
        m_canvas->Resize(primary.size());
    }
}

// The monitors changed during a break: the covers have followed, and the scene moves to the
// primary monitor as it is now; the break goes on.
void MainWindow::FollowPrimaryMonitor() {
    if (!m_scheduler.InBreak() || geometry() == MonitorCovers::PrimaryRect()) {
        return;
    }
    setWindowState(Qt::WindowNoState);  // a window manager moves no full-screen window
    PlaceOnPrimaryMonitor();
    showFullScreen();
    raise();
    RenderFrame();
    update();
}

// Frames are drawn on the timer, outside any paint; the canvas asks for a repaint of what the
// frame changed.
void MainWindow::RenderFrame() {
    if (m_scheduler.InBreak()) {
        m_renderer.RenderFrame();
    }
}

void MainWindow::ArmCountdown() {
    m_renderer.ArmCountdown();
}

void MainWindow::paintEvent(QPaintEvent* event) {
    if (m_canvas) {
        QPainter painter(this);
        m_canvas->PaintOnto(painter, event->region());
    }
}

// Escape ends the break early. Enter does nothing: a key pressed by accident must not end the
// program or the break.
void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        m_scheduler.EndBreak();
    }
    event->accept();
}

// Only 退出 ends the program; a close request from the desktop ends the break, like Escape.
void MainWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    m_scheduler.EndBreak();
}

}  // namespace velunor
