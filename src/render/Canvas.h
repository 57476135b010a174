#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace velunor {

// A rectangle in pixels: left, top, width, height.
struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

struct Color {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Color&) const = default;
};

// A font asked for by pixel height, weight (400 normal, 700 bold) and face; the canvas falls back
// to a face that has the glyphs when the named one is missing.
struct FontSpec {
    int pixelHeight = 0;
    int weight = 400;
    std::string face;
};

// A decoded picture. Drawing honours its alpha channel.
class Picture {
public:
    virtual ~Picture() = default;
    virtual int Width() const = 0;   // 0 when the picture could not be decoded
    virtual int Height() const = 0;  // 0 when the picture could not be decoded
};

class Font {
public:
    virtual ~Font() = default;
};

// The break screen's back buffer and the window it is shown in. It starts black; nothing clears
// it between frames.
class Canvas {
public:
    virtual ~Canvas() = default;

    virtual int Width() const = 0;
    virtual int Height() const = 0;

    // One of the pictures built into the program (render/PictureIds.h: the background and the
    // animation strip), decoded once; null when there is no such picture.
    virtual std::unique_ptr<Picture> LoadResourceImage(int id) = 0;
    virtual std::unique_ptr<Font> CreateFont(const FontSpec& wanted) = 0;

    // The source rectangle of the picture (its pixels) scaled into the destination rectangle of
    // the back buffer, blended by the picture's alpha.
    virtual void DrawPicture(const Picture& picture, Rect destination, Rect source) = 0;
    // UTF-8 text with its top-left corner at (x, y), on a transparent background.
    virtual void DrawText(const Font& font, Color color, int x, int y, std::string_view text) = 0;

    // Shows the whole back buffer in the window in one copy, so the screen never flickers.
    virtual void Present() = 0;
};

}  // namespace velunor
