#pragma once

#include <windows.h>

#include <memory>

// The canvas port's names, not the Windows macros that would rename them to their W functions.
#undef CreateFont
#undef DrawText

#include "platform/win32/Handles.h"
#include "render/Canvas.h"

namespace velunor {

// The break screen's back buffer: a 32-bit DIB section drawn with GDI (text) and the GDI+ flat API
// (pictures). Present asks the window to repaint what the frame changed, and the window's paint
// copies that part in one BitBlt from the paint DC it was handed. Between breaks the pixels are let
// go; the next frame starts again from a black buffer.
class GdiCanvas : public Canvas {
public:
    GdiCanvas(HWND window, int width, int height);
    ~GdiCanvas() override;
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

    int Width() const override { return m_width; }
    int Height() const override { return m_height; }

    std::unique_ptr<Picture> LoadResourceImage(int id) override;
    std::unique_ptr<Font> CreateFont(const FontSpec& wanted) override;

    void DrawPicture(const Picture& picture, Rect destination, Rect source) override;
    void DrawText(const Font& font, Color color, int x, int y, std::string_view text) override;

    void Present() override;

    // Copies the part of the back buffer under the update rectangle onto the paint DC.
    void PaintOnto(HDC paint, const RECT& area) const;

    // Lets go of the screenful of pixels until something is drawn again.
    void ReleasePixels();

    // The screen changed size: the back buffer is made anew, black, at the new size.
    void Resize(int width, int height);

private:
    struct BackBuffer;

    bool EnsureBuffer();
    void MarkChanged(RECT rect);
    void ClearLeftovers(RECT area);

    HWND m_window;
    int m_width;
    int m_height;
    ULONG_PTR m_gdiplusToken = 0;
    GdiObject<HRGN> m_changed;  // what this frame drew, not yet shown
    std::unique_ptr<BackBuffer> m_buffer;
};

}  // namespace velunor
