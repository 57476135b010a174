// One running Velunor: start-up, the break's actions, and when a break waits for the user.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "session/BreakSession.h"
#include "support/FakeClock.h"
#include "support/FakeDesktop.h"
#include "support/FakeMediaPlayer.h"
#include "support/TempFolder.h"

namespace velunor {
namespace {

using Texts = std::vector<std::string>;

class Session : public ::testing::Test {
protected:
    Session() { Start("[Option]\nSetTime=1\nRunTime=2\n"); }

    void Start(const std::string& config) {
        session.reset();
        desktop.calls.clear();
        folder.Write("config.ini", config);
        session = std::make_unique<BreakSession>(clock, paths, sound, player, desktop);
        session->Start();
    }
    // One tick a second until a break starts or the seconds are up; true when a break shows. A
    // still user's idle time grows with the ticks.
    bool WorkFor(int seconds) {
        for (int i = 0; i < seconds && !session->InBreak(); ++i) {
            clock.Advance(1);
            if (still && desktop.idle) {
                ++*desktop.idle;
            }
            session->OnScheduleTick();
        }
        return session->InBreak();
    }
    void Away(AwaySource source, bool active) { session->OnAwayChanged(source, active); }
    // 保存设置 in the settings dialog, as its presenter applies a save.
    void SaveSettings(int setTime, int runTime) {
        desktop.settingsDialog = [&] { desktop.scheduler->OnSettingsSaved(setTime, runTime, 0); };
        session->OpenSettings();
        desktop.settingsDialog = nullptr;
    }

