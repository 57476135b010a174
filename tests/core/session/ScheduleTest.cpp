// The work/break schedule and start-up.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "support/ProgramState.h"

namespace velunor {
namespace {

using Texts = std::vector<std::string>;

class Schedule : public ::testing::Test, protected test::ProgramState {
protected:
    Schedule() {
        settings.setTime = 10;
        settings.runTime = 1;
        scheduler.StartWork();
    }
    // One tick a second until a break starts or the seconds are up; true when a break shows.
    bool WorkFor(int seconds) {
        for (int i = 0; i < seconds && !scheduler.InBreak(); ++i) {
            clock.Advance(1);
            scheduler.OnScheduleTick();
        }
        return scheduler.InBreak();
    }
};

TEST_F(Schedule, ABreakComesAtTheFirstTickOnceTheIntervalHasPassed) {
    for (const auto& [setTime, seconds] : {std::pair{10, 600}, {90, 5400}, {0, 60}, {-5, 0}}) {
        settings.setTime = setTime;
        scheduler.StartWork();
        for (int interval = 0; interval < 2; ++interval) {  // from the start, then from a break
            EXPECT_FALSE(WorkFor(seconds > 0 ? seconds - 1 : 5 * 3600)) << setTime;
            EXPECT_EQ(WorkFor(1), seconds > 0) << setTime;
            scheduler.EndBreak();
        }
    }
}

// A gap in the ticks as long as a break, and at least a minute, is a sleep: the interval starts
// again. So does a clock set back behind the interval's start.
TEST_F(Schedule, ASleepOrAClockSetBackRestartsTheIntervalAndAShortPauseDoesNot) {
    for (const auto& [runTime, gap, restarts] : {std::tuple{5, 299, false},
                                                 {5, 300, true},
                                                 {0, 59, false},
                                                 {-1, 60, true},
                                                 {1, -10, false},
                                                 {1, -3600, true}}) {
        settings.runTime = runTime;
        scheduler.StartWork();
        const CalendarTime started = clock.Now();
        EXPECT_FALSE(WorkFor(180));
        clock.Advance(gap - 1);
        EXPECT_FALSE(WorkFor(1));
        EXPECT_EQ(settings.workStart, restarts ? clock.Now() : started) << runTime << " " << gap;
    }
    // A sleep at once after a break ends is noticed at the first tick too.
    settings.setTime = 0;
    ASSERT_TRUE(WorkFor(60));
    scheduler.EndBreak();
    settings.setTime = 10;
    clock.Advance(9 * 60);
    EXPECT_FALSE(WorkFor(1));
    EXPECT_EQ(settings.workStart, clock.Now());
}

TEST_F(Schedule, AnOpenLibraryOrSavedSettingsHoldTheBreakBackAndRestartTheInterval) {
    scheduler.OnLibraryOpened();
    EXPECT_FALSE(WorkFor(3 * 3600));
    scheduler.OnLibraryClosed();
    EXPECT_EQ(settings.workStart, clock.Now());
    EXPECT_FALSE(WorkFor(500));
    scheduler.OnSettingsSaved(10, 1, 1);  // between breaks: the interval starts again
    EXPECT_EQ(settings.workStart, clock.Now());
    EXPECT_TRUE(WorkFor(600));

    effects.calls.clear();
    scheduler.OnSettingsSaved(2, 3, 0);  // during a break, which ends first
    EXPECT_EQ(effects.calls, (Texts{"music off", "hide", "tray", "arm"}));
    EXPECT_EQ(
        std::tuple(settings.setTime, settings.runTime, settings.autoStart, settings.workStart),
        std::tuple(2, 3, 0, clock.Now()));
    EXPECT_FALSE(WorkFor(119));
    EXPECT_TRUE(WorkFor(1));
}

}  // namespace
}  // namespace velunor
