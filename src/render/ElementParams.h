#pragma once

#include <string>

#include "render/Canvas.h"
#include "render/ImageDrawer.h"

namespace velunor {

// What an ImageElement is made from. All numbers are pixels of the back buffer unless said
// otherwise; a record left as constructed is a still, never-ending element at (0, 0).
struct ElementParams {
    static constexpr int kFinishAfterCycle = 1;  // endMode: finish when the frames wrap
    static constexpr int kFinishAtBound = 3;     // endMode: finish when a bound is reached
    static constexpr int kShowLabel = 3;         // labelMode: draw labelText

    Canvas* canvas = nullptr;        // where the captions are drawn
    ImageDrawer* drawer = nullptr;   // how the frames reach the back buffer
    const Picture* image = nullptr;  // the frames stacked top to bottom; borrowed, may be null

    // The bounds the element bounces within (with margins, see ImageElement::Move).
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int endMode = 0;       // kFinishAfterCycle, kFinishAtBound, anything else: never finish
    int labelMode = 0;     // the label is drawn only when this is kShowLabel
    int frameCount = 0;    // frames in the picture; less than 1 counts as 1
    int restartFrame = 0;  // frame taken whenever the cycle wraps
    int endFrame = 0;      // the cycle wraps when the frame index reaches this; 0: frameCount

    int x = 0;  // left edge of the drawn frame
    int y = 0;  // top edge of the drawn frame
    int stepX = 0;
    int stepY = 0;
    int zoomStep = 0;    // size change per step, applied only to elements created moving up
    int movingLeft = 0;  // 0: towards larger x, 1: towards smaller x
    int movingUp = 0;    // 0: down (larger y), 1: up

    std::string labelText;    // UTF-8, drawn over the picture
    std::string captionText;  // UTF-8, drawn at the picture's top edge
};

}  // namespace velunor
