#include "GdiCanvas.h"

// clang-format off
#include <objidl.h>
#include <gdiplus.h>
#include <shlwapi.h>
// clang-format on

#include <algorithm>

#include "GdiPicture.h"
#include "platform/win32/dialogs/WideText.h"

namespace velunor {
namespace {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

GpGraphics* GraphicsOf(void* graphics) {
    return static_cast<GpGraphics*>(graphics);
}

// The bytes of a "JPG" resource of the program, or nothing.
bool ResourceBytes(int id, const BYTE*& bytes, DWORD& size) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), L"JPG");
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    bytes = loaded != nullptr ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    size = found != nullptr ? SizeofResource(module, found) : 0;
    return bytes != nullptr && size > 0;
}

// A decoder may read its stream again for as long as the image lives; a copy in premultiplied
// 32-bit pixels needs no stream and is the format GDI+ blends fastest.
GpBitmap* DecodedCopy(GpImage* decoded, UINT width, UINT height) {
    GpBitmap* copy = nullptr;
    if (GdipCreateBitmapFromScan0(INT(width), INT(height), 0, PixelFormat32bppPARGB, nullptr,
                                  &copy) != Ok) {
        return nullptr;
    }
    GpGraphics* graphics = nullptr;
    if (GdipGetImageGraphicsContext(copy, &graphics) == Ok) {
        GdipSetCompositingMode(graphics, CompositingModeSourceCopy);
        GdipDrawImageRectI(graphics, decoded, 0, 0, INT(width), INT(height));
        GdipDeleteGraphics(graphics);
    }
    return copy;
}

RECT ToRECT(Rect rect) {
    return RECT{rect.x, rect.y, rect.x + rect.width, rect.y + rect.height};
}

}  // namespace

GdiPicture::~GdiPicture() {
    if (m_image != nullptr) {
        GdipDisposeImage(static_cast<GpImage*>(m_image));
    }
}

GdiCanvas::GdiCanvas(HWND window, int width, int height)
    : m_window(window), m_width(width), m_height(height) {
    GdiplusStartupInput input;
    GdiplusStartup(&m_gdiplusToken, &input, nullptr);
    m_changed = CreateRectRgn(0, 0, 0, 0);
}

// The pictures made here must be gone before GDI+ shuts down; the renderer disposes of them at
// its shutdown, before the canvas goes.
GdiCanvas::~GdiCanvas() {
    ReleasePixels();
    DeleteObject(m_changed);
    GdiplusShutdown(m_gdiplusToken);
}

