#include "QtCanvas.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

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

QtCanvas::QtCanvas(QSize size, QPaintDevice* presentTarget)
    : m_buffer(size, QImage::Format_RGB32), m_presentTarget(presentTarget) {
    m_buffer.fill(Qt::black);
}

std::unique_ptr<Picture> QtCanvas::LoadResourceImage(int id) {
    const QString path = BuiltInResources::PicturePath(id);
    if (path.isEmpty()) {
        return nullptr;
    }
    // A picture that does not decode still exists, as one of size 0 that draws nothing.
    return std::make_unique<QtPicture>(QImage(path));
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
    if (qtPicture == nullptr || qtPicture->Image().isNull()) {
        return;
    }
    QPainter painter(&m_buffer);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(ToQRect(destination), qtPicture->Image(), ToQRect(source));
}

void QtCanvas::DrawText(const Font& font, Color color, int x, int y, std::string_view text) {
    const auto* qtFont = dynamic_cast<const QtFont*>(&font);
    if (qtFont == nullptr) {
        return;
    }
    QPainter painter(&m_buffer);
    painter.setFont(qtFont->Get());
    painter.setPen(QColor(color.red, color.green, color.blue));
    // Qt places text by its baseline; the caller gives the top-left corner of the text.
    const int baseline = y + QFontMetrics(qtFont->Get()).ascent();
    painter.drawText(x, baseline, QString::fromUtf8(text.data(), qsizetype(text.size())));
}

void QtCanvas::Present() {
    if (m_presentTarget == nullptr) {
        return;
    }
    QPainter painter(m_presentTarget);
    painter.drawImage(0, 0, m_buffer);
}

}  // namespace velunor
