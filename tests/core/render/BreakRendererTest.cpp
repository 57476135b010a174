#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "render/BreakRenderer.h"
#include "support/FakeClock.h"
#include "support/RecordingCanvas.h"

namespace velunor {
namespace {

using test::CanvasCall;

// Notes its closing in the canvas's log, so tests see it in order with everything else.
class FakeSound : public SoundDevice {
public:
    explicit FakeSound(test::CallLog log) : m_log(std::move(log)) {}
    int Open() override {
        ++opened;
        return openResult;
    }
    void Close() override { m_log->push_back(CanvasCall::Of(CanvasCall::Kind::Released, "sound")); }
    int opened = 0;
    int openResult = 1;  // no sound output on this machine

private:
    test::CallLog m_log;
};

class Renderer : public ::testing::Test {
protected:
    Renderer() { settings.runTime = 20; }

    void Start(int width = 1024, int height = 768) {
        renderer.reset();  // before the canvas and sound it uses
        canvas = std::make_unique<test::RecordingCanvas>(width, height);
        sound = std::make_unique<FakeSound>(canvas->log);
        renderer = std::make_unique<BreakRenderer>(settings, clock, *sound, [this] {
            presentsWhenEnded.push_back(canvas->Calls(CanvasCall::Kind::Present).size());
        });
        EXPECT_TRUE(renderer->Initialize(*canvas));
    }
    std::vector<std::string> Frame() {
        canvas->Clear();
        renderer->RenderFrame();
        return canvas->Names();
    }
    Rect BackgroundAt(int width, int height) {
        Start(width, height);
        Frame();
        const CanvasCall background = canvas->Calls(CanvasCall::Kind::Picture).at(0);
        EXPECT_EQ(background.name, "138");
        EXPECT_EQ(background.source, (Rect{0, 0, 1024, 768}));
        return background.destination;
    }

    AppSettings settings;
    test::FakeClock clock;
    std::unique_ptr<test::RecordingCanvas> canvas;
    std::unique_ptr<FakeSound> sound;
    std::unique_ptr<BreakRenderer> renderer;
    std::vector<std::size_t> presentsWhenEnded;
};

TEST_F(Renderer, AFrameIsTheBackgroundTheAnimationAndTheClockShownAtOnce) {
    Start();
    EXPECT_EQ(canvas->loads, (std::vector<int>{138, 139}));
    EXPECT_EQ(sound->opened, 1);  // no sound output did not stop the start
    EXPECT_EQ(Frame(), (std::vector<std::string>{"138", "139", "00:20:00", "present"}));

    const CanvasCall clockText = canvas->Calls(CanvasCall::Kind::Text).at(0);
    EXPECT_EQ(clockText.x, 420);
    EXPECT_EQ(clockText.y, 370);
    EXPECT_EQ(clockText.color, (Color{51, 102, 204}));
    EXPECT_EQ(clockText.font.pixelHeight, 35);
    EXPECT_EQ(clockText.font.weight, 700);
    EXPECT_EQ(clockText.font.face, "黑体");
}

TEST_F(Renderer, TheBackgroundIsCentredAndCroppedEvenly) {
    EXPECT_EQ(BackgroundAt(1024, 768), (Rect{0, 0, 1024, 768}));
    EXPECT_EQ(BackgroundAt(1920, 1080), (Rect{448, 156, 1024, 768}));
    EXPECT_EQ(BackgroundAt(800, 600), (Rect{-112, -84, 1024, 768}));
    // Half a pixel rounds toward zero on either side.
    EXPECT_EQ(BackgroundAt(1023, 767), (Rect{0, 0, 1024, 768}));
    EXPECT_EQ(BackgroundAt(1025, 769), (Rect{0, 0, 1024, 768}));
}

TEST_F(Renderer, TheAnimationStandsStillAndShowsOneFrameOfTheStripPerRenderedFrame) {
    Start(1920, 1080);
    std::vector<int> frameTops;
    for (int i = 0; i < 5; ++i) {
        Frame();
        const CanvasCall strip = canvas->Calls(CanvasCall::Kind::Picture).at(1);
        EXPECT_EQ(strip.destination, (Rect{160, 230, 250, 165}));
        frameTops.push_back(strip.source.y);
    }
    EXPECT_EQ(frameTops, (std::vector<int>{0, 165, 330, 495, 0}));
}

TEST_F(Renderer, TheFrameThatShowsZeroEndsTheBreakAndIsStillShown) {
    settings.runTime = 1;
    Start();
    Frame();
    clock.Advance(59);
    EXPECT_EQ(Frame().at(2), "00:00:01");
    EXPECT_TRUE(presentsWhenEnded.empty());
    clock.Advance(1);
    EXPECT_EQ(Frame(), (std::vector<std::string>{"138", "139", "00:00:00", "present"}));
    EXPECT_EQ(presentsWhenEnded, (std::vector<std::size_t>{0}));  // ended before the present

    // The next break starts from the full length; so does one after a break ended early.
    clock.Advance(600);
    EXPECT_EQ(Frame().at(2), "00:01:00");
    clock.Advance(30);
    renderer->ArmCountdown();
    EXPECT_EQ(Frame().at(2), "00:01:00");
}

TEST_F(Renderer, ShutdownDisposesTheBackgroundBeforeTheStripAndDrawsNoMoreFrames) {
    Start();
    Frame();
    canvas->Clear();
    renderer->Shutdown();
    EXPECT_EQ(canvas->Names(), (std::vector<std::string>{"font 35", "picture 138", "picture 139"}));
    EXPECT_TRUE(Frame().empty());
    test::FakePicture picture{"p", 1, 1};
    renderer->DrawImage(&picture, Rect{}, Rect{});
    EXPECT_TRUE(canvas->log->empty());

    // The elements go with the renderer, and the sound device is closed last.
    renderer.reset();
    EXPECT_EQ(canvas->Names(), (std::vector<std::string>{"font 27", "sound"}));
}

TEST_F(Renderer, WithoutShutdownTheRendererStillReleasesEverythingInOrder) {
    Start();
    canvas->Clear();
    renderer.reset();
    EXPECT_EQ(canvas->Names(), (std::vector<std::string>{"font 27", "picture 138", "picture 139",
                                                         "font 35", "sound"}));
}

TEST_F(Renderer, NothingIsDrawnBeforeStartOrOfPicturesThatAreMissing) {
    canvas = std::make_unique<test::RecordingCanvas>();
    sound = std::make_unique<FakeSound>(canvas->log);
    BreakRenderer idle(settings, clock, *sound, [] {});
    idle.RenderFrame();
    EXPECT_TRUE(canvas->log->empty());

    canvas->resources.clear();
    ASSERT_TRUE(idle.Initialize(*canvas));
    idle.RenderFrame();
    EXPECT_EQ(canvas->Names(), (std::vector<std::string>{"00:20:00", "present"}));
    idle.DrawImage(nullptr, Rect{0, 0, 1, 1}, Rect{0, 0, 1, 1});
    EXPECT_EQ(canvas->log->size(), 2u);
}

}  // namespace
}  // namespace velunor
