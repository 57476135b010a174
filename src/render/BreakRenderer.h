#pragma once

#include <memory>

#include "base/AppSettings.h"
#include "base/Clock.h"
#include "render/Canvas.h"
#include "render/Countdown.h"
#include "render/ElementRegistry.h"
#include "render/ImageDrawer.h"
#include "render/LockedList.h"
#include "render/SceneCanvas.h"

namespace velunor {

// Paints the break screen: the background picture centred, the scene elements, the countdown,
// then the whole back buffer shown at once. The elements and the clock stand where the artwork puts
// them on the background, wherever the background lands on the screen. A frame tells its caller
// when the countdown ran out; ending the break is the caller's. Everything but the kept-pictures
// list belongs to the window thread.
//
// The canvas handed to Initialize must outlive the renderer.
class BreakRenderer : public ImageDrawer {
public:
    BreakRenderer(const AppSettings& settings, const Clock& clock);
    ~BreakRenderer() override;
    BreakRenderer(const BreakRenderer&) = delete;
    BreakRenderer& operator=(const BreakRenderer&) = delete;

    // Prepares drawing on the canvas (whose size is the screen) and builds the scene. Called once;
    // always true.
    bool Initialize(Canvas& canvas);

    // One frame of the break screen; nothing before Initialize or after Shutdown. True when this
    // frame's clock shows 00:00:00: the break is over.
    bool RenderFrame();

    // Releases the fonts and pictures; no frame is drawn afterwards.
    void Shutdown();

    // The next frame starts the countdown from the full break length.
    void ArmCountdown();

    // The destination is in the scene's pixels, whose (0, 0) is the background's top-left corner.
    void DrawImage(const Picture* picture, Rect destination, Rect source) override;

    // The renderer owns the picture from now on and disposes of it at shutdown, first kept first.
    // Returns the picture for borrowing.
    const Picture* KeepImage(std::unique_ptr<Picture> picture);
    void ReleaseImages();

private:
    enum class State { Constructed, Running, ShutDown };

    void AddAnimation();
    void PlaceScene();
    void DrawBackground();
    bool DrawCountdown();

    State m_state = State::Constructed;
    Countdown m_countdown;
    Canvas* m_canvas = nullptr;
    std::unique_ptr<SceneCanvas> m_scene;  // what the scene draws on: m_canvas, shifted
    std::unique_ptr<Font> m_clockFont;
    const Picture* m_backgroundImage = nullptr;
    const Picture* m_animationImage = nullptr;
    LockedList<std::unique_ptr<Picture>> m_keptImages;  // outlives the elements that borrow them
    ElementRegistry m_elements;
};

}  // namespace velunor
