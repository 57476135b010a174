// The animated elements of the break screen and the registry that draws them.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "render/ElementRegistry.h"
#include "support/RecordingCanvas.h"

namespace velunor {
namespace {

using test::CanvasCall;
using Texts = std::vector<std::string>;

class Element : public ::testing::Test {
protected:
    // Draws a new element so many times: each drawing as "x,y:frame", with "!" when the element
    // said it was its last.
    std::string Run(int steps) {
        element.reset();
        canvas.Clear();
        element = std::make_unique<ImageElement>(params);
        std::string drawn;
        for (int step = 0; step < steps; ++step) {
            const bool last = element->DrawFrame();
            const Rect at = Last(&CanvasCall::destination);
            const Rect frame = Last(&CanvasCall::source);
            drawn += (step > 0 ? " " : "") + std::to_string(at.x) + "," + std::to_string(at.y) +
                     ":" + std::to_string(frame.y / frame.height) + (last ? "!" : "");
        }
        return drawn;
    }
    Rect Last(Rect CanvasCall::*rect) const {
        return canvas.Calls(CanvasCall::Kind::Picture).back().*rect;
    }

    test::RecordingCanvas canvas;
    test::FakePicture strip{"strip", 100, 400};
    // A still, never-ending element on a 1000 × 800 screen showing a strip of four frames.
    ElementParams params{.canvas = &canvas,
                         .drawer = &canvas,
                         .image = &strip,
                         .right = 1000,
                         .bottom = 800,
                         .frameCount = 4,
                         .x = 300,
                         .y = 200,
                         .labelText = {},
                         .captionText = {}};
    std::unique_ptr<ImageElement> element;
};

TEST_F(Element, CyclesThroughItsFramesAndWrapsToTheRestartFrame) {
    params.x = params.y = 0;
    EXPECT_EQ(Run(5), "0,0:0 0,0:1 0,0:2 0,0:3 0,0:0");
    params.restartFrame = 2;
    EXPECT_EQ(Run(6), "0,0:0 0,0:1 0,0:2 0,0:3 0,0:2 0,0:3");
    params.restartFrame = 0;
    params.endFrame = 2;
    EXPECT_EQ(Run(3), "0,0:0 0,0:1 0,0:0");
    params.endFrame = 0;
    params.frameCount = 0;  // no frames: one frame of the whole picture
    EXPECT_EQ(Run(2), "0,0:0 0,0:0");
    EXPECT_EQ(Last(&CanvasCall::source), (Rect{0, 0, 100, 400}));
}

TEST_F(Element, FinishesInPlaceAfterOneCycleOrAtTheFirstBoundItMeetsElseBouncesAtTheMargins) {
    params.endMode = ElementParams::kFinishAfterCycle;
    params.stepX = 5;
    EXPECT_EQ(Run(5), "300,200:0 305,200:1 310,200:2 315,200:3! 315,200:0");
    params.endMode = ElementParams::kFinishAtBound;
    params.x = 920;  // at the right margin: one more step
    EXPECT_EQ(Run(2), "920,200:0 925,200:1!");
    params.x = 300;
    params.stepY = 10;
    params.y = 600;  // beyond the bottom margin: the step across is made, the one down is not
    EXPECT_EQ(Run(2), "300,600:0! 305,600:1!");

    // Bounces 20 beyond the sides, 100 above the top and 141 before the bottom: each edge at its
    // margin, then one pixel beyond it, where it turns in the same step.
    params.endMode = 0;
    params.stepX = params.stepY = 1;
    params.x = 920;  // its right edge at right + 20
    params.y = 559;  // its bottom edge at bottom - 141
    EXPECT_EQ(Run(3), "920,559:0 921,560:1 920,559:2");
    params.movingLeft = params.movingUp = 1;
    params.x = -20;
    params.y = -100;
    EXPECT_EQ(Run(3), "-20,-100:0 -21,-101:1 -20,-100:2");
}

TEST_F(Element, ShrinksEveryStepOnlyWhenCreatedMovingUp) {
    params.zoomStep = 2;
    params.stepY = 50;
    Run(3);
    EXPECT_EQ(Last(&CanvasCall::destination), (Rect{300, 300, 100, 100}));
    params.movingUp = 1;
    params.y = -60;  // turns down after two steps and keeps shrinking
    EXPECT_EQ(Run(4), "300,-60:0 300,-110:1 300,-60:2 300,-10:3");
    EXPECT_EQ(Last(&CanvasCall::destination), (Rect{300, -10, 92, 92}));
    EXPECT_EQ(Last(&CanvasCall::source), (Rect{0, 300, 100, 100}));
}

TEST_F(Element, WritesTheLabelOnlyWhenAskedAndTheCaptionWheneverItHasOne) {
    params.labelText = "标签";
    params.captionText = "休息一下";
    Run(1);
    EXPECT_EQ(canvas.Names(), (Texts{"strip", "休息一下"}));
    params.labelMode = ElementParams::kShowLabel;
    Run(1);
    EXPECT_EQ(canvas.Names(), (Texts{"strip", "标签", "休息一下"}));
    const std::vector<CanvasCall> texts = canvas.Calls(CanvasCall::Kind::Text);
    EXPECT_EQ(std::tuple(texts[0].destination, texts[1].destination, texts[1].font.pixelHeight,
                         texts[1].font.weight, texts[1].color == Color{0, 0, 255}),
              std::tuple(Rect{303, 237}, Rect{320, 198}, 27, 700, true));
}

// Each element here is known by its caption and draws nothing else. That each element is destroyed
// once, however it goes, is the registry soak's.
TEST_F(Element, TheRegistryMakesNoneBlindDrawsInAddressOrderAndDestroysAFinishedOneAtOnce) {
    ElementRegistry registry;
    params.drawer = nullptr;
    EXPECT_EQ(registry.AddElement(params), nullptr);
    params.drawer = &canvas;
    params.canvas = nullptr;
    EXPECT_EQ(registry.AddElement(params), nullptr);
    params.canvas = &canvas;
    params.image = nullptr;
    params.frameCount = 1;
    std::map<const ImageElement*, std::string> byAddress;
    for (const std::string name : {"a", "once", "b", "c", "once", "d"}) {
        params.captionText = name;
        params.endMode = name == "once" ? ElementParams::kFinishAfterCycle : 0;
        byAddress[registry.AddElement(params)] = name;
    }
    // A finishing one's caption font goes before the next draws.
    Texts first, second;
    for (const auto& [address, name] : byAddress) {
        first.push_back(name);
        if (name == "once") {
            first.push_back("font 27");
        } else {
            second.push_back(name);
        }
    }
    for (const Texts& pass : {first, second}) {
        canvas.Clear();
        registry.DrawElements();
        EXPECT_EQ(canvas.Names(), pass);
    }
}

}  // namespace
}  // namespace velunor
