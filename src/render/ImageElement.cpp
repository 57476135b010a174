#include "render/ImageElement.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace velunor {
namespace {

constexpr Color kCaptionColor{0, 0, 255};

// Positions, sizes and frame offsets stop at the ends of the int range instead of wrapping, so an
// element left zooming or moving for days never jumps across the screen.
int ClampToInt(std::int64_t value) {
    return int(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                        std::numeric_limits<int>::max()));
}

int AddClamped(int value, std::int64_t change) {
    return ClampToInt(value + change);
}

}  // namespace

ImageElement::ImageElement(ElementParams params) : m_params(std::move(params)) {
    CreateCaptionFont();
    // A picture of no frames would leave nothing to show; it is one frame tall instead.
    m_params.frameCount = std::max(m_params.frameCount, 1);
    if (m_params.endFrame == 0) {
        m_params.endFrame = m_params.frameCount;
    }
    m_zoomSign = ClampToInt(-std::int64_t{m_params.movingUp});
    if (m_params.image != nullptr) {
        m_imageWidth = std::max(m_params.image->Width(), 0);
        m_frameHeight = std::max(m_params.image->Height(), 0) / m_params.frameCount;
    }
    m_drawWidth = m_imageWidth;
    m_drawHeight = m_frameHeight;
}

void ImageElement::CreateCaptionFont() {
    if (m_params.canvas != nullptr) {
        m_captionFont = m_params.canvas->CreateFont(FontSpec{27, 700, "黑体"});
    }
}

bool ImageElement::DrawFrame() {
    Resize();
    DrawPicture();
    if (!m_params.labelText.empty() && m_params.labelMode == ElementParams::kShowLabel) {
        DrawCaption(m_params.labelText, AddClamped(m_params.x, 3), AddClamped(m_params.y, 37));
    }
    if (!m_params.captionText.empty()) {
        DrawCaption(m_params.captionText, AddClamped(m_params.x, 20), AddClamped(m_params.y, -2));
    }
    if (AdvanceFrame() && m_params.endMode == ElementParams::kFinishAfterCycle) {
        return true;  // the last frame of the cycle was drawn where the element stands
    }
    return Move();
}

// The size changes before the drawing, so the first drawing already shows the first change.
void ImageElement::Resize() {
    const std::int64_t change = std::int64_t{m_zoomSign} * m_params.zoomStep;
    m_drawWidth = AddClamped(m_drawWidth, change);
    m_drawHeight = AddClamped(m_drawHeight, change);
}

void ImageElement::DrawPicture() {
    if (m_params.drawer == nullptr) {
        return;
    }
    const int frameTop = ClampToInt(std::int64_t{m_frameIndex} * m_frameHeight);
    m_params.drawer->DrawImage(m_params.image,
                               Rect{m_params.x, m_params.y, m_drawWidth, m_drawHeight},
                               Rect{0, frameTop, m_imageWidth, m_frameHeight});
}

void ImageElement::DrawCaption(std::string_view text, int x, int y) {
    if (m_params.canvas == nullptr || m_captionFont == nullptr) {
        return;
    }
    m_params.canvas->DrawText(*m_captionFont, kCaptionColor, x, y, text);
}

// True when the cycle wrapped back to the restart frame.
bool ImageElement::AdvanceFrame() {
    m_frameIndex = AddClamped(m_frameIndex, 1);
    if (m_frameIndex < m_params.endFrame) {
        return false;
    }
    m_frameIndex = m_params.restartFrame;
    return true;
}

// True when the element reached a bound and finishes there. The bounds are tested with the
// picture's own size, not the zoomed one. The element may pass 20 pixels beyond the left and right
// bounds and 100 beyond the top one, but turns 141 pixels before the bottom one.
bool ImageElement::Move() {
    return MoveAlong(m_params.x, m_params.movingLeft, m_imageWidth,
                     std::int64_t{m_params.left} - 20, std::int64_t{m_params.right} + 20,
                     m_params.stepX) ||
           MoveAlong(m_params.y, m_params.movingUp, m_frameHeight, std::int64_t{m_params.top} - 100,
                     std::int64_t{m_params.bottom} - 141, m_params.stepY);
}

// One axis of a step; direction 0 heads towards larger positions. A direction that flips moves
// the new way in the same step, and one too wide for its limits may flip twice.
bool ImageElement::MoveAlong(int& position, int& direction, int size, std::int64_t lowLimit,
                             std::int64_t highLimit, int step) const {
    const bool finishAtBound = m_params.endMode == ElementParams::kFinishAtBound;
    if (direction == 0 && std::int64_t{position} + size > highLimit) {
        if (finishAtBound) {
            return true;
        }
        direction = 1;
    }
    if (direction == 1 && position < lowLimit) {
        if (finishAtBound) {
            return true;
        }
        direction = 0;
    }
    position = AddClamped(position, direction == 0 ? std::int64_t{step} : -std::int64_t{step});
    return false;
}

}  // namespace velunor
