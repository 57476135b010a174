// The window in front and the break: what holds a break back, how the foreground is taken.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <tuple>

#include "platform/win32/DesktopReadings.h"
#include "platform/win32/ForegroundSwitch.h"

namespace velunor {
namespace {

// Velunor's break window, the user's work, a program that does not respond, one run as admin.
const HWND kBreak = HWND(1), kWork = HWND(2), kHung = HWND(3), kAdmin = HWND(4);

// Windows as a test sets it up; the calls that move the foreground are written down in order.
struct FakeDesktop : DesktopState {
    HWND front = kWork;
    std::optional<QUERY_USER_NOTIFICATION_STATE> state = QUNS_ACCEPTS_NOTIFICATIONS;
    std::set<HWND> gone;                 // closed, or hidden
    bool breakEndsOnForeground = false;  // a message sent meanwhile ends the break
    std::string calls;

    HWND Foreground() const override { return front; }
    bool IsOwn(HWND window) const override { return window == kBreak; }
    bool IsHung(HWND window) const override { return window == kHung; }
    bool IsElevated(HWND window) const override { return window == kAdmin; }
    bool IsShowing(HWND window) const override { return !gone.contains(window); }
    std::optional<QUERY_USER_NOTIFICATION_STATE> NotificationState() const override {
        return state;
    }
    void SetForeground(HWND window) override {
        calls += "front" + std::to_string(std::intptr_t(window)) + " ";
        front = window;
        if (breakEndsOnForeground) {
            gone.insert(kBreak);
        }
    }
    void PressAlt(bool down) override { calls += down ? "alt+ " : "alt- "; }
};

// A window run as administrator holds the break back as a full-screen program does, for as long
// as it is in front (asked again each tick).
TEST(WindowInFront, AFullScreenPresentingOrElevatedProgramHoldsTheBreakBack) {
    for (const auto& [state, front, holds] : {
             std::tuple{std::optional(QUNS_BUSY), kWork, true},
             {QUNS_BUSY, kBreak, false},  // Velunor's own break window, just gone
             {QUNS_RUNNING_D3D_FULL_SCREEN, kBreak, true},
             {QUNS_PRESENTATION_MODE, kBreak, true},
             {QUNS_QUIET_TIME, kWork, false},
             {QUNS_ACCEPTS_NOTIFICATIONS, kWork, false},
             {QUNS_ACCEPTS_NOTIFICATIONS, kAdmin, true},
             {std::nullopt, kAdmin, true},
             {std::nullopt, nullptr, false},
         }) {
        FakeDesktop desktop;
        desktop.state = state;
        desktop.front = front;
        EXPECT_EQ(OtherProgramHoldsBreakBack(desktop), holds)
            << state.value_or(QUNS_NOT_PRESENT) << " " << front;
    }
}

// One SetForegroundWindow, none over a program that does not respond; the keyboard is held only
// while the break still shows afterwards. At the end the foreground goes back if that window is
// still there.
TEST(WindowInFront, TheForegroundIsTakenOnceNeverFromAHungProgramAndGivenBack) {
    for (const auto& [front, endsBreak, workGone, calls, holds] : {
             std::tuple{kWork, false, false, "alt+ front1 alt- front2 ", true},
             {kWork, false, true, "alt+ front1 alt- ", true},
             {kBreak, false, false, "front1 ", true},
             {nullptr, false, false, "front1 ", true},
             {kHung, false, false, "", true},
             {kWork, true, false, "alt+ front1 alt- front2 ", false},
         }) {
        FakeDesktop desktop;
        desktop.front = front;
        desktop.breakEndsOnForeground = endsBreak;
        ForegroundSwitch foreground(desktop);
        EXPECT_EQ(foreground.Take(kBreak), holds) << calls;
        if (workGone) {
            desktop.gone.insert(kWork);
        }
        foreground.GiveBack();
        EXPECT_EQ(desktop.calls, calls);
    }
}

}  // namespace
}  // namespace velunor
