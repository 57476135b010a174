#include "QtCanvas.h"

#include <QFontMetricsF>
#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <utility>

#include "BuiltInResources.h"
#include "QtFont.h"
#include "QtPicture.h"

namespace velunor {
namespace {

QRect ToQRect(Rect rect) {
    return QRect(rect.x, rect.y, rect.width, rect.height);
}

// A font's pixel height here is the height of its whole character cell (ascent plus descent), as
// the break screen's layout was made for; Qt's pixel size is the em height, usually smaller than
// the cell, so the size is scaled down until the cell fits.
void FitCellHeight(QFont& font, int pixelHeight) {
    font.setPixelSize(pixelHeight);
    const qreal cell = QFontMetricsF(font).height();
    if (cell <= pixelHeight) {
        return;
    }
    font.setPixelSize(std::max(1, int(std::lround(pixelHeight * pixelHeight / cell))));
}

}  // namespace

QtCanvas::QtCanvas(QSize size, PresentHandler onPresent)
    : m_size(size), m_onPresent(std::move(onPresent)) {}

QImage& QtCanvas::Buffer() {
    if (m_buffer.isNull()) {
        m_buffer = QImage(m_size, QImage::Format_RGB32);
        m_buffer.fill(Qt::black);
        m_changed = QRect(QPoint(0, 0), m_size);
    }
    return m_buffer;
}

void QtCanvas::Resize(QSize size) {
    if (size != m_size) {
        ReleasePixels();
        m_size = size;
    }
}

void QtCanvas::ReleasePixels() {
    m_buffer = QImage();
    m_decoded.clear();
    m_changed = QRegion();
}

// Only the header is read now; the pixels are decoded when the picture is first drawn.
std::unique_ptr<Picture> QtCanvas::LoadResourceImage(int id) {
    const QString path = BuiltInResources::PicturePath(id);
    if (path.isEmpty()) {
        return nullptr;
    }
    // A picture that does not decode still exists, as one of size 0 that draws nothing.
    QSize size = QImageReader(path).size();
    return std::make_unique<QtPicture>(path, size.isValid() ? size : QSize(0, 0));
}

const QImage& QtCanvas::PixelsOf(const QtPicture& picture) {
    if (picture.Source().isEmpty()) {
        return picture.Image();
    }
    auto decoded = m_decoded.find(picture.Source());
    if (decoded == m_decoded.end()) {
        decoded = m_decoded.insert(picture.Source(), QtPicture::Prepared(QImage(picture.Source())));
    }
    return *decoded;
}

void QtCanvas::MarkChanged(const QRect& rect) {
    m_changed += rect.intersected(QRect(QPoint(0, 0), m_size));
}

QStringList QtCanvas::FontFamilies(const std::string& face) {
    QStringList families;
    if (!face.empty()) {
        families << QString::fromStdString(face);
    }
    families << QStringLiteral("SimHei") << QStringLiteral("WenQuanYi Zen Hei")
             << QStringLiteral("Noto Sans CJK SC");
    return families;
}

std::unique_ptr<Font> QtCanvas::CreateFont(const FontSpec& request) {
    QFont font;
    font.setFamilies(FontFamilies(request.face));
    font.setWeight(QFont::Weight(std::clamp(request.weight, 1, 1000)));
    FitCellHeight(font, std::max(1, request.pixelHeight));
    return std::make_unique<QtFont>(font);
}

void QtCanvas::DrawPicture(const Picture& picture, Rect destination, Rect source) {
    const auto* qtPicture = dynamic_cast<const QtPicture*>(&picture);
    if (qtPicture == nullptr) {
        return;
    }
    const QImage& pixels = PixelsOf(*qtPicture);
    if (pixels.isNull()) {
        return;
    }
    QPainter painter(&Buffer());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(ToQRect(destination), pixels, ToQRect(source));
    MarkChanged(ToQRect(destination));
}

void QtCanvas::DrawText(const Font& font, Color color, int x, int y, std::string_view text) {
    const auto* qtFont = dynamic_cast<const QtFont*>(&font);
    if (qtFont == nullptr) {
        return;
    }
    const QString string = QString::fromUtf8(text.data(), qsizetype(text.size()));
    const QFontMetrics metrics(qtFont->Get());
    // Qt places text by its baseline; the caller gives the top-left corner of the text.
    const int baseline = y + metrics.ascent();
    // Antialiased edges and overhanging glyphs may reach a pixel or two past the box.
    const QRect box = metrics.boundingRect(string).translated(x, baseline).adjusted(-2, -2, 2, 2);
    QPainter painter(&Buffer());
    painter.setFont(qtFont->Get());
    painter.setPen(QColor(color.red, color.green, color.blue));
    painter.drawText(x, baseline, string);
    MarkChanged(box);
}

void QtCanvas::Present() {
    const QRegion changed = std::exchange(m_changed, QRegion());
    if (m_onPresent && !changed.isEmpty()) {
        m_onPresent(changed);
    }
}

void QtCanvas::PaintOnto(QPainter& painter, const QRegion& region) const {
    if (m_buffer.isNull()) {
        return;
    }
    for (const QRect& rect : region) {
        painter.drawImage(rect.topLeft(), m_buffer, rect);
    }
}

}  // namespace velunor
