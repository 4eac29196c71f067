#include "form/window_placement.h"

#include <gtest/gtest.h>

namespace tes::test {
namespace {

// A 1920x1080 screen with its task bar, and the preview's size with its frame.
constexpr ScreenRect kScreen{0, 0, 1920, 1040};
constexpr int kWidth = 776;
constexpr int kHeight = 800;

TEST(WindowPlacement, BesideTheMainWindowElseWhereItHidesTheLeastOfIt) {
    const ScreenRect enlarged{510, 90, 900, 900}; // 900x900, centred
    const ScreenRect process{981, 106, 114, 217}; // its column of buttons
    const struct {
        const char* name;
        ScreenRect main;
        std::vector<ScreenRect> buttons;
        int height, leastWidth;
        ScreenRect placed;
    } cases[] = {
        {"right", {100, 100, 600, 600}, {}, kHeight, 500, {700, 100, kWidth, kHeight}},
        {"left", {1100, 100, 800, 600}, {}, kHeight, 500, {324, 100, kWidth, kHeight}},
        {"too tall", {100, 100, 600, 600}, {}, 1200, 500, {700, 0, kWidth, 1040}},
        {"level, on screen", {100, 500, 600, 500}, {}, kHeight, 500, {700, 240, kWidth, kHeight}},
        {"narrowed", enlarged, {process}, kHeight, 480, {1410, 90, 510, kHeight}},
        {"over it, clear of buttons", enlarged, {process}, kHeight, 600, {1320, 0, 600, kHeight}},
        {"maximized: below buttons",
         kScreen,
         {{1400, 20, 114, 220}},
         kHeight,
         600,
         {1320, 240, 600, kHeight}},
        {"maximized: left edge", kScreen, {{1700, 20, 114, 900}}, kHeight, 600, {0, 0, 600, kHeight}},
    };
    for (const auto& c : cases) {
        const ScreenRect placed = PlaceBeside({kScreen, c.main, c.buttons, kWidth, c.height, c.leastWidth});
        EXPECT_EQ(placed, c.placed) << c.name << ": " << placed.x << ',' << placed.y << ' ' << placed.width
                                    << 'x' << placed.height;
    }
}

} // namespace
} // namespace tes::test
