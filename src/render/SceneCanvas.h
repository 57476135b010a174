#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <string_view>

#include "render/Canvas.h"

namespace velunor {

// The back buffer as the break scene sees it: (0, 0) is the background picture's top-left corner,
// wherever the renderer has put the picture on the screen. The animation and the clock keep the
// coordinates the artwork was drawn for, and so stay on the picture on a screen of any size.
class SceneCanvas : public Canvas {
public:
    explicit SceneCanvas(Canvas& screen) : m_screen(screen) {}

    // Where the scene's (0, 0) lies in the back buffer.
    void SetOrigin(int x, int y) {
        m_originX = x;
        m_originY = y;
    }

    int Width() const override { return m_screen.Width(); }
    int Height() const override { return m_screen.Height(); }

    std::unique_ptr<Picture> LoadResourceImage(int id) override {
        return m_screen.LoadResourceImage(id);
    }
    std::unique_ptr<Font> CreateFont(const FontSpec& wanted) override {
        return m_screen.CreateFont(wanted);
    }

    void DrawPicture(const Picture& picture, Rect destination, Rect source) override {
        destination.x = Shifted(destination.x, m_originX);
        destination.y = Shifted(destination.y, m_originY);
        m_screen.DrawPicture(picture, destination, source);
    }
    void DrawText(const Font& font, Color color, int x, int y, std::string_view text) override {
        m_screen.DrawText(font, color, Shifted(x, m_originX), Shifted(y, m_originY), text);
    }

    void Present() override { m_screen.Present(); }

private:
    // An element that wandered to the end of the int range stays there instead of wrapping round.
    static int Shifted(int value, int by) {
        return int(std::clamp<std::int64_t>(std::int64_t{value} + by,
                                            std::numeric_limits<int>::min(),
                                            std::numeric_limits<int>::max()));
    }

    Canvas& m_screen;
    int m_originX = 0;
    int m_originY = 0;
};

}  // namespace velunor
