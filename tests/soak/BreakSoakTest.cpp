// A hundred thousand breaks through the real scheduler, countdown, renderer and playlist, on a
// seeded clock that stalls, jumps back and sleeps: every break ends on time and work resumes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <string_view>

#include "app/AppStartup.h"
#include "app/BreakEffects.h"
#include "app/BreakScheduler.h"
#include "app/ProgramPaths.h"
#include "app/StartupHost.h"
#include "music/BreakPlaylist.h"
#include "render/BreakRenderer.h"
#include "support/FakeClock.h"
#include "support/FakeMediaPlayer.h"
#include "support/RecordingCanvas.h"
#include "support/TempFolder.h"

namespace velunor {
namespace {

constexpr long long kBreaks = 100'000;

// Notes only the last text written and what is disposed of: a record of millions of frames would
// be the biggest cost of the run.
class LastTextCanvas : public test::RecordingCanvas {
public:
    LastTextCanvas() : RecordingCanvas(1920, 1080) {}
    void DrawPicture(const Picture&, Rect, Rect) override {}
    void DrawText(const Font&, Color, int, int, std::string_view text) override {
        lastText.assign(text);
    }
    void Present() override {}

    std::string lastText;
};

// The main window, wired to the real renderer and playlist, its frame timer a flag; and a sound
// device that plays nothing.
class BreakSoak : public ::testing::Test, public StartupHost, public BreakEffects, SoundDevice {
protected:
    int Open() override { return 1; }
    void Close() override {}
    void InitializeRenderer() override {
        renderer.Initialize(canvas);
        playlist.PrepareAtStartup();
    }
    void StartScheduleTimer() override {}
    void RunFirstRunSettings() override {}
    void AddTrayIcon() override {}
    void StartBreakMusic() override { playlist.StartBreakMusic(); }
    void StopBreakMusic() override { playlist.EndBreakMusic(); }
    void ShowBreakScreen() override { frameTimer = true, ++shown; }
    void HideBreakScreen() override { frameTimer = false, ++hidden; }
    void ArmCountdown() override { renderer.ArmCountdown(); }

