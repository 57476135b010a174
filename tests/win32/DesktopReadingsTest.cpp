// The idle time, as Windows' tick counts give it and as the session reads it.
#include <gtest/gtest.h>

#include <tuple>

#include "platform/win32/DesktopReadings.h"

namespace velunor {
namespace {

TEST(DesktopReadings, IdleSecondsSurviveTheWrapAndAnInputTickAheadIsNone) {
    for (const auto& [last, now, seconds] : {
             std::tuple<DWORD, DWORD, std::int64_t>{5000, 65999, 60},  // whole seconds only
             {0xFFFFFC18, 4000, 5},     // input a second before the wrap, now four after
             {0, 0x7FFFFFFF, 2147483},  // the longest it tells: 24.8 days
             {1000, 999, 0},            // an input tick a little ahead of now
             {1, 0x80000001, 0},
         }) {
        EXPECT_EQ(IdleSecondsBetween(last, now), seconds) << last << " " << now;
    }
}

// The real last input: it grows while nothing happens and drops when input comes.
TEST(DesktopReadings, IdleSecondsGrowUntilInputComes) {
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dwFlags = MOUSEEVENTF_MOVE;
    ASSERT_EQ(SendInput(1, &move, sizeof(move)), 1u);
    Sleep(2100);
    EXPECT_GE(ReadIdleSeconds().value_or(-1), 2);  // a loaded machine may sleep longer
    EXPECT_LE(ReadIdleSeconds().value_or(-1), 5);
    ASSERT_EQ(SendInput(1, &move, sizeof(move)), 1u);
    EXPECT_LE(ReadIdleSeconds().value_or(-1), 1);
}

}  // namespace
}  // namespace velunor
