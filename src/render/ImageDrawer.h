#pragma once

#include "render/Canvas.h"

namespace velunor {

// The one way a picture reaches the break screen's back buffer. The renderer implements it, so
// that everything drawn goes through the place that knows whether drawing is allowed.
class ImageDrawer {
public:
    virtual ~ImageDrawer() = default;
    // The source rectangle of the picture (its pixels) scaled into the destination rectangle.
    // A null picture draws nothing.
    virtual void DrawImage(const Picture* picture, Rect destination, Rect source) = 0;
};

}  // namespace velunor
