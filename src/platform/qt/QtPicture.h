#pragma once

#include <QImage>

#include "render/Canvas.h"

namespace velunor {

// A picture decoded once into the pixel format the back buffer draws it fastest in: an opaque one
// in the back buffer's own format, so that drawing it is a plain copy of rows, one with an alpha
// channel premultiplied, so that blending needs no conversion per pixel.
class QtPicture : public Picture {
public:
    explicit QtPicture(const QImage& image)
        : m_image(image.convertToFormat(image.hasAlphaChannel()
                                            ? QImage::Format_ARGB32_Premultiplied
                                            : QImage::Format_RGB32)) {}

    int Width() const override { return m_image.width(); }
    int Height() const override { return m_image.height(); }
    const QImage& Image() const { return m_image; }

private:
    QImage m_image;
};

}  // namespace velunor
