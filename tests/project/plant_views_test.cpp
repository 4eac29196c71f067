// A view that looks nowhere is refused, naming the view; each value's range is its key's reader's.
#include "project/plant_views.h"

#include <gtest/gtest.h>

namespace tes {
namespace {

TEST(PlantViews, RefusesTheCameraOnItsTarget) {
    const PlantView good{{0, 0}, {1, 0}, 45, 10, 0, 0};
    const PlantView nowhere{{0, 0}, {0, 0}, 45, 10, 0, 0};
    EXPECT_EQ(ViewProblem(good), std::nullopt);
    EXPECT_EQ(ViewProblem(nowhere).value_or(""),
              "the camera and the target are the same point, so the view looks nowhere");
    EXPECT_EQ(ViewsProblem({good, nowhere}).value_or("").substr(0, 7), "View2: ");
}

} // namespace
} // namespace tes
