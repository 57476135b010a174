// Which parts of the desktop a break covers in black, around the scene on the primary monitor.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/CoverLayout.h"

namespace velunor {
namespace {

using Rects = std::vector<Rect>;

struct Layout {
    std::string name;
    Rects monitors;
    Rect primary;
    Rects covers;
};

TEST(CoverLayout, EveryMonitorIsCoveredOnceWhereverItLiesOutsideThePrimaryOne) {
    const Rect primary{0, 0, 1920, 1080};
    const Rect right{1920, 0, 1280, 1024};
    const std::vector<Layout> layouts{
        {"one monitor", {primary}, primary, {}},
        {"a second beside it", {primary, right}, primary, {right}},
        {"a mirror", {primary, primary}, primary, {}},
        {"a second left of and lower than it",
         {{-1280, 56, 1280, 1024}, primary},
         primary,
         {{-1280, 56, 1280, 1024}}},
        {"a second half over it", {{960, 0, 1920, 1080}, primary}, primary, {{1920, 0, 960, 1080}}},
        {"a second listed twice", {right, primary, right}, primary, {right}},
        // The screen's own monitor, listed beside the two it is split into, spans them both: only
        // the strip below the smaller one is left for it.
        {"the whole screen beside its two halves",
         {primary, right, {0, 0, 3200, 1080}},
         primary,
         {right, {1920, 1024, 1280, 56}}},
        {"a larger one around it",
         {{0, 0, 1920, 1080}},
         {448, 156, 1024, 768},
         {{0, 0, 1920, 156}, {0, 924, 1920, 156}, {0, 156, 448, 768}, {1472, 156, 448, 768}}},
        {"no primary", {right}, {}, {right}},
    };
    for (const Layout& layout : layouts) {
        EXPECT_EQ(CoverLayout::Covers(layout.monitors, layout.primary), layout.covers)
            << layout.name;
    }
}

}  // namespace
}  // namespace velunor
