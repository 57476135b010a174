#pragma once

#include <QImage>
#include <QSize>

#include "render/Canvas.h"

class QPaintDevice;

namespace velunor {

// The break screen's back buffer. Frames are composed here and shown in one drawImage onto the
// present target, which is the break window while it paints (Present is only called from inside
// its paintEvent).
class QtCanvas : public Canvas {
public:
    explicit QtCanvas(QSize size, QPaintDevice* presentTarget = nullptr);

    int Width() const override { return m_buffer.width(); }
    int Height() const override { return m_buffer.height(); }

    std::unique_ptr<Picture> LoadResourceImage(int id) override;
    std::unique_ptr<Font> CreateFont(const FontSpec& request) override;

    void DrawPicture(const Picture& picture, Rect destination, Rect source) override;
    void DrawText(const Font& font, Color color, int x, int y, std::string_view text) override;

    void Present() override;

    const QImage& BackBuffer() const { return m_buffer; }

    // The faces tried in order when the asked-for face lacks glyphs; "黑体" is rarely installed
    // under that name outside Windows.
    static QStringList FontFamilies(const std::string& face);

private:
    QImage m_buffer;
    QPaintDevice* m_presentTarget;
};

}  // namespace velunor
