#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "render/ElementRegistry.h"
#include "support/CanvasDrawer.h"
#include "support/RecordingCanvas.h"

namespace velunor {
namespace {

using test::CanvasCall;

class Registry : public ::testing::Test {
protected:
    // A still element that never finishes, showing the picture of the given name.
    ElementParams Params(const std::string& name) {
        pictures.push_back(std::make_unique<test::FakePicture>(name, 10, 10));
        ElementParams params;
        params.canvas = &canvas;
        params.drawer = &drawer;
        params.image = pictures.back().get();
        params.right = 1000;
        params.bottom = 1000;
        params.frameCount = 1;
        return params;
    }
    std::vector<std::string> Pass() {
        canvas.Clear();
        registry->DrawElements();
        return canvas.Names();
    }
    long Released() const {
        return std::count_if(canvas.log->begin(), canvas.log->end(), [](const CanvasCall& call) {
            return call.kind == CanvasCall::Kind::Released;
        });
    }

    test::RecordingCanvas canvas;
    test::CanvasDrawer drawer{canvas};
    std::vector<std::unique_ptr<test::FakePicture>> pictures;
    std::unique_ptr<ElementRegistry> registry = std::make_unique<ElementRegistry>();
};

TEST_F(Registry, DrawsEveryElementOncePerPassInTheOrderOfTheirAddresses) {
    EXPECT_TRUE(Pass().empty());

    std::map<const ImageElement*, std::string, std::less<const ImageElement*>> byAddress;
    for (const char* name : {"a", "b", "c", "d", "e", "f"}) {
        byAddress[registry->AddElement(Params(name))] = name;
    }
    std::vector<std::string> expected;
    for (const auto& [address, name] : byAddress) {
        expected.push_back(name);
    }
    EXPECT_EQ(Pass(), expected);
    EXPECT_EQ(Pass(), expected);
}

TEST_F(Registry, AnElementThatCannotBeMadeIsNotRegistered) {
    ElementParams noDrawer = Params("x");
    noDrawer.drawer = nullptr;
    EXPECT_EQ(registry->AddElement(noDrawer), nullptr);
    ElementParams noCanvas = Params("y");
    noCanvas.canvas = nullptr;
    EXPECT_EQ(registry->AddElement(noCanvas), nullptr);
    EXPECT_TRUE(Pass().empty());
}

TEST_F(Registry, AFinishedElementGoesRightAfterItsLastDrawingAndTheOthersStillDraw) {
    for (const char* name : {"a", "b", "c"}) {
        registry->AddElement(Params(name));
    }
    ElementParams once = Params("once");
    once.endMode = ElementParams::kFinishAfterCycle;
    registry->AddElement(once);

    const std::vector<std::string> first = Pass();
    ASSERT_EQ(first.size(), 5u);
    const auto drawn = std::find(first.begin(), first.end(), "once");
    ASSERT_NE(drawn, first.end());
    EXPECT_EQ(*(drawn + 1), "font 27");  // its caption font went with it, before the next draw
    EXPECT_EQ(std::count(first.begin(), first.end(), "font 27"), 1);

    const std::vector<std::string> second = Pass();
    EXPECT_EQ(second.size(), 3u);
    EXPECT_EQ(std::count(second.begin(), second.end(), "once"), 0);
}

// The element is added from another thread while the pass draws: this also shows that no lock is
// held while an element draws, or the thread would wait for ever.
TEST_F(Registry, AnElementAddedDuringAPassIsFirstDrawnInTheNext) {
    struct AddingDrawer : ImageDrawer {
        std::function<void()> onDraw;
        void DrawImage(const Picture*, Rect, Rect) override {
            if (onDraw) {
                std::exchange(onDraw, nullptr)();
            }
        }
    } adding;
    ElementParams first = Params("first");
    first.drawer = &adding;
    registry->AddElement(first);
    const ElementParams late = Params("late");
    ImageElement* added = nullptr;
    adding.onDraw = [&] {
        std::thread other([&] { added = registry->AddElement(late); });
        other.join();
    };

    EXPECT_TRUE(Pass().empty());  // "first" drew through the adding drawer, "late" did not draw
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(Pass(), (std::vector<std::string>{"late"}));
}

TEST_F(Registry, RemovingDestroysAnElementOnceAndTheRegistryDestroysTheRest) {
    ImageElement* gone = registry->AddElement(Params("gone"));
    for (const char* name : {"a", "b", "c"}) {
        registry->AddElement(Params(name));
    }
    registry->RemoveElement(gone);
    EXPECT_EQ(Released(), 1);
    registry->RemoveElement(gone);  // no longer registered: nothing happens
    EXPECT_EQ(Released(), 1);
    EXPECT_EQ(Pass().size(), 3u);

    registry.reset();
    EXPECT_EQ(Released(), 3);
}

}  // namespace
}  // namespace velunor
