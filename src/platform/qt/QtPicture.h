#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include "render/Canvas.h"

namespace velunor {

// A picture for the back buffer. A built-in one is only named here, with its size: the canvas
// decodes it when it is first drawn and lets the pixels go between breaks, so that a program that
// spends its days in the tray does not hold a screenful of decoded pictures. One made from an
// image is kept decoded.
//
// Decoded pixels are in the format the back buffer draws fastest: an opaque picture in the back
// buffer's own format, so that drawing it is a plain copy of rows, one with an alpha channel
// premultiplied, so that blending needs no conversion per pixel.
class QtPicture : public Picture {
public:
    explicit QtPicture(const QImage& image) : m_image(Prepared(image)), m_size(m_image.size()) {}
    QtPicture(QString source, QSize size) : m_source(std::move(source)), m_size(size) {}

    int Width() const override { return m_size.width(); }
    int Height() const override { return m_size.height(); }

    // The built-in picture this names; empty for one made from an image.
    const QString& Source() const { return m_source; }
    // The pixels of one made from an image.
    const QImage& Image() const { return m_image; }

    static QImage Prepared(const QImage& image) {
        return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                             : QImage::Format_RGB32);
    }

private:
    QString m_source;
    QImage m_image;
    QSize m_size;
};

}  // namespace velunor
