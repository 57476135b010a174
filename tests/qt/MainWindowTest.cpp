#include <gtest/gtest.h>

#include <QApplication>
#include <QDesktopServices>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "MainWindow.h"
#include "ProcessMediaPlayer.h"
#include "QtSoundDevice.h"
#include "support/FakeAutostartStore.h"
#include "support/FakeClock.h"
#include "support/TempFolder.h"

namespace velunor {
namespace {

// Stands in for the browser: file addresses handed to the method named are recorded; a name that
// is no method makes opening fail.
class UrlRecorder : public QObject {
    Q_OBJECT

public:
    explicit UrlRecorder(const char* method) {
        QDesktopServices::setUrlHandler(QStringLiteral("file"), this, method);
    }
    ~UrlRecorder() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    Q_INVOKABLE void Open(const QUrl& url) { opened << url; }

    QList<QUrl> opened;
};

// Runs action on the modal dialog that the next call opens, as soon as it shows.
void InNextModal(std::function<void(QWidget&)> action) {
    QTimer::singleShot(0, [action = std::move(action)] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        action(*modal);
    });
}

// The program's objects as the application object wires them, on a program folder of its own.
class MainWindowTest : public testing::Test {
protected:
    MainWindowTest()
        : m_paths(ProgramPaths::FromExecutable(m_folder.File("velunor"), "velunor")),
          m_window(m_clock, m_paths, m_sound, m_player, m_autostart) {}

    QAction* TrayItem(int position) {
        return m_window.findChild<TrayIcon*>()->Menu().actions().at(position);
    }

    test::TempFolder m_folder;
    test::FakeClock m_clock;
    const ProgramPaths m_paths;
    QtSoundDevice m_sound;
    ProcessMediaPlayer m_player;
    test::FakeAutostartStore m_autostart;
    MainWindow m_window;
};

// Enter keeps a break; a close request ends it. Escape and the countdown's end are the end-to-end
// scenarios': the break window goes on Escape, and every soak break ends on its first frame.
TEST_F(MainWindowTest, ScheduledBreaksCoverTheScreenUntilACloseRequestEndsThem) {
    m_folder.Write("config.ini", "[Option]\nSetTime=0\nRunTime=2\n");
    m_window.Session().Start();
    m_clock.Advance(60);  // an interval of 0 counts as a minute
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_window.isVisible(); }, 3000));  // the timer's
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
    EXPECT_TRUE(m_window.isFullScreen());
    EXPECT_TRUE(m_window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QTest::keyClick(&m_window, Qt::Key_Return);
    QTest::keyClick(&m_window, Qt::Key_Enter);
    QTest::keyClick(&m_window, Qt::Key_A);
    QTest::qWait(150);  // a frame
    EXPECT_TRUE(m_window.Session().InBreak());
    EXPECT_FALSE(m_window.close());
    EXPECT_FALSE(m_window.Session().InBreak());
    EXPECT_FALSE(m_window.isVisible() || m_window.isMinimized());
}

TEST_F(MainWindowTest, HelpsTechSupportOpensTheHelpPageAndClosesEvenWhenOpeningFails) {
    const QUrl page = QUrl::fromLocalFile(QString::fromStdString(m_folder.File("help.html")));
    for (const char* method : {"Open", "NoSuchMethod"}) {
        UrlRecorder browser(method);
        bool closed = false;
        InNextModal([&](QWidget& help) {
            for (auto* button : help.findChildren<QPushButton*>()) {
                if (button->text() == QStringLiteral("技术支持")) {
                    QTest::mouseClick(button, Qt::LeftButton);
                }
            }
            closed = !help.isVisible();
            help.close();
        });
        TrayItem(6)->trigger();  // 帮助, after the four that steer the breaks and a line
        EXPECT_TRUE(closed) << method;
        EXPECT_EQ(browser.opened,
                  method == std::string("Open") ? QList<QUrl>{page} : QList<QUrl>{});
    }
}

}  // namespace
}  // namespace velunor

#include "MainWindowTest.moc"
