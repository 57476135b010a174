#pragma once

#include <QImage>

#include "render/Canvas.h"

namespace velunor {

// A picture decoded once into the pixel format the back buffer blends fastest.
class QtPicture : public Picture {
public:
    explicit QtPicture(QImage image)
        : m_image(image.convertToFormat(QImage::Format_ARGB32_Premultiplied)) {}

    int Width() const override { return m_image.width(); }
    int Height() const override { return m_image.height(); }
    const QImage& Image() const { return m_image; }

private:
    QImage m_image;
};

}  // namespace velunor
