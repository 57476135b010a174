// The break screen's elements added and removed on another thread while the window thread draws:
// each element is destroyed exactly once and the registry empties. Run under ThreadSanitizer by
// scripts/sanitize.
#include <gtest/gtest.h>

#include <atomic>
#include <deque>
#include <memory>
#include <string_view>
#include <thread>

#include "render/ElementRegistry.h"
#include "support/RecordingCanvas.h"

namespace velunor {
namespace {

constexpr int kElements = 20'000;
constexpr int kLongestCycle = 8;  // frames; a finishing element goes after this many passes

// Elements make their caption fonts on the adding thread and drop them on whichever thread
// destroys them, so the counts are atomic.
struct ThreadSafeCountingCanvas : Canvas, ImageDrawer {
    struct CountedFont : Font {
        explicit CountedFont(std::atomic<long long>& count) : live(count) { ++live; }
        ~CountedFont() override { --live; }
        std::atomic<long long>& live;
    };
    int Width() const override { return 1920; }
    int Height() const override { return 1080; }
    std::unique_ptr<Picture> LoadResourceImage(int) override { return nullptr; }
    std::unique_ptr<Font> CreateFont(const FontSpec&) override {
        ++fontsMade;
        return std::make_unique<CountedFont>(liveFonts);
    }
    void DrawPicture(const Picture&, Rect, Rect) override {}
    void DrawText(const Font&, Color, int, int, std::string_view) override {}
    void Present() override {}
    void DrawImage(const Picture*, Rect, Rect) override {}

    std::atomic<long long> fontsMade{0}, liveFonts{0};
};

TEST(ElementRegistrySoak, ElementsAddedAndRemovedOnAnotherThreadAllGoOnceAndTheRegistryEmpties) {
    ThreadSafeCountingCanvas canvas;
    const test::FakePicture strip("strip", 100, 400);
    auto registry = std::make_unique<ElementRegistry>();

    // Every fourth element never finishes; the adding thread keeps the last 16 of those for the
    // registry's end to destroy, and removes the older ones itself, twice (the second does
    // nothing).
    std::atomic<bool> adding{true};
    std::thread adder([&] {
        std::deque<ImageElement*> forever;
        ElementParams params;
        params.canvas = &canvas;
        params.drawer = &canvas;
        params.image = &strip;
        params.right = canvas.Width();
        params.bottom = canvas.Height();
        for (int i = 0; i < kElements; ++i) {
            params.frameCount = 1 + i % kLongestCycle;
            params.endMode = i % 4 == 0 ? 0 : ElementParams::kFinishAfterCycle;
            ImageElement* element = registry->AddElement(params);
            if (params.endMode == 0) {
                forever.push_back(element);
            }
            if (forever.size() > 16) {
                registry->RemoveElement(forever.front());
                registry->RemoveElement(forever.front());
                forever.pop_front();
            }
        }
        adding = false;
    });
    while (adding) {
        registry->DrawElements();
    }
    adder.join();

    // What is left finishes within one cycle.
    for (int i = 0; i < kLongestCycle; ++i) {
        registry->DrawElements();
    }
    EXPECT_EQ(canvas.fontsMade, kElements);
    EXPECT_EQ(canvas.liveFonts, 16);  // every other element destroyed, none twice
    registry.reset();
    EXPECT_EQ(canvas.liveFonts, 0);
}

}  // namespace
}  // namespace velunor
