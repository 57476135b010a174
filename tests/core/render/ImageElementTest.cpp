#include <gtest/gtest.h>

#include <vector>

#include "render/ImageElement.h"
#include "support/CanvasDrawer.h"
#include "support/RecordingCanvas.h"

namespace velunor {
namespace {

using test::CanvasCall;

class Element : public ::testing::Test {
protected:
    // A still, never-ending element on a 1000 × 800 screen with a 100 × 400 strip of four frames.
    ElementParams Params() {
        ElementParams params;
        params.canvas = &canvas;
        params.drawer = &drawer;
        params.image = &picture;
        params.right = 1000;
        params.bottom = 800;
        params.endMode = 2;
        params.frameCount = 4;
        params.x = 300;
        params.y = 200;
        return params;
    }
    // Steps the element and returns the pictures it drew.
    std::vector<CanvasCall> Steps(ImageElement& element, int count) {
        canvas.Clear();
        for (int i = 0; i < count; ++i) {
            element.DrawFrame();
        }
        return canvas.Calls(CanvasCall::Kind::Picture);
    }
    // One number of each drawing of the next steps.
    template <typename Field>
    std::vector<int> Each(ImageElement& element, int count, Field field) {
        std::vector<int> values;
        for (const CanvasCall& call : Steps(element, count)) {
            values.push_back(field(call));
        }
        return values;
    }
    std::vector<int> FramesShown(ImageElement& element, int count) {
        return Each(element, count,
                    [](const CanvasCall& c) { return c.source.y / c.source.height; });
    }
    std::vector<int> Xs(ImageElement& element, int count) {
        return Each(element, count, [](const CanvasCall& c) { return c.destination.x; });
    }
    std::vector<int> Ys(ImageElement& element, int count) {
        return Each(element, count, [](const CanvasCall& c) { return c.destination.y; });
    }

    test::RecordingCanvas canvas;
    test::CanvasDrawer drawer{canvas};
    test::FakePicture picture{"strip", 100, 400};
};

TEST_F(Element, CyclesThroughItsFramesAndWrapsToTheRestartFrame) {
    ImageElement plain(Params());
    EXPECT_EQ(FramesShown(plain, 6), (std::vector<int>{0, 1, 2, 3, 0, 1}));

    ElementParams restarting = Params();
    restarting.restartFrame = 2;
    ImageElement fromTwo(restarting);
    EXPECT_EQ(FramesShown(fromTwo, 8), (std::vector<int>{0, 1, 2, 3, 2, 3, 2, 3}));

    ElementParams shortCycle = Params();
    shortCycle.endFrame = 2;
    ImageElement twoFrames(shortCycle);
    EXPECT_EQ(FramesShown(twoFrames, 4), (std::vector<int>{0, 1, 0, 1}));
}

TEST_F(Element, DrawsOneFrameOfTheStripAtItsNaturalSize) {
    test::FakePicture odd{"odd", 60, 100};
    ElementParams params = Params();
    params.image = &odd;
    params.frameCount = 3;
    ImageElement element(params);
    const std::vector<CanvasCall> drawn = Steps(element, 3);
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn[2].source, (Rect{0, 66, 60, 33}));  // the last pixel row is never shown
    EXPECT_EQ(drawn[2].destination, (Rect{300, 200, 60, 33}));

