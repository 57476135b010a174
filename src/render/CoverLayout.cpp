#include "render/CoverLayout.h"

#include <algorithm>

namespace velunor {
namespace {

bool IsEmpty(Rect rect) {
    return rect.width <= 0 || rect.height <= 0;
}

int Right(Rect rect) {
    return rect.x + rect.width;
}

int Bottom(Rect rect) {
    return rect.y + rect.height;
}

}  // namespace

// Each monitor gives what is left of it once the primary one and the covers found so far are cut
// out of it, so no pixel is covered twice.
std::vector<Rect> CoverLayout::Covers(const std::vector<Rect>& monitors, Rect primary) {
    std::vector<Rect> covers;
    for (const Rect& monitor : monitors) {
        std::vector<Rect> pieces = Outside(monitor, primary);
        for (const Rect& covered : covers) {
            std::vector<Rect> left;
            for (const Rect& piece : pieces) {
                const std::vector<Rect> rest = Outside(piece, covered);
                left.insert(left.end(), rest.begin(), rest.end());
            }
            pieces = std::move(left);
        }
        covers.insert(covers.end(), pieces.begin(), pieces.end());
    }
    return covers;
}

std::vector<Rect> CoverLayout::Outside(Rect area, Rect hole) {
    if (IsEmpty(area)) {
        return {};
    }
    const int top = std::clamp(hole.y, area.y, Bottom(area));
    const int bottom = std::clamp(Bottom(hole), top, Bottom(area));
    const int left = std::clamp(hole.x, area.x, Right(area));
    const int right = std::clamp(Right(hole), left, Right(area));
    if (IsEmpty(hole) || top == bottom || left == right) {
        return {area};  // the hole misses the area
    }
    std::vector<Rect> bands{
        Rect{area.x, area.y, area.width, top - area.y},
        Rect{area.x, bottom, area.width, Bottom(area) - bottom},
        Rect{area.x, top, left - area.x, bottom - top},
        Rect{right, top, Right(area) - right, bottom - top},
    };
    std::erase_if(bands, IsEmpty);
    return bands;
}

}  // namespace velunor
