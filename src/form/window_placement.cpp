#include "form/window_placement.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace tes {

namespace {

std::int64_t Overlap(const ScreenRect& a, const ScreenRect& b) {
    const std::int64_t width = std::min(a.right(), b.right()) - std::max(a.x, b.x);
    const std::int64_t height = std::min(a.bottom(), b.bottom()) - std::max(a.y, b.y);
    return width > 0 && height > 0 ? width * height : 0;
}

} // namespace

ScreenRect PlaceBeside(const BesideRequest& request) {
    const ScreenRect& screen = request.screen;
    const ScreenRect& main = request.main;
    const int height = std::min(request.height, screen.height);
    const int level = std::clamp(main.y, screen.y, std::max(screen.y, screen.bottom() - height));
    const int rightRoom = screen.right() - main.right();
    const int leftRoom = main.x - screen.x;
    if (rightRoom >= request.width)
        return {main.right(), level, request.width, height};
    if (leftRoom >= request.width)
        return {main.x - request.width, level, request.width, height};
    const int least = std::min(request.leastWidth, request.width);
    if (std::max(rightRoom, leftRoom) >= least) {
        return rightRoom >= leftRoom ? ScreenRect{main.right(), level, rightRoom, height}
                                     : ScreenRect{screen.x, level, leftRoom, height};
    }
    // It must cover some of the main window: the place that hides the fewest of its buttons' pixels,
    // then the fewest of its own; the right side, level with it, first among equals.
    const int width = std::min(least, screen.width);
    ScreenRect best;
    std::pair<std::int64_t, std::int64_t> bestCover{-1, -1};
    for (const int x : {screen.right() - width, screen.x}) {
        for (const int y : {level, screen.y, screen.bottom() - height}) {
            const ScreenRect place{x, y, width, height};
            std::pair<std::int64_t, std::int64_t> cover{0, Overlap(place, main)};
            for (const ScreenRect& button : request.keepClear)
                cover.first += Overlap(place, button);
            if (bestCover.first < 0 || cover < bestCover) {
                best = place;
                bestCover = cover;
            }
        }
    }
    return best;
}

} // namespace tes