    test::TempFolder folder;
    ProgramPaths paths = ProgramPaths::FromExecutable(folder.Folder() + "velunor", "velunor");
    test::FakeClock clock;
    AppSettings settings;
    test::FakeMediaPlayer player;
    BreakPlaylist playlist{player, paths};
    LastTextCanvas canvas;
    BreakRenderer renderer{settings, clock, *this, [this] { scheduler.EndBreak(); }};
    BreakScheduler scheduler{settings, clock, *this};
    bool frameTimer = false;
    long long shown = 0, hidden = 0;
};

TEST_F(BreakSoak, EveryBreakEndsOnTimeAndWorkAlwaysResumes) {
    for (const char* name : {"one.mp3", "two.WMA", "three.mid", "cover.jpeg", "notes.txt"}) {
        folder.Write(std::string("Music/") + name, "");
    }
    folder.Write("config.ini", "[Option]\r\nBFirst=false\r\nSetTime=1\r\nRunTime=1\r\n");
    player.recording = false;  // a record of every call would be the one thing that grows
    RunStartup(paths, settings, scheduler, *this);

    std::mt19937_64 random{20240611};
    const auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const auto chance = [&](int perThousand) { return pick(0, 999) < perThousand; };
    // Moves the clock by steady seconds, or (odds per thousand) stalls it under a minute, sleeps
    // past a break's length for up to three days or sets it back up to two days. Returns the move.
    const auto step = [&](int steadyMin, int steadyMax, int stall, int sleep, int setBack) {
        const int roll = pick(0, 999);
        const CalendarTime move =
            roll < sleep ? std::max<CalendarTime>(settings.runTime, 1) * 60 + pick(0, 3 * 86'400)
            : roll < sleep + setBack         ? -pick(1, 2 * 86'400)
            : roll < sleep + setBack + stall ? pick(11, 59)
                                             : pick(steadyMin, steadyMax);
        clock.Advance(move);
        return move;
    };

    long long escaped = 0, endedBySettings = 0;
    bool libraryOpen = false;
    for (long long b = 1; b <= kBreaks; ++b) {
        // Schedule ticks, late under load. "steady" is the work since the interval last had to
        // start over; once it reaches the interval the break is due at that very tick.
        for (CalendarTime steady = 0; !scheduler.InBreak();) {
            if (libraryOpen ? chance(100) : chance(2)) {
                libraryOpen ? scheduler.OnLibraryClosed() : scheduler.OnLibraryOpened();
                steady = (libraryOpen = !libraryOpen) ? steady : 0;
            }
            if (chance(1)) {
                scheduler.OnSettingsSaved(pick(0, 2), pick(0, 2), 1);
                steady = 0;
            }
            const CalendarTime move = step(1, 10, 10, 5, 5);
            steady = move < 0 || move >= 60 ? 0 : steady + move;  // set back or slept
            scheduler.OnScheduleTick();
            // No break under a library dialog, otherwise one once the interval is up.
            ASSERT_TRUE(libraryOpen
                            ? !scheduler.InBreak()
                            : scheduler.InBreak() || steady < std::max(settings.setTime, 1) * 60);
        }
        ASSERT_GE(clock.Now() - settings.workStart, std::max(settings.setTime, 1) * 60)
            << "early break " << b;
        ASSERT_TRUE(frameTimer && player.playing) << "break " << b;
        // The first break also plays the start-up playlist.
        ASSERT_EQ(player.Current().items.size(), b == 1 ? 6u : 3u) << "break " << b;

        // Frames, ten per tick: the countdown ends the break at exactly the frame where the clock
        // has gone forward by the break's length (a set back counts nothing), unless Escape or a
        // saved setting ends it first.
        const CalendarTime length = CalendarTime{settings.runTime} * 60;
        for (CalendarTime forward = 0, frame = 0;;
             ++frame, forward += std::max<CalendarTime>(step(0, 4, 10, 3, 10), 0)) {
            if (frame % 10 == 9) {
                scheduler.OnScheduleTick();
            }
            if (const int roll = pick(0, 999); roll < 21) {  // Escape or a saved setting
                roll < 20 ? scheduler.EndBreak()
                          : scheduler.OnSettingsSaved(pick(0, 2), pick(0, 2), 1);
                ++(roll < 20 ? escaped : endedBySettings);
                break;
            }
            ASSERT_TRUE(frameTimer) << "frames stopped in break " << b;
            renderer.RenderFrame();
            const CalendarTime left = std::max<CalendarTime>(length - forward, 0);
            char text[32];
            std::snprintf(text, sizeof text, "00:%02d:%02d", int(left / 60), int(left % 60));
            ASSERT_EQ(canvas.lastText, text) << "frame " << frame << " of break " << b;
            ASSERT_EQ(scheduler.InBreak(), left > 0) << "frame " << frame << " of break " << b;
            if (left == 0) {
                break;
            }
        }
        ASSERT_FALSE(scheduler.InBreak() || frameTimer || hidden != shown) << "break " << b;
        ASSERT_EQ(settings.workStart, clock.Now()) << "the interval did not restart";
        ASSERT_FALSE(player.playing || !player.Current().items.empty()) << "music after break";
    }
    renderer.Shutdown();
    // Both pictures and the clock font, once each.
    EXPECT_EQ(canvas.Calls(test::CanvasCall::Kind::Released).size(), 3u);
    // The walk reaches every way a break ends, many times over.
    EXPECT_GT(kBreaks - escaped - endedBySettings, kBreaks / 4);  // counted down
    EXPECT_GT(escaped, kBreaks / 20);
    EXPECT_GT(endedBySettings, 100);
}

}  // namespace
}  // namespace velunor
