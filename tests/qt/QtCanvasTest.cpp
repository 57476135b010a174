#include <gtest/gtest.h>

#include <QImage>

#include "BuiltInResources.h"
#include "QtCanvas.h"
#include "QtPicture.h"

namespace velunor {
namespace {

constexpr Color kClockColor{51, 102, 204};

QRgb Opaque(QRgb color) {
    return color | 0xFF000000u;
}

// The box around every pixel of exactly this colour; empty when there is none.
QRect PixelsOfColor(const QImage& image, Color color) {
    const QRgb wanted = qRgb(color.red, color.green, color.blue);
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (Opaque(image.pixel(x, y)) == wanted) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

TEST(QtCanvasTest, BackBufferStartsBlack) {
    QtCanvas canvas(QSize(64, 48));
    EXPECT_EQ(canvas.Width(), 64);
    EXPECT_EQ(canvas.Height(), 48);
    EXPECT_EQ(Opaque(canvas.BackBuffer().pixel(0, 0)), qRgb(0, 0, 0));
    EXPECT_EQ(Opaque(canvas.BackBuffer().pixel(63, 47)), qRgb(0, 0, 0));
}

TEST(QtCanvasTest, BuiltInPicturesDecodeAtTheirSizes) {
    QtCanvas canvas(QSize(8, 8));
    const auto background = canvas.LoadResourceImage(BuiltInResources::kBackgroundId);
    const auto animation = canvas.LoadResourceImage(BuiltInResources::kAnimationId);
    ASSERT_NE(background, nullptr);
    ASSERT_NE(animation, nullptr);
    EXPECT_EQ(background->Width(), 1024);
    EXPECT_EQ(background->Height(), 768);
    EXPECT_EQ(animation->Width(), 250);
    EXPECT_EQ(animation->Height(), 660);
    EXPECT_EQ(canvas.LoadResourceImage(137), nullptr);
}

TEST(QtCanvasTest, AnimationStripCarriesTransparency) {
    QtCanvas canvas(QSize(8, 8));
    const auto animation = canvas.LoadResourceImage(BuiltInResources::kAnimationId);
    const QImage& strip = static_cast<const QtPicture&>(*animation).Image();
    int transparent = 0;
    int opaque = 0;
    for (int y = 0; y < strip.height(); y += 3) {
        for (int x = 0; x < strip.width(); x += 3) {
            const int alpha = qAlpha(strip.pixel(x, y));
            transparent += alpha == 0;
            opaque += alpha == 255;
        }
    }
    EXPECT_GT(transparent, 0);
    EXPECT_GT(opaque, 0);
}

TEST(QtCanvasTest, PictureAtItsOwnSizeIsCopiedPixelForPixel) {
    QImage source(4, 3, QImage::Format_ARGB32);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            source.setPixel(x, y, qRgb(x * 60, y * 100, 7));
        }
    }
    QtCanvas canvas(QSize(10, 10));
    canvas.DrawPicture(QtPicture(source), Rect{5, 6, 4, 3}, Rect{0, 0, 4, 3});
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(Opaque(canvas.BackBuffer().pixel(5 + x, 6 + y)), source.pixel(x, y));
        }
    }
    EXPECT_EQ(Opaque(canvas.BackBuffer().pixel(4, 6)), qRgb(0, 0, 0));
    EXPECT_EQ(Opaque(canvas.BackBuffer().pixel(9, 9)), qRgb(0, 0, 0));
}

TEST(QtCanvasTest, SourceRectangleSelectsOneFrameOfAStrip) {
    QImage strip(2, 4, QImage::Format_ARGB32);
    strip.fill(qRgb(255, 0, 0));
    for (int x = 0; x < 2; ++x) {
        strip.setPixel(x, 2, qRgb(0, 255, 0));
        strip.setPixel(x, 3, qRgb(0, 255, 0));
    }
    QtCanvas canvas(QSize(2, 2));
    canvas.DrawPicture(QtPicture(strip), Rect{0, 0, 2, 2}, Rect{0, 2, 2, 2});
    EXPECT_EQ(Opaque(canvas.BackBuffer().pixel(0, 0)), qRgb(0, 255, 0));
    EXPECT_EQ(Opaque(canvas.BackBuffer().pixel(1, 1)), qRgb(0, 255, 0));
}

