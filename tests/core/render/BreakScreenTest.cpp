// The break screen as a whole: the countdown and the renderer's frames.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "render/BreakRenderer.h"
#include "support/FakeClock.h"
#include "support/RecordingCanvas.h"

namespace velunor {
namespace {

using test::CanvasCall;
using Texts = std::vector<std::string>;

// The texts of a break's frames, the clock moving the given seconds before each; "!" marks a frame
// that ended the break.
std::string Frames(int minutes, std::initializer_list<CalendarTime> moves) {
    AppSettings settings;
    settings.runTime = minutes;
    test::FakeClock clock;
    Countdown countdown(settings, clock);
    std::string shown;
    for (const CalendarTime moved : moves) {
        clock.Advance(moved);
        const bool ended = countdown.Step();
        shown += (shown.empty() ? "" : " ") + countdown.Text() + (ended ? "!" : "");
    }
    return shown;
}

TEST(Countdown, CountsDownOnTheWallClockAndEndsOnTimeWhateverTheFramesDo) {
    // A stall takes off every second it lasted, a clock set back takes nothing off, and once
    // ended the countdown is armed for the next break.
    EXPECT_EQ(Frames(20, {0, 0, 1, 61, -3600, 1137, 1, 3600, 86400}),
              "00:20:00 00:20:00 00:19:59 00:18:58 00:18:58 00:00:01 00:00:00! 00:20:00 00:00:00!");
    EXPECT_EQ(Frames(90, {0, 1, 1799, 1}), "01:30:00 01:29:59 01:00:00 00:59:59");
    EXPECT_EQ(Frames(6005, {0, 1}), "100:05:00 100:04:59");
    EXPECT_EQ(Frames(0, {0}), "00:00:00!");
    EXPECT_EQ(Frames(-5, {0}), "00:00:00!");
}

class Renderer : public ::testing::Test {
protected:
    void Start() {
        renderer = std::make_unique<BreakRenderer>(settings, clock);
        EXPECT_TRUE(renderer->Initialize(canvas));
    }
    Texts Frame() {
        canvas.Clear();
        ended = renderer->RenderFrame();
        return canvas.Names();
    }

    AppSettings settings;
    test::FakeClock clock;
    test::RecordingCanvas canvas;
    std::unique_ptr<BreakRenderer> renderer;
    bool ended = false;  // the last frame was the break's last
};

// The background is centred, rounding toward zero, and the animation and the clock keep their
// places on it: at 1024x768 those are the screen's own coordinates. One renderer meets each size
// in turn, as the screen changes size between breaks (a dock, a projector, a remote session).
TEST_F(Renderer, TheSceneStaysOnTheCentredBackgroundAtAnyScreenSize) {
    Start();
    for (const auto& [width, height, x, y] : {std::array{1024, 768, 0, 0},
                                              {1920, 1080, 448, 156},
                                              {800, 600, -112, -84},
                                              {1023, 767, 0, 0},
                                              {1025, 769, 0, 0}}) {
        std::tie(canvas.width, canvas.height) = std::tuple(width, height);
        Frame();
        const auto pictures = canvas.Calls(CanvasCall::Kind::Picture);
        const CanvasCall clock = canvas.Calls(CanvasCall::Kind::Text).at(0);
        EXPECT_EQ(std::tuple(pictures.at(0).destination, pictures.at(0).source,
                             pictures.at(1).destination, clock.destination),
                  std::tuple(Rect{x, y, 1024, 768}, Rect{0, 0, 1024, 768},
                             Rect{x + 160, y + 230, 250, 165}, Rect{x + 420, y + 370}))
            << width << "x" << height;
    }
}

TEST_F(Renderer, TheFrameShowingZeroIsTheBreaksLastTheNextStartsAfreshAndShutdownFrees) {
    settings.runTime = 1;
    Start();
    EXPECT_EQ(Frame(), (Texts{"138", "139", "00:01:00", "present"}));
    EXPECT_FALSE(ended);
    const CanvasCall text = canvas.Calls(CanvasCall::Kind::Text).at(0);
    EXPECT_EQ(std::pair(text.color, text.font.pixelHeight), std::pair(Color{51, 102, 204}, 35));
    clock.Advance(60);  // the seconds before are the countdown's
    EXPECT_EQ(Frame(), (Texts{"138", "139", "00:00:00", "present"}));
    EXPECT_TRUE(ended);

    clock.Advance(600);
    EXPECT_EQ(Frame().at(2), "00:01:00");
    clock.Advance(30);
    renderer->ArmCountdown();  // a break ended early
    EXPECT_EQ(Frame().at(2), "00:01:00");

    canvas.Clear();
    renderer->Shutdown();  // the background before the strip
    EXPECT_EQ(canvas.Names(), (Texts{"font 35", "picture 138", "picture 139"}));
    EXPECT_EQ(Frame(), Texts{});
    const test::FakePicture picture{"p", 1, 1};
    renderer->DrawImage(&picture, Rect{}, Rect{});  // for elements: nothing
    EXPECT_EQ(canvas.Names(), Texts{});
    renderer.reset();
    EXPECT_EQ(canvas.Names(), Texts{"font 27"});  // the animation's caption font
}

}  // namespace
}  // namespace velunor