bool GdiCanvas::EnsureBuffer() {
    if (m_backDC != nullptr) {
        return true;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = m_width;
    info.bmiHeader.biHeight = -m_height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    // A new DIB section is all zeros: black.
    m_backBitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_backDC = m_backBitmap != nullptr ? CreateCompatibleDC(nullptr) : nullptr;
    if (m_backDC == nullptr) {
        ReleasePixels();
        return false;
    }
    m_oldBitmap = SelectObject(m_backDC, m_backBitmap);
    GpGraphics* graphics = nullptr;
    GdipCreateFromHDC(m_backDC, &graphics);
    // The pictures are drawn at their own size: pixel for pixel, with no smoothing to pay for.
    GdipSetInterpolationMode(graphics, InterpolationModeNearestNeighbor);
    GdipSetPixelOffsetMode(graphics, PixelOffsetModeHalf);
    m_graphics = graphics;
    return true;
}

void GdiCanvas::Resize(int width, int height) {
    if (width != m_width || height != m_height) {
        ReleasePixels();
        m_width = width;
        m_height = height;
    }
}

void GdiCanvas::ReleasePixels() {
    if (m_graphics != nullptr) {
        GdipDeleteGraphics(GraphicsOf(m_graphics));
        m_graphics = nullptr;
    }
    if (m_backDC != nullptr) {
        SelectObject(m_backDC, m_oldBitmap);
        DeleteDC(m_backDC);
        m_backDC = nullptr;
    }
    if (m_backBitmap != nullptr) {
        DeleteObject(m_backBitmap);
        m_backBitmap = nullptr;
    }
    SetRectRgn(m_changed, 0, 0, 0, 0);
}

std::unique_ptr<Picture> GdiCanvas::LoadResourceImage(int id) {
    const BYTE* bytes = nullptr;
    DWORD size = 0;
    if (!ResourceBytes(id, bytes, size)) {
        return nullptr;
    }
    IStream* stream = SHCreateMemStream(bytes, size);
    if (stream == nullptr) {
        return nullptr;
    }
    GpBitmap* decoded = nullptr;
    UINT width = 0;
    UINT height = 0;
    PixelFormat format = 0;
    GpBitmap* copy = nullptr;
    if (GdipCreateBitmapFromStream(stream, &decoded) == Ok) {
        GdipGetImageWidth(decoded, &width);
        GdipGetImageHeight(decoded, &height);
        GdipGetImagePixelFormat(decoded, &format);
        copy = DecodedCopy(decoded, width, height);
        GdipDisposeImage(decoded);
    }
    stream->Release();
    // A picture that does not decode still exists, as one of size 0 that draws nothing.
    if (copy == nullptr) {
        width = height = 0;
    }
    return std::make_unique<GdiPicture>(copy, int(width), int(height),
                                        (format & PixelFormatAlpha) != 0);
}

std::unique_ptr<Font> GdiCanvas::CreateFont(const FontSpec& wanted) {
    // A positive height asks for the whole character cell, as the layout was made for.
    HFONT font =
        ::CreateFontW(wanted.pixelHeight, 0, 0, 0, wanted.weight, FALSE, FALSE, FALSE,
                      GB2312_CHARSET, OUT_STRING_PRECIS, CLIP_STROKE_PRECIS, ANTIALIASED_QUALITY,
                      FF_MODERN | DEFAULT_PITCH, Widen(wanted.face).c_str());
    if (font == nullptr) {
        return nullptr;
    }
    return std::make_unique<GdiFont>(font);
}

void GdiCanvas::DrawPicture(const Picture& picture, Rect destination, Rect source) {
    const auto* gdiPicture = dynamic_cast<const GdiPicture*>(&picture);
    if (gdiPicture == nullptr || gdiPicture->Image() == nullptr || !EnsureBuffer()) {
        return;
    }
    if (gdiPicture->Translucent()) {
        ClearLeftovers(ToRECT(destination));
    }
    GdipDrawImageRectRectI(GraphicsOf(m_graphics), static_cast<GpImage*>(gdiPicture->Image()),
                           destination.x, destination.y, destination.width, destination.height,
                           source.x, source.y, source.width, source.height, UnitPixel, nullptr,
                           nullptr, nullptr);
    MarkChanged(ToRECT(destination));
}

void GdiCanvas::DrawText(const Font& font, Color color, int x, int y, std::string_view text) {
    const auto* gdiFont = dynamic_cast<const GdiFont*>(&font);
    if (gdiFont == nullptr || !EnsureBuffer()) {
        return;
    }
    const std::wstring wide = Widen(text);
    HGDIOBJ oldFont = SelectObject(m_backDC, gdiFont->Handle());
    SIZE extent{};
    GetTextExtentPoint32W(m_backDC, wide.c_str(), int(wide.size()), &extent);
    // Antialiased edges and overhanging glyphs may reach a pixel or two past the box.
    const RECT box{x - 2, y - 2, x + extent.cx + 2, y + extent.cy + 2};
    ClearLeftovers(box);
    SetBkMode(m_backDC, TRANSPARENT);
    SetTextColor(m_backDC, RGB(color.red, color.green, color.blue));
    TextOutW(m_backDC, x, y, wide.c_str(), int(wide.size()));
    SelectObject(m_backDC, oldFont);
    MarkChanged(box);
}

void GdiCanvas::MarkChanged(RECT rect) {
    rect.left = std::max<LONG>(rect.left, 0);
    rect.top = std::max<LONG>(rect.top, 0);
    rect.right = std::min<LONG>(rect.right, m_width);
    rect.bottom = std::min<LONG>(rect.bottom, m_height);
    if (rect.left >= rect.right || rect.top >= rect.bottom) {
        return;
    }
    HRGN add = CreateRectRgnIndirect(&rect);
    CombineRgn(m_changed, m_changed, add, RGN_OR);
    DeleteObject(add);
}

// Where the background does not reach (a screen larger than it), nothing is drawn under the
// animation and the clock. Blended again and again over their own earlier frames, their soft
// edges would add up to a solid blot; blended over black they look the same in every frame.
void GdiCanvas::ClearLeftovers(RECT area) {
    HRGN bare = CreateRectRgnIndirect(&area);
    CombineRgn(bare, bare, m_changed, RGN_DIFF);
    FillRgn(m_backDC, bare, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    DeleteObject(bare);
}

// The window copies what changed in its paint, now: one copy a frame.
void GdiCanvas::Present() {
    RECT box{};
    if (GetRgnBox(m_changed, &box) == NULLREGION) {
        return;
    }
    InvalidateRgn(m_window, m_changed, FALSE);
    SetRectRgn(m_changed, 0, 0, 0, 0);
    UpdateWindow(m_window);
}

void GdiCanvas::PaintOnto(HDC paint, const RECT& area) const {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (m_backDC == nullptr) {
        FillRect(paint, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return;
    }
    BitBlt(paint, area.left, area.top, width, height, m_backDC, area.left, area.top, SRCCOPY);
}

}  // namespace velunor
