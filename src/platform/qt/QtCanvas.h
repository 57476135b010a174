#pragma once

#include <QHash>
#include <QImage>
#include <QRegion>
#include <QSize>
#include <functional>

#include "render/Canvas.h"

class QPainter;

namespace velunor {

class QtPicture;

// The break screen's back buffer. Frames are composed here; Present hands the window the part of
// the buffer the frame drew, and the window copies that part in its paint. Only the animation, the
// background and the clock change from frame to frame, so a large screen is not copied whole ten
// times a second. The animation and the clock lie on the background, which every frame draws
// first, so their translucent edges never blend over their own earlier frames.
class QtCanvas : public Canvas {
public:
    using PresentHandler = std::function<void(const QRegion& changed)>;

    explicit QtCanvas(QSize size, PresentHandler onPresent = {});

    int Width() const override { return m_size.width(); }
    int Height() const override { return m_size.height(); }

    std::unique_ptr<Picture> LoadResourceImage(int id) override;
    std::unique_ptr<Font> CreateFont(const FontSpec& request) override;

    void DrawPicture(const Picture& picture, Rect destination, Rect source) override;
    void DrawText(const Font& font, Color color, int x, int y, std::string_view text) override;

    void Present() override;

    // Copies the region of the back buffer onto a painter at the same place.
    void PaintOnto(QPainter& painter, const QRegion& region) const;

    // Lets go of the back buffer and the decoded pictures until something is drawn again: between
    // breaks they would only take memory. The next frame starts from a black buffer.
    void ReleasePixels();

    // The screen changed size: the back buffer is made anew, black, at the new size.
    void Resize(QSize size);

    // The faces tried in order when the asked-for face lacks glyphs; "黑体" is rarely installed
    // under that name outside Windows.
    static QStringList FontFamilies(const std::string& face);

private:
    QImage& Buffer();
    const QImage& PixelsOf(const QtPicture& picture);
    void MarkChanged(const QRect& rect);

    QSize m_size;
    QImage m_buffer;
    QHash<QString, QImage> m_decoded;
    QRegion m_changed;
    PresentHandler m_onPresent;
};

}  // namespace velunor
