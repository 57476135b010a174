#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "MainWindow.h"
#include "QtCanvas.h"
#include "QtMediaPlayer.h"
#include "QtSoundDevice.h"
#include "platform/qt/dialogs/XdgAutostartStore.h"
#include "support/TempFolder.h"

namespace velunor {
namespace {

class ManualClock : public Clock {
public:
    CalendarTime Now() const override { return m_now; }
    void Advance(CalendarTime seconds) { m_now += seconds; }

private:
    CalendarTime m_now = 1'800'000'000;
};

// The program's objects as the application object wires them, on a program folder of its own.
class MainWindowTest : public testing::Test {
protected:
    MainWindowTest()
        : m_paths(ProgramPaths::FromExecutable(m_folder.File("velunor"), "velunor")),
          m_renderer(m_settings, m_clock, m_sound, [this] { m_window.OnCountdownEnded(); }),
          m_playlist(m_player, m_paths),
          m_autostart(QString::fromStdString(m_folder.File("autostart"))),
          m_window(m_settings, m_clock, m_paths, m_renderer, m_playlist, m_player, m_autostart) {}

    void Start(const std::string& config = "") {
        if (!config.empty()) {
            m_folder.Write("config.ini", config);
        }
        m_window.Start();
    }

    void StartBreak() {
        m_window.Scheduler().EnterBreak();
        ASSERT_TRUE(m_window.Scheduler().InBreak());
    }

    // Frames are painted only once the window system has shown the window.
    void StartBreakAndWaitForTheScreen() {
        StartBreak();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
    }

    test::TempFolder m_folder;
    AppSettings m_settings;
    ManualClock m_clock;
    const ProgramPaths m_paths;
    QtSoundDevice m_sound;
    BreakRenderer m_renderer;
    QtMediaPlayer m_player;
    BreakPlaylist m_playlist;
    XdgAutostartStore m_autostart;
    MainWindow m_window;
};

TEST_F(MainWindowTest, StartsHiddenWithTheTrayIconAndWritesNoConfig) {
    Start();
    EXPECT_FALSE(m_window.isVisible());
    EXPECT_TRUE(m_window.Tray().IsShown());
    EXPECT_FALSE(m_window.IsAnimating());
    EXPECT_FALSE(m_folder.Exists("config.ini"));
    EXPECT_EQ(m_settings.setTime, 10);
}

// The settings dialog of a first run is modal: what happens while it is open is looked at from
// inside its loop, and then it is closed.
TEST_F(MainWindowTest, FirstRunOpensTheSettingsAndLeavesTheIconToTheFirstTick) {
    bool iconBeforeTick = true;
    bool iconAfterTick = false;
    QString dialogTitle;
    QTimer::singleShot(0, [&] {
        QWidget* settings = QApplication::activeModalWidget();
        iconBeforeTick = m_window.Tray().IsShown();
        m_window.Scheduler().OnScheduleTick();
        iconAfterTick = m_window.Tray().IsShown();
        if (settings != nullptr) {
            dialogTitle = settings->windowTitle();
            settings->close();
        }
    });
    Start("[Option]\nBFirst=true\n");
    EXPECT_EQ(dialogTitle, QStringLiteral("设置"));
    EXPECT_FALSE(iconBeforeTick);
    EXPECT_TRUE(iconAfterTick);
}

// A second request while the dialog is open must not open a second one; one that did would be
// found and closed from inside its own loop.
TEST_F(MainWindowTest, SettingsOpenOnlyOnceAtATimeAndAgainAfterClosing) {
    Start();
    int opened = 0;
    bool secondOpened = false;
    auto requestAgainAndClose = [&] {
        QWidget* settings = QApplication::activeModalWidget();
        ASSERT_NE(settings, nullptr);
        ++opened;
        QTimer::singleShot(0, [&, settings] {
            QWidget* nested = QApplication::activeModalWidget();
            if (nested != nullptr && nested != settings) {
                secondOpened = true;
                nested->close();
            }
        });
        m_window.OpenSettings();
        settings->close();
    };
    QTimer::singleShot(0, requestAgainAndClose);
    m_window.OpenSettings();
    QTimer::singleShot(0, requestAgainAndClose);
    m_window.OpenSettings();
    QTest::qWait(50);
    EXPECT_EQ(opened, 2);
    EXPECT_FALSE(secondOpened);
}

TEST_F(MainWindowTest, BreakCoversTheScreenAndAnimates) {
    Start();
    StartBreak();
    EXPECT_TRUE(m_window.isVisible());
    EXPECT_EQ(m_window.geometry(), QGuiApplication::primaryScreen()->geometry());
    EXPECT_TRUE(m_window.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(m_window.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(m_window.IsAnimating());
}

TEST_F(MainWindowTest, EscapeEndsTheBreakAndTheFrames) {
    Start();
    StartBreak();
    QTest::keyClick(&m_window, Qt::Key_Escape);
    EXPECT_FALSE(m_window.Scheduler().InBreak());
    EXPECT_FALSE(m_window.isVisible());
    EXPECT_FALSE(m_window.IsAnimating());
    EXPECT_TRUE(m_window.Tray().IsShown());
    EXPECT_EQ(m_settings.workStart, m_clock.Now());
}

TEST_F(MainWindowTest, EnterDoesNothingOnTheBreakScreen) {
    Start();
    StartBreak();
    QTest::keyClick(&m_window, Qt::Key_Return);
    QTest::keyClick(&m_window, Qt::Key_Enter);
    EXPECT_TRUE(m_window.Scheduler().InBreak());
    EXPECT_TRUE(m_window.isVisible());
}

TEST_F(MainWindowTest, CloseRequestEndsTheBreakButKeepsTheProgram) {
    Start();
    StartBreak();
    EXPECT_FALSE(m_window.close());
    EXPECT_FALSE(m_window.Scheduler().InBreak());
    EXPECT_FALSE(m_window.isVisible());
    EXPECT_TRUE(m_window.Tray().IsShown());
}

TEST_F(MainWindowTest, BreakOfNoLengthEndsWithItsFirstFrame) {
    Start("[Option]\nRunTime=0\n");
    StartBreak();
    QTRY_VERIFY_WITH_TIMEOUT(!m_window.Scheduler().InBreak(), 3000);
    EXPECT_FALSE(m_window.isVisible());
    EXPECT_FALSE(m_window.IsAnimating());
}

TEST_F(MainWindowTest, FramesCountTheBreakDownOnTheWallClock) {
    Start("[Option]\nRunTime=1\n");
    StartBreakAndWaitForTheScreen();
    m_window.repaint();
    m_clock.Advance(59);
    m_window.repaint();
    EXPECT_TRUE(m_window.Scheduler().InBreak());
    m_clock.Advance(1);
    m_window.repaint();
    EXPECT_FALSE(m_window.Scheduler().InBreak());
}

TEST_F(MainWindowTest, BreakIsDueWhenTheIntervalHasPassed) {
    Start("[Option]\nSetTime=2\n");
    m_clock.Advance(119);
    m_window.Scheduler().OnScheduleTick();
    EXPECT_FALSE(m_window.isVisible());
    m_clock.Advance(1);
    m_window.Scheduler().OnScheduleTick();
    EXPECT_TRUE(m_window.isVisible());
}

TEST_F(MainWindowTest, ScheduleTimerDrivesTheBreak) {
    Start("[Option]\nSetTime=0\n");
    EXPECT_FALSE(m_window.isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(m_window.isVisible(), 3000);
}

}  // namespace
}  // namespace velunor
