#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "render/Canvas.h"
#include "render/ElementParams.h"

namespace velunor {

// An animated picture on the break screen: the picture holds its frames stacked top to bottom and
// the element shows one per step, cycling through them. It may also move a fixed distance per
// step, bouncing at its bounds, shrink or grow, and carry a label and a caption. The element
// registry creates, steps and destroys it; one thread uses it at a time.
class ImageElement {
public:
    explicit ImageElement(ElementParams params);
    virtual ~ImageElement() = default;
    ImageElement(const ImageElement&) = delete;
    ImageElement& operator=(const ImageElement&) = delete;

    // Draws the element where it stands, then advances its frame and moves it. True when the
    // element has finished: this was its last drawing.
    bool DrawFrame();

private:
    void CreateCaptionFont();
    void Resize();
    void DrawPicture();
    void DrawCaption(std::string_view text, int x, int y);
    bool AdvanceFrame();
    bool Move();
    bool MoveAlong(int& position, int& direction, int size, std::int64_t lowLimit,
                   std::int64_t highLimit, int step) const;

    ElementParams m_params;
    int m_imageWidth = 0;
    int m_drawWidth = 0;
    int m_frameHeight = 0;
    int m_drawHeight = 0;
    std::unique_ptr<Font> m_captionFont;
    int m_frameIndex = 0;
    int m_zoomSign = 0;  // 0 or -1, from the direction the element was created with
};

}  // namespace velunor
