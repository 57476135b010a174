#include <gtest/gtest.h>

#include <QImage>

#include "BuiltInResources.h"
#include "QtCanvas.h"
#include "QtSoundDevice.h"
#include "app/AppSettings.h"
#include "app/Clock.h"
#include "render/BreakRenderer.h"

// The renderer drawing real pixels through the Qt canvas: where the background, the animation
// and the clock land on a screen larger than the background picture.
namespace velunor {
namespace {

constexpr QSize kScreen(1280, 800);
constexpr QPoint kBackgroundOrigin((1280 - 1024) / 2, (800 - 768) / 2);
constexpr QPoint kAnimationOrigin(160, 230);
constexpr QSize kAnimationFrame(250, 165);
constexpr QRgb kClockColor = qRgb(51, 102, 204);

class StoppedClock : public Clock {
public:
    CalendarTime Now() const override { return 1'800'000'000; }
};

QImage Decoded(int id) {
    return QImage(BuiltInResources::PicturePath(id))
        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QRgb Opaque(QRgb color) {
    return color | 0xFF000000u;
}

class BreakScreenPixelsTest : public testing::Test {
protected:
    BreakScreenPixelsTest() : m_canvas(kScreen), m_renderer(m_settings, m_clock, m_sound, [] {}) {
        m_settings.runTime = 20;
        m_renderer.Initialize(m_canvas);
        m_renderer.RenderFrame();
    }

    const QImage& Screen() const { return m_canvas.BackBuffer(); }

    AppSettings m_settings;
    StoppedClock m_clock;
    QtSoundDevice m_sound;
    QtCanvas m_canvas;
    BreakRenderer m_renderer;
};

TEST_F(BreakScreenPixelsTest, BackgroundIsCentredAndTheRestStaysBlack) {
    const QImage background = Decoded(BuiltInResources::kBackgroundId);
    for (QPoint p : {QPoint(0, 0), QPoint(1023, 0), QPoint(0, 767), QPoint(1023, 767),
                     QPoint(700, 600), QPoint(900, 100)}) {
        EXPECT_EQ(Opaque(Screen().pixel(kBackgroundOrigin + p)), Opaque(background.pixel(p)))
            << p.x() << "," << p.y();
    }
    EXPECT_EQ(Opaque(Screen().pixel(kBackgroundOrigin.x() - 1, 400)), qRgb(0, 0, 0));
    EXPECT_EQ(Opaque(Screen().pixel(kBackgroundOrigin.x() + 1024, 400)), qRgb(0, 0, 0));
    EXPECT_EQ(Opaque(Screen().pixel(640, kBackgroundOrigin.y() - 1)), qRgb(0, 0, 0));
}

// Where the strip's first frame is transparent the background shows through unchanged; where it
// is opaque the strip's own pixel is on the screen.
TEST_F(BreakScreenPixelsTest, FirstAnimationFrameBlendsOverTheBackgroundAtItsPlace) {
    const QImage background = Decoded(BuiltInResources::kBackgroundId);
    const QImage strip = Decoded(BuiltInResources::kAnimationId);
    int transparentChecked = 0;
    int opaqueChecked = 0;
    for (int y = 0; y < kAnimationFrame.height(); y += 2) {
        for (int x = 0; x < kAnimationFrame.width(); x += 2) {
            const QPoint screen = kAnimationOrigin + QPoint(x, y);
            const int alpha = qAlpha(strip.pixel(x, y));
            if (alpha == 0) {
                ASSERT_EQ(Opaque(Screen().pixel(screen)),
                          Opaque(background.pixel(screen - kBackgroundOrigin)));
                ++transparentChecked;
            } else if (alpha == 255) {
                ASSERT_EQ(Opaque(Screen().pixel(screen)), Opaque(strip.pixel(x, y)));
                ++opaqueChecked;
            }
        }
    }
    EXPECT_GT(transparentChecked, 0);
    EXPECT_GT(opaqueChecked, 0);
}

TEST_F(BreakScreenPixelsTest, ClockIsDrawnInItsColourBelowAndRightOfItsCorner) {
    int clockPixels = 0;
    for (int y = 370; y < 370 + 35; ++y) {
        for (int x = 420; x < 420 + 200; ++x) {
            clockPixels += Opaque(Screen().pixel(x, y)) == kClockColor;
        }
    }
    EXPECT_GT(clockPixels, 50);
    for (int x = 380; x < 700; ++x) {
        EXPECT_NE(Opaque(Screen().pixel(x, 368)), kClockColor) << x;
    }
}

}  // namespace
}  // namespace velunor
