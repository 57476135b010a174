#include <gtest/gtest.h>

#include <string>

#include "render/Countdown.h"
#include "support/FakeClock.h"

namespace velunor {
namespace {

class BreakClock : public ::testing::Test {
protected:
    // The text a frame after the given number of seconds shows, and whether it ended the break.
    std::string After(CalendarTime seconds) {
        clock.Advance(seconds);
        ended = countdown.Step();
        return countdown.Text();
    }
    std::string StartBreak(int minutes) {
        settings.runTime = minutes;
        countdown.Arm();
        return After(0);
    }

    AppSettings settings;
    test::FakeClock clock;
    Countdown countdown{settings, clock};
    bool ended = false;
};

TEST_F(BreakClock, ATwentyMinuteBreakCountsDownSecondBySecondAndEndsAtZero) {
    EXPECT_EQ(StartBreak(20), "00:20:00");
    EXPECT_EQ(After(0), "00:20:00");  // several frames within one second
    EXPECT_EQ(After(1), "00:19:59");
    EXPECT_EQ(After(59), "00:19:00");
    EXPECT_EQ(After(1138), "00:00:02");
    EXPECT_EQ(After(1), "00:00:01");
    EXPECT_FALSE(ended);
    EXPECT_EQ(After(1), "00:00:00");
    EXPECT_TRUE(ended);

    // Ended, it is armed again: the next break starts from the full length.
    EXPECT_EQ(After(3600), "00:20:00");
    EXPECT_FALSE(ended);
}

TEST_F(BreakClock, HoursBorrowAndPrintWithAsManyDigitsAsTheyNeed) {
    EXPECT_EQ(StartBreak(90), "01:30:00");
    EXPECT_EQ(After(1), "01:29:59");
    EXPECT_EQ(After(1799), "01:00:00");
    EXPECT_EQ(After(1), "00:59:59");

    EXPECT_EQ(StartBreak(600), "10:00:00");
    EXPECT_EQ(After(1), "09:59:59");
    EXPECT_EQ(StartBreak(6005), "100:05:00");
}

TEST_F(BreakClock, ABreakOfNoLengthEndsOnItsFirstFrameAndSoDoesANegativeOne) {
    EXPECT_EQ(StartBreak(0), "00:00:00");
    EXPECT_TRUE(ended);
    EXPECT_EQ(StartBreak(-5), "00:00:00");
    EXPECT_TRUE(ended);
}

TEST_F(BreakClock, AStallTakesOffAllTheSecondsItLasted) {
    StartBreak(20);
    EXPECT_EQ(After(2), "00:19:58");
    EXPECT_EQ(After(61), "00:18:57");
    // A suspend longer than what is left ends the break in the first frame after it.
    EXPECT_EQ(After(24 * 3600), "00:00:00");
    EXPECT_TRUE(ended);
}

TEST_F(BreakClock, AClockSetBackTakesNothingOffAndCountingResumesFromTheNewTime) {
    StartBreak(20);
    EXPECT_EQ(After(5), "00:19:55");
    EXPECT_EQ(After(-3600), "00:19:55");
    EXPECT_EQ(After(1), "00:19:54");
}

TEST_F(BreakClock, ArmingMidBreakStartsTheNextFrameFromTheLengthThenSet) {
    StartBreak(20);
    After(300);
    settings.runTime = 5;
    countdown.Arm();
    EXPECT_EQ(After(0), "00:05:00");
}

}  // namespace
}  // namespace velunor
