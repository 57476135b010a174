// A hundred thousand breaks through the real schedule, countdown, renderer and playlist, on a
// clock that runs unevenly, jumps back and sleeps. What must never happen: a break that does not
// end, a work interval that does not restart, a break that is late or early, a playlist that
// grows from one break to the next.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <string>

#include "ClockWalker.h"
#include "SimulatedFrontEnd.h"
#include "app/AppStartup.h"
#include "app/BreakScheduler.h"
#include "app/ProgramPaths.h"
#include "music/BreakPlaylist.h"
#include "render/BreakRenderer.h"
#include "support/CountingCanvas.h"
#include "support/FakeClock.h"
#include "support/FakeMediaPlayer.h"
#include "support/TempFolder.h"

namespace velunor {
namespace {

using test::ClockWalker;

constexpr long long kBreaks = 100'000;
// Far beyond anything the walk below needs: only a break or interval that never ends gets here.
constexpr int kStuckAfterSteps = 100'000;
constexpr int kMusicFiles = 3;
constexpr int kTicksPerFrame = 10;  // the schedule ticks once a second, frames come every 100 ms

// Between two schedule ticks the clock moves one to ten seconds (ticks come late under load).
constexpr ClockWalker::Pace kWorkPace{1, 10, 10, 5, 5};
// Between two frames it mostly stands or moves a few seconds (the clock has whole seconds).
constexpr ClockWalker::Pace kFramePace{0, 4, 10, 3, 10};
constexpr int kEscapeOdds = 20;        // per thousand frames
constexpr int kSettingsSavedOdds = 1;  // per thousand frames or ticks
constexpr int kLibraryOpenOdds = 2;    // per thousand ticks
constexpr int kLibraryCloseOdds = 100;

class SilentSound : public SoundDevice {
public:
    int Open() override { return 1; }
    void Close() override {}
};

struct SoakCounts {
    long long countedDown = 0;
    long long escaped = 0;
    long long endedBySettings = 0;
    long long frames = 0;
    int longestBreakFrames = 0;
    int longestWorkTicks = 0;
    double longestBreakSeconds = 0;
};

class BreakSoak : public ::testing::Test {
protected:
    BreakSoak() {
        for (const char* name : {"one.mp3", "two.WMA", "three.mid", "cover.jpeg", "notes.txt"}) {
            m_folder.Write(std::string("Music/") + name, "");
        }
        m_folder.Write("config.ini", "[Option]\r\nBFirst=false\r\nSetTime=1\r\nRunTime=1\r\n");
        m_player.recording = false;  // a record of every call would be the one thing that grows
        m_schedulerForRenderer = &m_scheduler;
    }

    void Start() {
        RunStartup(m_paths, m_settings, m_scheduler, m_frontEnd);
        ASSERT_TRUE(m_frontEnd.scheduleTimer);
        ASSERT_TRUE(m_frontEnd.trayIcon);
        ASSERT_EQ(m_settings.setTime, 1);
        ASSERT_EQ(m_settings.runTime, 1);
    }

    CalendarTime Now() const { return m_clock.Now(); }
    CalendarTime IntervalSeconds() const { return CalendarTime{m_settings.setTime} * 60; }
    // The shortest gap between ticks that the schedule takes for the machine having slept.
    CalendarTime SleepAtLeast() const { return std::max<CalendarTime>(m_settings.runTime, 1) * 60; }

    void SaveNewSettings() {
        m_scheduler.OnSettingsSaved(m_walker.Pick(0, 2), m_walker.Pick(0, 2), 1);
    }

    bool WorkUntilBreak();
    bool TickAtWork(CalendarTime& steady);
    bool CheckBreakStarted();
    bool RunBreak();
    bool BreakFrame(int frame, CalendarTime forward, CalendarTime length, bool& ended);
    bool CheckBreakEnded();