    // No frames at all counts as one frame of the whole picture, not as a division by zero.
    params.frameCount = 0;
    ImageElement whole(params);
    EXPECT_EQ(Steps(whole, 2)[1].source, (Rect{0, 0, 60, 100}));
}

TEST_F(Element, FinishingAfterOneCycleKeepsItsPlaceOnTheLastStep) {
    ElementParams params = Params();
    params.endMode = ElementParams::kFinishAfterCycle;
    params.stepX = 5;
    params.stepY = 7;
    ImageElement element(params);
    EXPECT_FALSE(element.DrawFrame());
    EXPECT_FALSE(element.DrawFrame());
    EXPECT_FALSE(element.DrawFrame());
    canvas.Clear();
    EXPECT_TRUE(element.DrawFrame());
    const CanvasCall last = canvas.Calls(CanvasCall::Kind::Picture).at(0);
    EXPECT_EQ(last.source.y, 3 * 100);
    EXPECT_EQ(last.destination.x, 315);
    EXPECT_EQ(last.destination.y, 221);
    EXPECT_EQ(Xs(element, 1), (std::vector<int>{315}));  // that step did not move it
}

TEST_F(Element, BouncesTwentyPixelsBeyondTheSidesAndTurnsInTheSameStep) {
    ElementParams params = Params();
    params.stepX = 10;
    params.x = 920;  // 920 + 100 = right + 20: at the margin, not beyond it
    ImageElement right(params);
    EXPECT_EQ(Xs(right, 4), (std::vector<int>{920, 930, 920, 910}));
    params.x = 921;  // one pixel beyond: turns at once
    ImageElement further(params);
    EXPECT_EQ(Xs(further, 2), (std::vector<int>{921, 911}));

    params.x = 0;
    params.movingLeft = 1;  // -20 is at the margin, -30 beyond it
    ImageElement left(params);
    EXPECT_EQ(Xs(left, 5), (std::vector<int>{0, -10, -20, -30, -20}));
}

TEST_F(Element, TurnsAHundredPixelsAboveTheTopAndA141BeforeTheBottom) {
    ElementParams params = Params();
    params.stepY = 10;
    params.y = 559;  // 559 + 100 = bottom - 141: not yet a bound
    ImageElement down(params);
    EXPECT_EQ(Ys(down, 3), (std::vector<int>{559, 569, 559}));
    params.y = 560;  // one pixel further: turns
    ImageElement lower(params);
    EXPECT_EQ(Ys(lower, 2), (std::vector<int>{560, 550}));

    params.y = -80;
    params.movingUp = 1;  // -100 is at the margin, -110 beyond it
    ImageElement up(params);
    EXPECT_EQ(Ys(up, 5), (std::vector<int>{-80, -90, -100, -110, -100}));
}

TEST_F(Element, FinishingAtABoundStopsWhereTheBoundWasFound) {
    ElementParams params = Params();
    params.endMode = ElementParams::kFinishAtBound;
    params.stepX = 10;
    params.x = 920;
    ImageElement across(params);
    EXPECT_FALSE(across.DrawFrame());  // at the margin: moves on to 930
    EXPECT_TRUE(across.DrawFrame());

    // The vertical bound ends the step after the horizontal move was made.
    params.x = 300;
    params.stepY = 10;
    params.y = 600;
    ImageElement down(params);
    EXPECT_TRUE(down.DrawFrame());
    const Rect next = Steps(down, 1).at(0).destination;
    EXPECT_EQ(next.x, 310);
    EXPECT_EQ(next.y, 600);
}

TEST_F(Element, ShrinksEveryStepOnlyWhenCreatedMovingUp) {
    test::FakePicture wide{"wide", 200, 100};
    ElementParams params = Params();
    params.image = &wide;
    params.frameCount = 1;
    params.zoomStep = 2;
    params.movingUp = 1;
    params.stepY = 50;
    params.y = -60;  // turns down after two steps and keeps shrinking
    ImageElement up(params);
    const std::vector<CanvasCall> drawn = Steps(up, 4);
    EXPECT_EQ(drawn[0].destination, (Rect{300, -60, 198, 98}));
    EXPECT_EQ(drawn[1].destination, (Rect{300, -110, 196, 96}));
    EXPECT_EQ(drawn[2].destination, (Rect{300, -60, 194, 94}));
    EXPECT_EQ(drawn[3].destination, (Rect{300, -10, 192, 92}));
    EXPECT_EQ(drawn[3].source, (Rect{0, 0, 200, 100}));

    params.movingUp = 0;
    ImageElement down(params);
    EXPECT_EQ(Steps(down, 3)[2].destination.width, 200);
}

TEST_F(Element, WritesTheLabelOnlyWhenAskedAndTheCaptionWheneverItHasOne) {
    ElementParams params = Params();
    params.labelText = "标签";
    params.captionText = "休息一下";
    ImageElement hiddenLabel(params);
    Steps(hiddenLabel, 1);
    EXPECT_EQ(canvas.Names(), (std::vector<std::string>{"strip", "休息一下"}));

    params.labelMode = ElementParams::kShowLabel;
    ImageElement both(params);
    Steps(both, 1);
    EXPECT_EQ(canvas.Names(), (std::vector<std::string>{"strip", "标签", "休息一下"}));
    const std::vector<CanvasCall> texts = canvas.Calls(CanvasCall::Kind::Text);
    EXPECT_EQ(texts[0].x, 303);
    EXPECT_EQ(texts[0].y, 237);
    EXPECT_EQ(texts[1].x, 320);
    EXPECT_EQ(texts[1].y, 198);
    for (const CanvasCall& text : texts) {
        EXPECT_EQ(text.font.pixelHeight, 27);
        EXPECT_EQ(text.font.weight, 700);
        EXPECT_EQ(text.font.face, "黑体");
        EXPECT_EQ(text.color, (Color{0, 0, 255}));
    }
}

TEST_F(Element, WithoutAPictureDrawsNothingButGoesOnStepping) {
    ElementParams params = Params();
    params.image = nullptr;
    params.endMode = ElementParams::kFinishAfterCycle;
    params.frameCount = 2;
    ImageElement element(params);
    EXPECT_FALSE(element.DrawFrame());
    EXPECT_TRUE(element.DrawFrame());
    EXPECT_TRUE(canvas.Calls(CanvasCall::Kind::Picture).empty());
}

}  // namespace
}  // namespace velunor
