// The break screen's elements coming and going on another thread while the window thread draws
// pass after pass: nothing may be drawn after it went, lost, or destroyed twice, and the registry
// must empty once nobody adds any more. Run under ThreadSanitizer by scripts/sanitize.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <deque>
#include <memory>
#include <string_view>
#include <thread>

#include "render/ElementRegistry.h"
#include "support/CanvasDrawer.h"
#include "support/RecordingCanvas.h"

namespace velunor {
namespace {

constexpr int kElements = 20'000;
constexpr int kLongestCycle = 8;  // frames; a finishing element goes after this many passes
constexpr int kKeptForever = 16;  // elements that never finish, removed by the adding thread

// Elements make their caption fonts on the thread that adds them and drop them on whichever
// thread destroys them, so this canvas counts with atomics.
class ThreadSafeCountingCanvas : public Canvas {
public:
    int Width() const override { return 1920; }
    int Height() const override { return 1080; }
    std::unique_ptr<Picture> LoadResourceImage(int) override { return nullptr; }
    std::unique_ptr<Font> CreateFont(const FontSpec&) override {
        ++fontsMade;
        return std::make_unique<CountedFont>(liveFonts);
    }
    void DrawPicture(const Picture&, Rect, Rect) override { ++pictures; }
    void DrawText(const Font&, Color, int, int, std::string_view) override {}
    void Present() override {}

    std::atomic<long long> pictures{0};
    std::atomic<long long> fontsMade{0};
    std::atomic<long long> liveFonts{0};

private:
    struct CountedFont : Font {
        explicit CountedFont(std::atomic<long long>& live) : live(live) { ++live; }
        ~CountedFont() override { --live; }
        std::atomic<long long>& live;
    };
};

ElementParams ElementNumber(int i, Canvas& canvas, ImageDrawer& drawer, const Picture& strip) {
    ElementParams params;
    params.canvas = &canvas;
    params.drawer = &drawer;
    params.image = &strip;
    params.right = canvas.Width();
    params.bottom = canvas.Height();
    params.frameCount = 1 + i % kLongestCycle;
    params.endMode = i % 4 == 0 ? 0 : ElementParams::kFinishAfterCycle;
    params.x = i % canvas.Width();
    params.stepX = 1 + i % 7;
    params.stepY = i % 5;
    return params;
}

// Adds every element; keeps the never-ending ones for a while and removes them itself, oldest
// first, the last ones at the end.
void AddAndRemove(ElementRegistry& registry, Canvas& canvas, ImageDrawer& drawer,
                  const Picture& strip) {
    std::deque<ImageElement*> forever;
    for (int i = 0; i < kElements; ++i) {
        const ElementParams params = ElementNumber(i, canvas, drawer, strip);
        ImageElement* element = registry.AddElement(params);
        if (params.endMode == 0) {
            forever.push_back(element);
        }
        if (forever.size() > kKeptForever) {
            registry.RemoveElement(forever.front());
            forever.pop_front();
        }
    }
    for (ImageElement* element : forever) {
        registry.RemoveElement(element);
    }
}

TEST(ElementRegistrySoak, ElementsAddedAndRemovedOnAnotherThreadAllGoOnceAndTheRegistryEmpties) {
    ThreadSafeCountingCanvas canvas;
    test::CanvasDrawer drawer(canvas);
    const test::FakePicture strip("strip", 100, 400);
    auto registry = std::make_unique<ElementRegistry>();

    std::atomic<bool> adding{true};
    std::thread adder([&] {
        AddAndRemove(*registry, canvas, drawer, strip);
        adding = false;
    });
    long long passes = 0;
    while (adding) {
        registry->DrawElements();
        ++passes;
    }
    adder.join();

    // What is left finishes within one cycle; after that a pass has nothing to draw.
    for (int i = 0; i < kLongestCycle; ++i) {
        registry->DrawElements();
    }
    const long long drawn = canvas.pictures;
    registry->DrawElements();
    EXPECT_EQ(canvas.pictures, drawn);
    EXPECT_EQ(canvas.fontsMade, kElements);
    EXPECT_EQ(canvas.liveFonts, 0);  // every element destroyed, none twice
    registry.reset();
    EXPECT_EQ(canvas.liveFonts, 0);
    std::printf("%lld passes drew %lld pictures while %d elements came and went\n", passes, drawn,
                kElements);
}

}  // namespace
}  // namespace velunor
