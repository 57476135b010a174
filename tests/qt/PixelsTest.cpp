#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QRegion>

#include "BuiltInResources.h"
#include "QtCanvas.h"
#include "QtPicture.h"
#include "base/AppSettings.h"
#include "render/BreakRenderer.h"
#include "support/FakeClock.h"

namespace velunor {
namespace {

constexpr QRgb kBlack = qRgb(0, 0, 0);

QRgb At(const QImage& image, QPoint p) {
    return image.pixel(p) | 0xFF000000u;
}

QImage Filled(int width, int height, QRgb color) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}

// What a window shows of the back buffer (all of it unless told), over a colour of its own.
QImage Shown(QtCanvas& canvas, QRegion region = {}) {
    QImage window = Filled(canvas.Width(), canvas.Height(), qRgb(1, 2, 3));
    QPainter painter(&window);
    canvas.PaintOnto(painter, region.isEmpty() ? QRegion(window.rect()) : region);
    return window;
}

TEST(QtCanvasTest, PicturesAreCopiedOneToOneFromTheirSourceFrameAndBlendedByAlpha) {
    QRegion presented;
    QtCanvas canvas(QSize(10, 10), [&](const QRegion& changed) { presented = changed; });

    // Two 4x3 frames; the second has a colour of its own at every pixel.
    QImage strip = Filled(4, 6, qRgb(255, 0, 0));
    for (int y = 3; y < 6; ++y) {
        for (int x = 0; x < 4; ++x) {
            strip.setPixel(x, y, qRgb(x * 60, y * 40, 7));
        }
    }
    canvas.DrawPicture(QtPicture(strip), Rect{5, 6, 4, 3}, Rect{0, 3, 4, 3});
    QImage back = Shown(canvas);
    EXPECT_EQ(back.copy(5, 6, 4, 3).convertToFormat(QImage::Format_RGB32),
              strip.copy(0, 3, 4, 3).convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(std::pair(At(back, {4, 6}), At(back, {5, 5})), std::pair(kBlack, kBlack));  // beside

    QImage overlay = Filled(2, 1, qRgba(255, 0, 0, 0));
    overlay.setPixel(1, 0, qRgba(255, 0, 0, 128));
    canvas.DrawPicture(QtPicture(overlay), Rect{5, 6, 2, 1}, Rect{0, 0, 2, 1});
    back = Shown(canvas);
    EXPECT_EQ(At(back, {5, 6}), strip.pixel(0, 3));
    EXPECT_NEAR(qRed(back.pixel(6, 6)), (255 + qRed(strip.pixel(1, 3))) / 2, 3);

    // A new back buffer is presented whole, so that no part of the window is left unpainted;
    // then the window is told what each frame drew, clipped to the screen, and copies only that.
    canvas.Present();
    EXPECT_EQ(presented, QRegion(0, 0, 10, 10));
    canvas.DrawPicture(QtPicture(strip), Rect{5, 6, 4, 3}, Rect{0, 3, 4, 3});
    canvas.DrawPicture(QtPicture(strip), Rect{8, 0, 4, 3}, Rect{0, 0, 4, 3});
    back = Shown(canvas);
    canvas.Present();
    EXPECT_EQ(presented, QRegion(5, 6, 4, 3) + QRegion(8, 0, 2, 3));
    const QImage window = Shown(canvas, presented);
    EXPECT_EQ(At(window, {8, 7}), At(back, {8, 7}));
    EXPECT_EQ(At(window, {9, 2}), At(back, {9, 2}));
    EXPECT_EQ(At(window, {4, 6}), qRgb(1, 2, 3));

    // Between breaks the pixels are let go; the next frame starts black again.
    canvas.ReleasePixels();
    EXPECT_EQ(At(Shown(canvas), {6, 6}), qRgb(1, 2, 3));  // nothing left to show
    EXPECT_EQ(canvas.Width(), 10);
    canvas.DrawPicture(QtPicture(overlay), Rect{0, 0, 2, 1}, Rect{0, 0, 2, 1});
    EXPECT_EQ(At(Shown(canvas), {6, 6}), kBlack);
}

TEST(QtCanvasTest, TextHasItsTopLeftCornerAtThePointInItsColourOverWhatIsBeneath) {
    constexpr QRgb kGrey = qRgb(90, 90, 90);
    QtCanvas canvas(QSize(300, 80));
    canvas.DrawPicture(QtPicture(Filled(300, 80, kGrey)), Rect{0, 0, 300, 80}, Rect{0, 0, 300, 80});
    canvas.DrawText(*canvas.CreateFont(FontSpec{35, 700, "黑体"}), Color{51, 102, 204}, 20, 30,
                    "00:20:00");
    const QImage back = Shown(canvas);
    QRect text;  // around every pixel in the text's colour
    for (int y = 0; y < back.height(); ++y) {
        for (int x = 0; x < back.width(); ++x) {
            text |= At(back, {x, y}) == qRgb(51, 102, 204) ? QRect(x, y, 1, 1) : QRect();
        }
    }
    EXPECT_TRUE(QRect(20, 30, 11, 35).contains(text.topLeft())) << text.x() << "," << text.y();
    EXPECT_LE(text.bottom(), 30 + 35);
    EXPECT_GE(text.width(), 100);
    // An opaque text background would cover the corner.
    EXPECT_EQ(At(back, {21, 31}), kGrey);
}

// The real pictures through the real canvas; where they go and how text and alpha are drawn are
// the renderer's and canvas tests' business, and the end-to-end test looks at the margins and the
// clock on a real screen.
TEST(BreakScreenTest, TheBuiltInPicturesAreDecodedAndTheStripBlendedOverTheBackground) {
    AppSettings settings;
    test::FakeClock clock;
    QtCanvas canvas(QSize(1280, 800));
    BreakRenderer renderer(settings, clock);
    renderer.Initialize(canvas);
    renderer.RenderFrame();
    const QImage shown = Shown(canvas);

    // Where the strip's first frame is transparent the background shows; where opaque, the strip.
    const auto decoded = [](int id) {
        return QImage(BuiltInResources::PicturePath(id))
            .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    };
    const QImage background = decoded(BuiltInResources::kBackgroundId);
    const QImage strip = decoded(BuiltInResources::kAnimationId);
    const QPoint origin((1280 - 1024) / 2, (800 - 768) / 2);
    for (int y = 0; y < 165; y += 2) {
        for (int x = 0; x < 250; x += 2) {
            const QPoint p = origin + QPoint(160 + x, 230 + y);
            const int alpha = qAlpha(strip.pixel(x, y));
            if (alpha == 0 || alpha == 255) {
                ASSERT_EQ(At(shown, p), alpha ? At(strip, {x, y}) : At(background, p - origin));
            }
        }
    }
}

}  // namespace
}  // namespace velunor
