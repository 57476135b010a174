// What Windows' answers mean for the break session, and the idle time read as the session reads it.
#include <gtest/gtest.h>

#include <tuple>

#include "platform/win32/DesktopReadings.h"

namespace velunor {
namespace {

TEST(DesktopReadings, IdleSecondsSurviveTheTickCountsWrap) {
    for (const auto& [last, now, seconds] : {
             std::tuple<DWORD, DWORD, std::int64_t>{5000, 65999, 60},  // whole seconds only
             {0xFFFFFC18, 4000, 5},  // input a second before the wrap, now four after
             {1, 0, 4294967},        // the longest the count can tell: 49.7 days
         }) {
        EXPECT_EQ(IdleSecondsBetween(last, now), seconds) << last << " " << now;
    }
}

TEST(DesktopReadings, OnlyAnotherProgramFullScreenOrPresentingHoldsABreakBack) {
    for (const auto& [state, ownInFront, holds] : {
             std::tuple{QUNS_BUSY, false, true},
             {QUNS_BUSY, true, false},  // Velunor's own break window, just gone
             {QUNS_RUNNING_D3D_FULL_SCREEN, true, true},
             {QUNS_PRESENTATION_MODE, true, true},
             {QUNS_QUIET_TIME, false, false},
             {QUNS_ACCEPTS_NOTIFICATIONS, false, false},
         }) {
        EXPECT_EQ(HoldsBreakBack(state, ownInFront), holds) << state << " " << ownInFront;
    }
}

// The real last input: it grows while nothing happens and drops when input comes.
TEST(DesktopReadings, IdleSecondsGrowUntilInputComes) {
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dwFlags = MOUSEEVENTF_MOVE;
    ASSERT_EQ(SendInput(1, &move, sizeof(move)), 1u);
    Sleep(2100);
    EXPECT_EQ(ReadIdleSeconds(), 2);
    ASSERT_EQ(SendInput(1, &move, sizeof(move)), 1u);
    Sleep(100);
    EXPECT_EQ(ReadIdleSeconds(), 0);
}

}  // namespace
}  // namespace velunor
