#pragma once

#include <windows.h>

#include "platform/win32/Handles.h"
#include "render/Canvas.h"

namespace velunor {

// A picture decoded by GDI+ from the program's resources, kept decoded for the program's life.
// The flat API's GpImage is opaque here, so that only the canvas needs the GDI+ headers.
class GdiPicture : public Picture {
public:
    GdiPicture(void* image, int width, int height, bool translucent)
        : m_image(image), m_width(width), m_height(height), m_translucent(translucent) {}
    ~GdiPicture() override;
    GdiPicture(const GdiPicture&) = delete;
    GdiPicture& operator=(const GdiPicture&) = delete;

    int Width() const override { return m_width; }
    int Height() const override { return m_height; }
    void* Image() const { return m_image; }
    bool Translucent() const { return m_translucent; }

private:
    void* m_image;  // GpImage*, null when the data did not decode
    int m_width;
    int m_height;
    bool m_translucent;
};

class GdiFont : public Font {
public:
    explicit GdiFont(HFONT font) : m_font(font) {}
    HFONT Handle() const { return m_font.get(); }

private:
    GdiObject<HFONT> m_font;
};

}  // namespace velunor
