// A view or a thinning that cannot be used is refused, naming what is wrong.
#include "project/plant_views.h"

#include <gtest/gtest.h>

namespace tes {
namespace {

TEST(PlantViews, RefusesWhatCannotBeUsed) {
    const PlantView good{{0, 0}, {1, 0}, 45, 10, 0, 0};
    const struct {
        PlantView view;
        const char* problem; // empty: usable
    } cases[] = {
        {good, ""},
        {{{0, 0}, {0, 0}, 45, 10, 0, 0}, "the camera and the target are the same point"},
        {{{0, 0}, {1, 0}, 0.99, 10, 0, 0}, "the field of view must lie between 1 and 179.9 degrees"},
        {{{0, 0}, {1, 0}, 179.91, 10, 0, 0}, "the field of view"},
        {{{0, 0}, {1, 0}, 179.9, 0, 0, 0}, ""},
        {{{0, 0}, {1, 0}, 45, -1, 0, 0}, "the margin"},
        {{{0, 0}, {1, 0}, 45, 10, -1, 0}, "the keep radius"},
        {{{0, 0}, {1, 0}, 45, 10, 0, -0.5}, "the far distance"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ViewProblem(c.view).value_or("").substr(0, std::string(c.problem).size()), c.problem);
    EXPECT_EQ(ViewsProblem({good, {{0, 0}, {1, 0}, 200, 10, 0, 0}}).value_or("").substr(0, 7), "View2: ");
    EXPECT_FALSE(ThinningProblem({100, 0, 100}));
    EXPECT_TRUE(ThinningProblem({101, 0, 100}) && ThinningProblem({50, -1, 0}) &&
                ThinningProblem({50, 5, -1}));
}

} // namespace
} // namespace tes