    test::TempFolder folder;
    ProgramPaths paths = ProgramPaths::FromExecutable(folder.Folder() + "velunor", "velunor");
    test::FakeClock clock;
    test::NoSound sound;
    test::FakeMediaPlayer player;
    test::FakeDesktop desktop;
    std::unique_ptr<BreakSession> session;
    bool still = false;
};

// Start-up reads config.ini without writing it and starts the interval; only a first run (BFirst
// exactly "true") opens the settings instead of adding the icon.
TEST_F(Session, StartUpReadsTheFileWritesNothingAndOpensTheSettingsOnlyOnAFirstRun) {
    for (const auto& [config, firstRun, firstBreak] :
         {std::tuple{"", false, 600},
          {"[Option]\nBFirst=TRUE\n", false, 600},
          {"[Option]\nBFirst=true\nSetTime=0\n", true, 60}}) {
        Start(config);
        EXPECT_EQ(desktop.calls == Texts{"settings"}, firstRun) << config;
        EXPECT_EQ(folder.Read("config.ini"), config);
        EXPECT_FALSE(WorkFor(firstBreak - 1));
        EXPECT_TRUE(WorkFor(1));
    }
}

// Letters are swallowed and the volume keys pass; however the break ends, its music stops and the
// keyboard goes back.
TEST_F(Session, EveryWayABreakEndsStopsItsMusicAndGivesTheKeyboardBack) {
    const std::vector<std::pair<std::string, std::function<void()>>> ends{
        {"countdown", [&] { clock.Advance(120), session->OnFrameTick(); }},
        {"Escape", [&] { session->OnBreakKey(BreakKey::Escape); }},
        {"cover", [&] { session->EndBreak(); }},
        {"close", [&] { session->OnCloseRequest(); }},
        {"lock",
         [&] { Away(AwaySource::SessionLocked, true), Away(AwaySource::SessionLocked, false); }},
        {"save", [&] { SaveSettings(1, 2); }},
        {"exit", [&] { session->Exit(); }}};
    for (const auto& [name, end] : ends) {
        desktop.calls.clear();
        ASSERT_TRUE(WorkFor(60)) << name;
        EXPECT_TRUE(player.playing && sound.open);
        clock.Advance(119);
        session->OnFrameTick();
        EXPECT_EQ(std::pair(session->OnBreakKey(BreakKey::Other),
                            session->OnBreakKey(BreakKey::VolumeOrMedia)),
                  std::pair(KeyAction::Swallow, KeyAction::Pass));
        ASSERT_TRUE(session->InBreak());
        end();
        EXPECT_FALSE(session->InBreak() || player.playing || sound.open) << name;
        std::erase(desktop.calls, "settings");
        EXPECT_EQ(Texts(desktop.calls.begin(), desktop.calls.begin() + 4),
                  (Texts{"show", "hold keys", "release keys", "hide"}))
            << name;
    }
    EXPECT_EQ(Texts(desktop.calls.end() - 2, desktop.calls.end()), (Texts{"stop timers", "quit"}));
}

// A lock as long as a break (two minutes here) restarts the interval when it ends; after a shorter
// one a break that fell due meanwhile comes at once. Every source must be clear.
TEST_F(Session, NoBreakWhileLockedAndALockAsLongAsABreakCountsAsOne) {
    EXPECT_FALSE(WorkFor(10));
    Away(AwaySource::ScreenSaver, true);
    EXPECT_FALSE(WorkFor(120));
    Away(AwaySource::ScreenSaver, false);
    EXPECT_FALSE(WorkFor(59));
    EXPECT_TRUE(WorkFor(1));
    session->EndBreak();

    EXPECT_FALSE(WorkFor(50));
    Away(AwaySource::SessionLocked, true);
    EXPECT_FALSE(WorkFor(60));
    Away(AwaySource::SessionLocked, false);
    EXPECT_TRUE(WorkFor(1));
    session->EndBreak();

    Away(AwaySource::DisplayOff, true);
    Away(AwaySource::SessionDisconnected, true);
    Away(AwaySource::DisplayOff, false);
    EXPECT_FALSE(WorkFor(200));
    clock.Advance(-3600);  // a clock set back during the lock restarts the interval all the same
    Away(AwaySource::SessionDisconnected, false);
    EXPECT_FALSE(WorkFor(60));
    EXPECT_TRUE(WorkFor(1));
}

// Five minutes without input between breaks is time away: a due break waits, and the first input
// starts a new interval. Stillness during a break is the break's own and counts for nothing.
TEST_F(Session, AnAwayUserGetsNoBreakAndTheTimeAwayCountsAsOne) {
    Start("[Option]\nSetTime=10\nRunTime=2\n");
    desktop.idle = 0;
    still = true;
    EXPECT_FALSE(WorkFor(900));
    clock.Advance(-3600);  // nor does a clock set back while away bring one
    EXPECT_FALSE(WorkFor(100));
    still = false;
    desktop.idle = 0;
    EXPECT_FALSE(WorkFor(600));
    EXPECT_TRUE(WorkFor(1));

    still = true;  // the user sits still through the break and after it
    for (int second = 0; second <= 120; ++second, clock.Advance(1), ++*desktop.idle) {
        session->OnFrameTick();
    }
    EXPECT_FALSE(session->InBreak());  // the countdown ended it
    SaveSettings(4, 2);
    EXPECT_TRUE(WorkFor(240));  // 360 s still, but only 240 s of them since the break
}

// Between breaks the idle time is asked at most once a minute, yet five minutes away in the middle
// of an interval still restart it.
TEST_F(Session, AQuietHourAsksTheIdleTimeOnceAMinuteAndStillSeesTheUserAway) {
    Start("[Option]\nSetTime=90\nRunTime=2\n");
    desktop.idle = 0;
    EXPECT_FALSE(WorkFor(3600));
    EXPECT_LE(desktop.idleReads, 61);
    still = true;
    EXPECT_FALSE(WorkFor(330));
    still = false;
    desktop.idle = 0;
    EXPECT_FALSE(WorkFor(90 * 60));
    EXPECT_TRUE(WorkFor(1));
}

// The notice comes half a minute before each break, once, and is withdrawn when the break comes or
// is held back; a full-screen program holds a due break back, and the break comes at the first
// tick after it, without a notice.
TEST_F(Session, ANoticeHalfAMinuteAheadAndNoBreakOverAFullScreenProgram) {
    EXPECT_FALSE(WorkFor(29));
    EXPECT_EQ(desktop.notices, Texts{});
    EXPECT_FALSE(WorkFor(30));
    EXPECT_EQ(desktop.notices, Texts{"Velunor: 30秒后开始休息"});
    EXPECT_TRUE(WorkFor(1));
    EXPECT_EQ(desktop.withdrawn, 1);
    session->EndBreak();

    desktop.fullScreen = true;
    EXPECT_FALSE(WorkFor(120));
    desktop.fullScreen = false;
    EXPECT_TRUE(WorkFor(1));
    session->EndBreak();
    EXPECT_EQ(desktop.notices.size(), 1u);

    EXPECT_FALSE(WorkFor(15));  // a short lock leaves less than half a minute: at once
    Away(AwaySource::SessionLocked, true);
    EXPECT_FALSE(WorkFor(30));
    Away(AwaySource::SessionLocked, false);
    EXPECT_FALSE(WorkFor(1));
    Away(AwaySource::SessionLocked, true);
    EXPECT_FALSE(WorkFor(2));
    EXPECT_EQ(desktop.notices, (Texts{"Velunor: 30秒后开始休息", "Velunor: 14秒后开始休息"}));
    EXPECT_EQ(desktop.withdrawn, 2);
}

// A pause holds breaks and notices; the break that fell due under it comes half a minute after it,
// with its notice. The pause's end is kept in config.ini while it runs.
TEST_F(Session, APauseHoldsBreaksAndNoticesUntilItEnds) {
    session->Pause(30);  // at 22:13:20, so until 22:44
    EXPECT_EQ(std::pair(desktop.tray.tip, desktop.tray.paused),
              std::pair(std::string("已暂停，22:44 继续"), true));
    EXPECT_EQ(folder.Read("config.ini"),
              "[Option]\nSetTime=1\nRunTime=2\nPauseUntil=2023-11-14 22:44\n");
    EXPECT_FALSE(WorkFor(1839));
    EXPECT_EQ(desktop.notices, Texts{});
    EXPECT_FALSE(WorkFor(1));
    EXPECT_EQ(desktop.notices, Texts{"Velunor: 30秒后开始休息"});
    EXPECT_FALSE(desktop.tray.paused);
    EXPECT_EQ(folder.Read("config.ini"), "[Option]\nSetTime=1\nRunTime=2\n");
    EXPECT_FALSE(WorkFor(29));
    EXPECT_TRUE(WorkFor(1));
    session->EndBreak();

    session->Pause(kUntilMorning);
    EXPECT_EQ(desktop.tray.tip, "已暂停，06:00 继续");
    EXPECT_FALSE(WorkFor(120));
    session->Resume();
    EXPECT_EQ(desktop.tray, (TrayState{"双击激活Velunor", false, true, true}));
    EXPECT_TRUE(WorkFor(30));
}

// A pause outlasts a restart; one that has passed leaves the file, and a value that is no time or
// lies beyond any pause is ignored and left for the user to see.
TEST_F(Session, APauseIsReadBackAfterARestartAndAStrayValueNeverPauses) {
    for (const auto& [value, paused, kept] : {std::tuple{"2023-11-14 23:00", true, true},
                                              {"2023-11-14 22:00", false, false},
                                              {"tomorrow", false, true},
                                              {"2023-11-14 25:00", false, true},
                                              {"2030-01-01 00:00", false, true}}) {
        const std::string config = std::string("[Option]\nSetTime=1\nPauseUntil=") + value + "\n";
        Start(config);
        EXPECT_EQ(desktop.tray.paused, paused) << value;
        EXPECT_EQ(folder.Read("config.ini"), kept ? config : "[Option]\nSetTime=1\n") << value;
        EXPECT_EQ(WorkFor(60), !paused) << value;
    }
}

// 推迟5分钟 moves the coming break and its notice; a fourth in a row is refused, and after a break
// the count starts again. A break further away than five minutes stays where it is.
TEST_F(Session, APostponeMovesTheBreakAndItsNoticeThreeTimesInARow) {
    EXPECT_FALSE(WorkFor(30));
    EXPECT_TRUE(session->Postpone());
    EXPECT_EQ(desktop.withdrawn, 1);
    EXPECT_FALSE(WorkFor(270));
    EXPECT_EQ(desktop.notices, (Texts(2, "Velunor: 30秒后开始休息")));
    EXPECT_TRUE(session->Postpone());
    EXPECT_FALSE(WorkFor(10));
    EXPECT_TRUE(session->Postpone());
    EXPECT_FALSE(session->Postpone() || desktop.tray.canPostpone);
    EXPECT_FALSE(WorkFor(299));
    EXPECT_TRUE(WorkFor(1));
    EXPECT_FALSE(session->Postpone());  // during the break: Escape ends it
    session->EndBreak();
    EXPECT_TRUE(desktop.tray.canPostpone && session->Postpone());

    SaveSettings(20, 2);
    EXPECT_TRUE(session->Postpone());
    EXPECT_FALSE(WorkFor(20 * 60 - 1));
    EXPECT_TRUE(WorkFor(1));
}

// 现在休息 starts a break with its music at once; a call holds a due break and its notice as a
// full-screen program does, and the break comes at the first tick after.
TEST_F(Session, ABreakNowAndNoBreakDuringACall) {
    session->BreakNow();
    EXPECT_TRUE(session->InBreak() && player.playing);
    session->EndBreak();

    desktop.inCall = true;
    EXPECT_FALSE(WorkFor(120));
    desktop.inCall = false;
    EXPECT_TRUE(WorkFor(1));
    EXPECT_EQ(desktop.notices, Texts{});
}

// A double-click on the tray icon or a second start while the dialog is open opens no second one.
TEST_F(Session, TheSettingsOpenOnceAtATime) {
    int depth = 0;
    desktop.settingsDialog = [&] {
        if (++depth == 1) {
            session->OpenSettings();
        }
    };
    session->OpenSettings();
    session->OpenSettings();
    EXPECT_EQ(desktop.calls, Texts(2, "settings"));
}

}  // namespace
}  // namespace velunor
