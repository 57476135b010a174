#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/BreakScheduler.h"
#include "support/FakeClock.h"
#include "support/RecordingBreakEffects.h"

namespace velunor {
namespace {

class Schedule : public ::testing::Test {
protected:
    Schedule() {
        settings.setTime = 10;
        settings.runTime = 1;
        scheduler.StartWork();
    }
    // One tick a second for the given number of seconds; true when a break started.
    bool WorkFor(int seconds) {
        for (int i = 0; i < seconds; ++i) {
            clock.Advance(1);
            scheduler.OnScheduleTick();
            if (scheduler.InBreak()) {
                return true;
            }
        }
        return false;
    }

    AppSettings settings;
    test::FakeClock clock;
    test::RecordingBreakEffects effects;
    BreakScheduler scheduler{settings, clock, effects};
};

TEST_F(Schedule, BreakStartsAtTheFirstTickWhenTheIntervalHasPassed) {
    EXPECT_FALSE(WorkFor(599));  // 9:59 of work
    EXPECT_EQ(effects.calls.back(), "tray");
    effects.calls.clear();
    EXPECT_TRUE(WorkFor(1));
    EXPECT_EQ(effects.calls, (std::vector<std::string>{"music on", "show"}));
    // While the break shows, the schedule does nothing.
    effects.calls.clear();
    WorkFor(120);
    EXPECT_TRUE(effects.calls.empty());
}

TEST_F(Schedule, EndingABreakRestoresWorkAndCountsTheNextIntervalFromThen) {
    ASSERT_TRUE(WorkFor(600));
    clock.Advance(30);
    effects.calls.clear();
    scheduler.EndBreak();
    EXPECT_FALSE(scheduler.InBreak());
    EXPECT_EQ(effects.calls, (std::vector<std::string>{"music off", "hide", "tray", "arm"}));
    EXPECT_EQ(settings.workStart, clock.Now());
    scheduler.EndBreak();  // a second Escape changes nothing
    EXPECT_EQ(effects.calls.size(), 4u);
    EXPECT_FALSE(WorkFor(599));
    EXPECT_TRUE(WorkFor(1));
}

TEST_F(Schedule, LongIntervalsZeroAndNegative) {
    settings.setTime = 90;  // an hour and more works: whole minutes count, not the minute part
    EXPECT_FALSE(WorkFor(90 * 60 - 1));
    EXPECT_TRUE(WorkFor(1));
    scheduler.EndBreak();

    settings.setTime = 0;  // a break at every tick
    EXPECT_TRUE(WorkFor(1));
    scheduler.EndBreak();
    EXPECT_TRUE(WorkFor(1));
    scheduler.EndBreak();

    settings.setTime = -5;  // never
    EXPECT_FALSE(WorkFor(5 * 3600));
}

TEST_F(Schedule, ClockSetBackRestartsTheIntervalFromNow) {
    EXPECT_FALSE(WorkFor(300));
    clock.Advance(-3600);
    EXPECT_FALSE(WorkFor(1));
    EXPECT_EQ(settings.workStart, clock.Now());
    EXPECT_FALSE(WorkFor(599));
    EXPECT_TRUE(WorkFor(1));
}

TEST_F(Schedule, ASleepAsLongAsABreakCountsAsOne) {
    settings.runTime = 5;
    EXPECT_FALSE(WorkFor(180));
    clock.Advance(10 * 60);  // slept from minute 3 to minute 13
    EXPECT_FALSE(WorkFor(1));
    EXPECT_EQ(settings.workStart, clock.Now());
    EXPECT_FALSE(WorkFor(599));
    EXPECT_TRUE(WorkFor(1));
}

TEST_F(Schedule, AShortPauseInTheTicksKeepsTheInterval) {
    settings.runTime = 5;
    EXPECT_FALSE(WorkFor(180));
    clock.Advance(4 * 60);  // shorter than a break: the time still counts as work
    EXPECT_FALSE(WorkFor(1));
    EXPECT_FALSE(WorkFor(178));
    EXPECT_TRUE(WorkFor(1));
}

TEST_F(Schedule, ASleepLongerThanTheIntervalBringsNoBreakOnWaking) {
    settings.runTime = 0;  // still at least a minute's gap is needed
    EXPECT_FALSE(WorkFor(60));
    clock.Advance(59);
    EXPECT_FALSE(WorkFor(1));
    clock.Advance(2 * 3600);
    EXPECT_FALSE(WorkFor(1));
    EXPECT_EQ(settings.workStart, clock.Now());
}

TEST_F(Schedule, AnOpenLibraryHoldsBreaksBackAndItsCloseRestartsTheInterval) {
    scheduler.OnLibraryOpened();
    EXPECT_FALSE(WorkFor(3 * 3600));
    clock.Advance(7);
    scheduler.OnLibraryClosed();
    EXPECT_EQ(settings.workStart, clock.Now());
    EXPECT_FALSE(WorkFor(599));
    EXPECT_TRUE(WorkFor(1));
}

TEST_F(Schedule, SavingSettingsDuringABreakEndsItAndStartsTheNewInterval) {
    ASSERT_TRUE(WorkFor(600));
    effects.calls.clear();
    scheduler.OnSettingsSaved(2, 3, 0);
    EXPECT_FALSE(scheduler.InBreak());
    EXPECT_EQ(effects.calls, (std::vector<std::string>{"music off", "hide", "tray", "arm"}));
    EXPECT_EQ(settings.setTime, 2);
    EXPECT_EQ(settings.runTime, 3);
    EXPECT_EQ(settings.autoStart, 0);
    EXPECT_FALSE(WorkFor(119));
    EXPECT_TRUE(WorkFor(1));
}

TEST_F(Schedule, SavingSettingsBetweenBreaksOnlyRestartsTheInterval) {
    EXPECT_FALSE(WorkFor(500));
    effects.calls.clear();
    scheduler.OnSettingsSaved(10, 1, 1);
    EXPECT_TRUE(effects.calls.empty());
    EXPECT_FALSE(WorkFor(599));
    EXPECT_TRUE(WorkFor(1));
}

}  // namespace
}  // namespace velunor
