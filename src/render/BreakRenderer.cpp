#include "render/BreakRenderer.h"

#include <utility>

#include "render/PictureIds.h"

namespace velunor {
namespace {

constexpr int kBackgroundPicture = IDR_BACKGROUND_PICTURE;
constexpr int kAnimationPicture = IDR_ANIMATION_PICTURE;
constexpr Color kClockColor{51, 102, 204};
constexpr int kClockX = 420;
constexpr int kClockY = 370;

}  // namespace

BreakRenderer::BreakRenderer(const AppSettings& settings, const Clock& clock)
    : m_countdown(settings, clock) {}

// The members go in reverse order: the elements, the pictures they borrowed, the clock font.
BreakRenderer::~BreakRenderer() = default;

bool BreakRenderer::Initialize(Canvas& canvas) {
    if (m_state != State::Constructed) {
        return true;
    }
    m_canvas = &canvas;
    m_scene = std::make_unique<SceneCanvas>(canvas);
    m_countdown.Arm();
    m_clockFont = canvas.CreateFont(FontSpec{35, 700, "黑体"});
    m_backgroundImage = KeepImage(canvas.LoadResourceImage(kBackgroundPicture));
    m_animationImage = KeepImage(canvas.LoadResourceImage(kAnimationPicture));
    m_state = State::Running;
    AddAnimation();
    return true;
}

// The one element of the scene: the strip's four frames in turn at a fixed place on the
// background, for the life of the program.
void BreakRenderer::AddAnimation() {
    ElementParams params;
    params.canvas = m_scene.get();
    params.drawer = this;
    params.image = m_animationImage;
    params.right = m_canvas->Width();
    params.bottom = m_canvas->Height();
    params.endMode = 2;
    params.frameCount = 4;
    params.x = 160;
    params.y = 230;
    m_elements.AddElement(std::move(params));
}

bool BreakRenderer::RenderFrame() {
    if (m_state != State::Running) {
        return false;
    }
    PlaceScene();
    DrawBackground();
    m_elements.DrawElements();
    const bool finished = DrawCountdown();
    m_canvas->Present();
    return finished;
}

// The background is centred at its natural size: cropped evenly on a smaller screen; on a larger
// one the rest of the back buffer keeps what it held. The whole scene moves with it. Decided anew
// every frame, as the screen may have changed size since the last break.
void BreakRenderer::PlaceScene() {
    if (m_backgroundImage == nullptr) {
        m_scene->SetOrigin(0, 0);
        return;
    }
    m_scene->SetOrigin((m_canvas->Width() - m_backgroundImage->Width()) / 2,
                       (m_canvas->Height() - m_backgroundImage->Height()) / 2);
}

void BreakRenderer::DrawBackground() {
    if (m_backgroundImage == nullptr) {
        return;
    }
    const int width = m_backgroundImage->Width();
    const int height = m_backgroundImage->Height();
    DrawImage(m_backgroundImage, Rect{0, 0, width, height}, Rect{0, 0, width, height});
}

// The clock goes on top of everything; the frame that shows 00:00:00 is the break's last.
bool BreakRenderer::DrawCountdown() {
    const bool finished = m_countdown.Step();
    if (m_clockFont != nullptr) {
        m_scene->DrawText(*m_clockFont, kClockColor, kClockX, kClockY, m_countdown.Text());
    }
    return finished;
}

void BreakRenderer::Shutdown() {
    if (m_state != State::Running) {
        return;
    }
    m_state = State::ShutDown;
    m_clockFont.reset();
    ReleaseImages();
    m_backgroundImage = nullptr;
    m_animationImage = nullptr;
}

void BreakRenderer::ArmCountdown() {
    m_countdown.Arm();
}

void BreakRenderer::DrawImage(const Picture* picture, Rect destination, Rect source) {
    if (picture == nullptr || m_state != State::Running) {
        return;
    }
    m_scene->DrawPicture(*picture, destination, source);
}

const Picture* BreakRenderer::KeepImage(std::unique_ptr<Picture> picture) {
    const Picture* kept = picture.get();
    m_keptImages.Append(std::move(picture));
    return kept;
}

void BreakRenderer::ReleaseImages() {
    m_keptImages.Drain([](std::unique_ptr<Picture> picture) { picture.reset(); });
}

}  // namespace velunor