TEST(QtCanvasTest, PictureBlendsByItsAlpha) {
    QImage blue(2, 1, QImage::Format_ARGB32);
    blue.fill(qRgb(0, 0, 255));
    QImage overlay(2, 1, QImage::Format_ARGB32);
    overlay.setPixel(0, 0, qRgba(255, 0, 0, 0));    // fully transparent
    overlay.setPixel(1, 0, qRgba(255, 0, 0, 128));  // half
    QtCanvas canvas(QSize(2, 1));
    canvas.DrawPicture(QtPicture(blue), Rect{0, 0, 2, 1}, Rect{0, 0, 2, 1});
    canvas.DrawPicture(QtPicture(overlay), Rect{0, 0, 2, 1}, Rect{0, 0, 2, 1});

    EXPECT_EQ(Opaque(canvas.BackBuffer().pixel(0, 0)), qRgb(0, 0, 255));
    const QRgb half = canvas.BackBuffer().pixel(1, 0);
    EXPECT_NEAR(qRed(half), 128, 3);
    EXPECT_NEAR(qBlue(half), 127, 3);
}

TEST(QtCanvasTest, TextHasItsTopLeftCornerAtTheGivenPoint) {
    QtCanvas canvas(QSize(800, 500));
    const auto font = canvas.CreateFont(FontSpec{35, 700, "黑体"});
    canvas.DrawText(*font, kClockColor, 420, 370, "00:20:00");

    const QRect text = PixelsOfColor(canvas.BackBuffer(), kClockColor);
    ASSERT_FALSE(text.isEmpty());
    EXPECT_GE(text.left(), 420);
    EXPECT_LE(text.left(), 430);
    EXPECT_GE(text.top(), 370);
    EXPECT_LE(text.bottom(), 370 + 35);
    // Digits of a 35-pixel font are tall, and eight characters are wide.
    EXPECT_GE(text.height(), 18);
    EXPECT_GE(text.width(), 100);
}

TEST(QtCanvasTest, TextLeavesTheBackgroundAroundItsGlyphs) {
    QtCanvas canvas(QSize(300, 60));
    QImage grey(300, 60, QImage::Format_ARGB32);
    grey.fill(qRgb(90, 90, 90));
    canvas.DrawPicture(QtPicture(grey), Rect{0, 0, 300, 60}, Rect{0, 0, 300, 60});
    const auto font = canvas.CreateFont(FontSpec{35, 700, "黑体"});
    canvas.DrawText(*font, kClockColor, 0, 0, "00:00:00");
    // Between the two zeros of "00" nothing is painted; an opaque text background would be.
    EXPECT_EQ(Opaque(canvas.BackBuffer().pixel(1, 1)), qRgb(90, 90, 90));
    EXPECT_EQ(Opaque(canvas.BackBuffer().pixel(299, 59)), qRgb(90, 90, 90));
}

TEST(QtCanvasTest, FontFallsBackToFacesWithChineseGlyphs) {
    const QStringList families = QtCanvas::FontFamilies("黑体");
    ASSERT_FALSE(families.isEmpty());
    EXPECT_EQ(families.front(), QStringLiteral("黑体"));
    EXPECT_TRUE(families.contains(QStringLiteral("WenQuanYi Zen Hei")));
}

TEST(QtCanvasTest, PresentCopiesTheWholeBackBufferToItsTarget) {
    QImage window(20, 10, QImage::Format_RGB32);
    window.fill(qRgb(1, 2, 3));
    QtCanvas canvas(QSize(20, 10), &window);
    QImage red(20, 10, QImage::Format_ARGB32);
    red.fill(qRgb(200, 0, 0));
    canvas.DrawPicture(QtPicture(red), Rect{0, 0, 20, 10}, Rect{0, 0, 20, 10});
    EXPECT_EQ(Opaque(window.pixel(5, 5)), qRgb(1, 2, 3));

    canvas.Present();
    EXPECT_EQ(window, canvas.BackBuffer());
}

}  // namespace
}  // namespace velunor
