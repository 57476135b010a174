#pragma once

#include "render/Canvas.h"
#include "render/ImageDrawer.h"

namespace velunor::test {

// Draws pictures straight onto a canvas, as the renderer does while it runs.
class CanvasDrawer : public ImageDrawer {
public:
    explicit CanvasDrawer(Canvas& canvas) : m_canvas(canvas) {}
    void DrawImage(const Picture* picture, Rect destination, Rect source) override {
        if (picture != nullptr) {
            m_canvas.DrawPicture(*picture, destination, source);
        }
    }

private:
    Canvas& m_canvas;
};

}  // namespace velunor::test