    test::TempFolder m_folder;
    ProgramPaths m_paths = ProgramPaths::FromExecutable(m_folder.Folder() + "velunor", "velunor");
    test::FakeClock m_clock;
    std::mt19937_64 m_random{20240611};
    ClockWalker m_walker{m_clock, m_random};
    AppSettings m_settings;
    test::FakeMediaPlayer m_player;
    BreakPlaylist m_playlist{m_player, m_paths};
    SilentSound m_sound;
    test::CountingCanvas m_canvas;
    BreakScheduler* m_schedulerForRenderer = nullptr;
    BreakRenderer m_renderer{m_settings, m_clock, m_sound,
                             [this] { m_schedulerForRenderer->EndBreak(); }};
    test::SimulatedFrontEnd m_frontEnd{m_renderer, m_canvas, m_playlist};
    BreakScheduler m_scheduler{m_settings, m_clock, m_frontEnd};
    bool m_libraryOpen = false;
    SoakCounts m_counts;
};

// Ticks until the break comes. "steady" is the work since the interval last had to start again
// (break end, a sleep, the clock set back, a library dialog); once it reaches the interval the
// break is due at that very tick.
bool BreakSoak::WorkUntilBreak() {
    CalendarTime steady = 0;
    for (int tick = 1; tick <= kStuckAfterSteps; ++tick) {
        if (!TickAtWork(steady)) {
            return false;
        }
        if (m_scheduler.InBreak()) {
            m_counts.longestWorkTicks = std::max(m_counts.longestWorkTicks, tick);
            return CheckBreakStarted();
        }
        if (!m_libraryOpen && steady >= IntervalSeconds()) {
            ADD_FAILURE() << "no break after " << steady << " s of work, interval "
                          << IntervalSeconds() << " s";
            return false;
        }
    }
    ADD_FAILURE() << "no break in " << kStuckAfterSteps << " ticks";
    return false;
}

bool BreakSoak::TickAtWork(CalendarTime& steady) {
    if (!m_libraryOpen && m_walker.Chance(kLibraryOpenOdds)) {
        m_scheduler.OnLibraryOpened();
        m_libraryOpen = true;
    } else if (m_libraryOpen && m_walker.Chance(kLibraryCloseOdds)) {
        m_scheduler.OnLibraryClosed();
        m_libraryOpen = false;
        steady = 0;
    }
    if (m_walker.Chance(kSettingsSavedOdds)) {
        SaveNewSettings();
        steady = 0;
    }
    const CalendarTime before = Now();
    const ClockWalker::Move move = m_walker.Step(kWorkPace, SleepAtLeast());
    const bool restarts = move == ClockWalker::Move::Sleep || move == ClockWalker::Move::SetBack;
    steady = restarts ? 0 : steady + (Now() - before);
    m_scheduler.OnScheduleTick();
    if (m_libraryOpen && m_scheduler.InBreak()) {
        ADD_FAILURE() << "a break started while a library dialog was open";
        return false;
    }
    return true;
}

bool BreakSoak::CheckBreakStarted() {
    // The first break after start-up also plays the start-up playlist; every other one plays the
    // folder once.
    const std::size_t expected = m_frontEnd.shown == 1 ? 2 * kMusicFiles : kMusicFiles;
    if (Now() - m_settings.workStart < IntervalSeconds()) {
        ADD_FAILURE() << "a break came " << Now() - m_settings.workStart
                      << " s into an interval of " << IntervalSeconds() << " s";
        return false;
    }
    if (!m_frontEnd.frameTimer || !m_player.playing ||
        m_player.Current().items.size() != expected) {
        ADD_FAILURE() << "break " << m_frontEnd.shown
                      << " started without its screen or music: " << m_player.Current().items.size()
                      << " files queued";
        return false;
    }
    return true;
}

std::string CountdownText(CalendarTime seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", (long long)(seconds / 3600),
                  (long long)(seconds / 60 % 60), (long long)(seconds % 60));
    return text;
}

// Frames until the break ends: by the countdown at exactly the frame where the clock has moved
// forward by the break length since the first frame, or earlier by Escape or a saved setting.
bool BreakSoak::RunBreak() {
    const auto wallStart = std::chrono::steady_clock::now();
    const CalendarTime length = CalendarTime{m_settings.runTime} * 60;
    CalendarTime forward = 0;
    for (int frame = 0; frame < kStuckAfterSteps; ++frame) {
        if (frame > 0) {
            const CalendarTime before = Now();
            m_walker.Step(kFramePace, SleepAtLeast());
            forward += std::max<CalendarTime>(Now() - before, 0);  // a clock set back takes nothing
        }
        bool ended = false;
        if (!BreakFrame(frame, forward, length, ended)) {
            return false;
        }
        if (ended) {
            const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - wallStart;
            m_counts.longestBreakSeconds = std::max(m_counts.longestBreakSeconds, wall.count());
            m_counts.longestBreakFrames = std::max(m_counts.longestBreakFrames, frame + 1);
            return CheckBreakEnded();
        }
    }
    ADD_FAILURE() << "a break of " << length << " s lasted " << kStuckAfterSteps << " frames";
    return false;
}

bool BreakSoak::BreakFrame(int frame, CalendarTime forward, CalendarTime length, bool& ended) {
    if (frame % kTicksPerFrame == kTicksPerFrame - 1) {
        m_scheduler.OnScheduleTick();  // ticks go on during a break and must change nothing
    }
    if (m_walker.Chance(kEscapeOdds)) {
        m_scheduler.EndBreak();
        ++m_counts.escaped;
        return ended = true;
    }
    if (m_walker.Chance(kSettingsSavedOdds)) {
        SaveNewSettings();
        ++m_counts.endedBySettings;
        return ended = true;
    }
    if (!m_frontEnd.frameTimer) {
        ADD_FAILURE() << "the break screen stopped asking for frames during the break";
        return false;
    }
    const auto pictures = m_canvas.pictures;
    m_renderer.RenderFrame();
    ++m_counts.frames;
    ended = !m_scheduler.InBreak();
    if (m_canvas.pictures != pictures + 2) {
        ADD_FAILURE() << "a frame drew " << m_canvas.pictures - pictures << " pictures";
        return false;
    }
    const CalendarTime left = std::max<CalendarTime>(length - forward, 0);
    if (ended != (left == 0) || m_canvas.lastText != CountdownText(left)) {
        ADD_FAILURE() << "frame " << frame << " showed " << m_canvas.lastText << " with " << left
                      << " s left of " << length << (ended ? ", break ended" : "");
        return false;
    }
    m_counts.countedDown += ended;
    return true;
}

bool BreakSoak::CheckBreakEnded() {
    if (m_scheduler.InBreak() || m_frontEnd.frameTimer || m_frontEnd.hidden != m_frontEnd.shown) {
        ADD_FAILURE() << "the break did not end completely";
        return false;
    }
    if (m_settings.workStart != Now()) {
        ADD_FAILURE() << "the work interval did not restart at the end of the break";
        return false;
    }
    if (m_player.playing || !m_player.Current().items.empty()) {
        ADD_FAILURE() << "music left after the break: " << m_player.Current().items.size();
        return false;
    }
    return true;
}

TEST_F(BreakSoak, EveryBreakEndsOnTimeAndWorkAlwaysResumes) {
    const auto wallStart = std::chrono::steady_clock::now();
    Start();
    for (long long i = 0; i < kBreaks; ++i) {
        ASSERT_TRUE(WorkUntilBreak()) << "before break " << i + 1;
        ASSERT_TRUE(RunBreak()) << "in break " << i + 1;
    }
    m_renderer.Shutdown();
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - wallStart;

    EXPECT_EQ(m_frontEnd.shown, kBreaks);
    EXPECT_EQ(m_canvas.Releases(), 3u);  // both pictures and the clock font, once each
    // The walk reaches every way a break ends, many times over.
    EXPECT_GT(m_counts.countedDown, kBreaks / 4);
    EXPECT_GT(m_counts.escaped, kBreaks / 20);
    EXPECT_GT(m_counts.endedBySettings, 100);
    std::printf(
        "%lld breaks: %lld counted down, %lld escaped, %lld ended by saved settings\n"
        "%lld frames, longest break %d frames (%.2f ms), longest interval %d ticks\n"
        "%.1f s in all\n",
        kBreaks, m_counts.countedDown, m_counts.escaped, m_counts.endedBySettings, m_counts.frames,
        m_counts.longestBreakFrames, m_counts.longestBreakSeconds * 1000, m_counts.longestWorkTicks,
        wall.count());
}

}  // namespace
}  // namespace velunor
