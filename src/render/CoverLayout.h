#pragma once

#include <vector>

#include "render/Canvas.h"

namespace velunor {

// Where a break puts its plain black covers: the scene fills the primary monitor, and every part
// of every other monitor that lies outside it is covered, so that nothing else can be seen or used
// during the break. Rectangles are in desktop pixels.
class CoverLayout {
public:
    // Rectangles that do not overlap one another or the primary monitor and together fill every
    // monitor's area outside the primary one. A monitor that mirrors the primary one, or lies
    // within it, needs none; one that overlaps it is covered only where the primary one ends.
    // Monitors listed more than once, or overlapping each other, are covered once.
    static std::vector<Rect> Covers(const std::vector<Rect>& monitors, Rect primary);

private:
    // What is left of a rectangle outside another: up to four bands, above, below, left and right.
    static std::vector<Rect> Outside(Rect area, Rect hole);
};

}  // namespace velunor
