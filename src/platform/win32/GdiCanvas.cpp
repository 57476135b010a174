#include "GdiCanvas.h"

// clang-format off
#include <objidl.h>
#include <gdiplus.h>
#include <shlwapi.h>
// clang-format on

#include <algorithm>

#include "GdiPicture.h"
#include "platform/win32/WideText.h"

namespace velunor {
namespace {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

struct DeleteGraphics {
    void operator()(GpGraphics* graphics) const { GdipDeleteGraphics(graphics); }
};

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
        const std::unique_ptr<GpGraphics, DeleteGraphics> owned(graphics);
        GdipSetCompositingMode(graphics, CompositingModeSourceCopy);
        GdipDrawImageRectI(graphics, decoded, 0, 0, INT(width), INT(height));
    }
    return copy;
}

RECT ToRECT(Rect rect) {
    return RECT{rect.x, rect.y, rect.x + rect.width, rect.y + rect.height};
}

}  // namespace

// Given back in this order: the GDI+ graphics, the bitmap out of the DC, the DC, the bitmap.
struct GdiCanvas::BackBuffer {
    GdiObject<HBITMAP> bitmap;
    MemoryDC dc;
    Selection selection;
    std::unique_ptr<GpGraphics, DeleteGraphics> graphics;
};

GdiPicture::~GdiPicture() {
    if (m_image != nullptr) {
        GdipDisposeImage(static_cast<GpImage*>(m_image));
    }
}

GdiCanvas::GdiCanvas(HWND window, int width, int height)
    : m_window(window), m_width(width), m_height(height), m_changed(CreateRectRgn(0, 0, 0, 0)) {
    GdiplusStartupInput input;
    GdiplusStartup(&m_gdiplusToken, &input, nullptr);
}

// The pictures made here must be gone before GDI+ shuts down; the renderer disposes of them at
// its shutdown, before the canvas goes.
GdiCanvas::~GdiCanvas() {
    m_buffer.reset();
    GdiplusShutdown(m_gdiplusToken);
}

bool GdiCanvas::EnsureBuffer() {
    if (m_buffer) {
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
    GdiObject<HBITMAP> bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    MemoryDC dc(bitmap ? CreateCompatibleDC(nullptr) : nullptr);
    if (!dc) {
        return false;
    }
    HDC drawOn = dc.get();
    HBITMAP pixels = bitmap.get();
    m_buffer.reset(new BackBuffer{std::move(bitmap), std::move(dc), {drawOn, pixels}, {}});
    GpGraphics* graphics = nullptr;
    GdipCreateFromHDC(drawOn, &graphics);
    // The pictures are drawn at their own size: pixel for pixel, with no smoothing to pay for.
    GdipSetInterpolationMode(graphics, InterpolationModeNearestNeighbor);
    GdipSetPixelOffsetMode(graphics, PixelOffsetModeHalf);
    m_buffer->graphics.reset(graphics);
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
    m_buffer.reset();
    SetRectRgn(m_changed.get(), 0, 0, 0, 0);
}

std::unique_ptr<Picture> GdiCanvas::LoadResourceImage(int id) {
    const BYTE* bytes = nullptr;
    DWORD size = 0;
    if (!ResourceBytes(id, bytes, size)) {
        return nullptr;
    }
    const ComRef<IStream> stream(SHCreateMemStream(bytes, size));
    if (!stream) {
        return nullptr;
    }
    GpBitmap* decoded = nullptr;
    UINT width = 0;
    UINT height = 0;
    PixelFormat format = 0;
    GpBitmap* copy = nullptr;
    if (GdipCreateBitmapFromStream(stream.Get(), &decoded) == Ok) {
        GdipGetImageWidth(decoded, &width);
        GdipGetImageHeight(decoded, &height);
        GdipGetImagePixelFormat(decoded, &format);
        copy = DecodedCopy(decoded, width, height);
        GdipDisposeImage(decoded);
    }
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
    GdipDrawImageRectRectI(m_buffer->graphics.get(), static_cast<GpImage*>(gdiPicture->Image()),
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
    HDC dc = m_buffer->dc.get();
    const Selection selected(dc, gdiFont->Handle());
    SIZE extent{};
    GetTextExtentPoint32W(dc, wide.c_str(), int(wide.size()), &extent);
    // Antialiased edges and overhanging glyphs may reach a pixel or two past the box.
    const RECT box{x - 2, y - 2, x + extent.cx + 2, y + extent.cy + 2};
    ClearLeftovers(box);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(color.red, color.green, color.blue));
    TextOutW(dc, x, y, wide.c_str(), int(wide.size()));
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
    const GdiObject<HRGN> add(CreateRectRgnIndirect(&rect));
    CombineRgn(m_changed.get(), m_changed.get(), add.get(), RGN_OR);
}

// Where the background does not reach (a screen larger than it), nothing is drawn under the
// animation and the clock. Blended again and again over their own earlier frames, their soft
// edges would add up to a solid blot; blended over black they look the same in every frame.
void GdiCanvas::ClearLeftovers(RECT area) {
    const GdiObject<HRGN> bare(CreateRectRgnIndirect(&area));
    CombineRgn(bare.get(), bare.get(), m_changed.get(), RGN_DIFF);
    FillRgn(m_buffer->dc.get(), bare.get(), static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

// The window copies what changed in its paint, now: one copy a frame.
void GdiCanvas::Present() {
    RECT box{};
    if (GetRgnBox(m_changed.get(), &box) == NULLREGION) {
        return;
    }
    InvalidateRgn(m_window, m_changed.get(), FALSE);
    SetRectRgn(m_changed.get(), 0, 0, 0, 0);
    UpdateWindow(m_window);
}

void GdiCanvas::PaintOnto(HDC paint, const RECT& area) const {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (!m_buffer) {
        FillRect(paint, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return;
    }
    BitBlt(paint, area.left, area.top, width, height, m_buffer->dc.get(), area.left, area.top,
           SRCCOPY);
}

}  // namespace velunor
