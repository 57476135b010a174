// Which parts of the desktop a break covers in black, around the scene on the primary monitor.
#include <gtest/gtest.h>

#include <vector>

#include "render/CoverLayout.h"

namespace velunor {
namespace {

using Rects = std::vector<Rect>;

TEST(CoverLayout, EveryMonitorIsCoveredOnceWhereverItLiesOutsideThePrimaryOne) {
    const Rect primary{0, 0, 1920, 1080};
    const Rect right{1920, 0, 1280, 1024};
    const Rect left{-1280, 56, 1280, 1024};
    struct Layout {
        Rects monitors;
        Rect primary;
        Rects covers;
    };
    const std::vector<Layout> layouts{
        {{primary}, primary, {}},              // one monitor
        {{primary, right}, primary, {right}},  // a second beside it
        {{primary, primary}, primary, {}},     // a mirror
        {{left, primary}, primary, {left}},    // a second left and lower
        {{{960, 0, 1920, 1080}, primary}, primary, {{1920, 0, 960, 1080}}},  // half over it
        {{right, primary, right}, primary, {right}},  // a second listed twice
        // The screen's own monitor, listed beside the two it is split into, spans them both: only
        // the strip below the smaller one is left for it.
        {{primary, right, {0, 0, 3200, 1080}}, primary, {right, {1920, 1024, 1280, 56}}},
        // A larger monitor around the scene.
        {{primary},
         {448, 156, 1024, 768},
         {{0, 0, 1920, 156}, {0, 924, 1920, 156}, {0, 156, 448, 768}, {1472, 156, 448, 768}}},
        {{right}, {}, {right}},  // no primary
    };
    for (std::size_t row = 0; row < layouts.size(); ++row) {
        const Layout& layout = layouts[row];
        EXPECT_EQ(CoverLayout::Covers(layout.monitors, layout.primary), layout.covers)
            << "row " << row;
    }
}

}  // namespace
}  // namespace velunor
