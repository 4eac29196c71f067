#include "core/preview/preview_raster.h"
#include "core/preview/preview_scene.h"
#include "core/preview/preview_views.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tes {
namespace {

// Records of kinds 5, 7 and 12 around the main tile's middle, on a quarter-unit grid: with the object
// scale at 100 every position is exact as a float, so marking again must give what a build gives.
// With `limit`, an area with a soft edge clears a corner of the tile and kind 7 stands only up to a
// height, which no new view changes.
PreviewInput Input(std::vector<PlantView> views, bool thin, bool limit = false) {
    PreviewInput input;
    input.placement.terrainWidth = 5;
    input.placement.useObjectScale = true;
    input.placement.objectScale = 100;
    input.kinds = {{"5", "Pine", {"5", "05"}}, {"7", "", {"7"}}};
    input.seed = 3;
    if (thin) {
        KindRow pine{"5"};
        pine.plants.thinning.keep = 50;
        KindRow seven{"7"};
        seven.plants.thinning = {100, 150, 30};
        input.kindRows = {pine, seven};
    }
    if (limit) {
        KindRow seven{"7"};
        seven.plants.heights.max = 0.5;
        input.kindRows.push_back(seven);
        PlantArea corner;
        corner.points = {{-400, -400}, {100, -400}, {100, 50}, {-400, 50}};
        corner.falloff = 60;
        input.areas = {corner};
    }
    input.views = std::move(views);
    return input;
}

LineList Records() {
    LineList records;
    records.append("5,x,0"); // no place: never left out
    std::uint32_t state = 12345;
    const char* kinds[] = {"5", "05", "7", "12"};
    for (int i = 0; i < 4000; ++i) {
        state = state * 1664525u + 1013904223u;
        const double x = 1500 + (state >> 8) % 3400 / 4.0;
        state = state * 1664525u + 1013904223u;
        const double z = 1500 + (state >> 8) % 3400 / 4.0;
        records.append(std::string(kinds[i % 4]) + "," + std::to_string(x) + "," + std::to_string(i % 3) +
                       "," + std::to_string(z));
    }
    return records;
}

TEST(PreviewViews, MarkingAgainGivesWhatABuildGives) {
    const PlantView ahead{{0, -300}, {0, 0}, 45, 10, 40, 0};
    const PlantView wide{{100, 100}, {-50, 120}, 150, 25, 0, 250};
    const PlantView back{{-200, 0}, {-300, 0}, 20, 0, 0, 100};
    const struct {
        std::vector<PlantView> before, after;
        bool thin;
        bool limit = false;
    } cases[] = {
        {{}, {ahead}, true, true},        // views over an area, a height limit and thinning
        {{ahead}, {}, false, true},       // the area and the height limit alone
        {{}, {ahead}, true},              // a first view over thinned kinds
        {{ahead, wide}, {}, true},        // no view left: the thinning alone
        {{ahead}, {}, false},             // nothing leaves plants out any more
        {{}, {ahead, wide, back}, false}, // several views, a far distance, a wide field
        {{wide}, {back, ahead}, true},    // thinning beyond 150 from the nearest camera
    };
    const LineList records = Records();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.before.size()) + " views to " + std::to_string(c.after.size()));
        PreviewScene marked = BuildPreviewScene(Input(c.before, c.thin, c.limit), records);
        MarkPreviewViews(marked, c.after);
        const PreviewScene built = BuildPreviewScene(Input(c.after, c.thin, c.limit), records);
        EXPECT_EQ(marked.leftOut, built.leftOut);
        EXPECT_EQ(marked.thinned, built.thinned);
        ASSERT_EQ(marked.kinds.size(), built.kinds.size());
        for (std::size_t k = 0; k < built.kinds.size(); ++k) {
            EXPECT_EQ(marked.kinds[k].filtered, built.kinds[k].filtered) << built.kinds[k].label;
            EXPECT_EQ(marked.kinds[k].shown, built.kinds[k].shown) << built.kinds[k].label;
        }
        EXPECT_EQ(marked.extent.minY, built.extent.minY);
        EXPECT_EQ(marked.extent.maxX, built.extent.maxX);
        EXPECT_EQ(marked.thinned.empty(), !c.thin) << "one byte per record only where a kind thins";
        for (const PreviewKind& kind : built.kinds) { // the limits leave some of each limited kind out
            if (c.limit && kind.number != "12") {
                EXPECT_TRUE(kind.shown > 0 && kind.shown < kind.count) << kind.label;
            }
        }
    }
}

// Fit frames the tile, its dots and the views' cameras and targets about their own middle, so a
// distant camera leaves no half of the picture empty.
TEST(PreviewViews, FitFramesThePlantsAndTheViewsAboutTheirMiddle) {
    const std::vector<PlantView> cases[] = {
        {},
        {PlantView{{3000, 0}, {0, 0}}},
        {PlantView{{-2500, -4000}, {-2400, -3900}}, PlantView{{0, -300}, {0, 0}}},
    };
    const LineList records = Records();
    for (const std::vector<PlantView>& views : cases) {
        SCOPED_TRACE(std::to_string(views.size()) + " views");
        const PreviewScene scene = BuildPreviewScene(Input(views, false), records);
        const PreviewView view = FitView(scene, 800, 600);
        const PreviewSquare& box = scene.extent;
        EXPECT_NEAR(view.pixelX(box.minX) + view.pixelX(box.maxX), 800, 1e-6);
        EXPECT_NEAR(view.pixelY(box.minY) + view.pixelY(box.maxY), 600, 1e-6);
        // Its longer side takes the share of the picture's shorter side that a fit leaves the tile.
        const double side = std::max(view.pixelX(box.maxX) - view.pixelX(box.minX),
                                     view.pixelY(box.minY) - view.pixelY(box.maxY));
        EXPECT_NEAR(side, 0.9 * 600, 1e-6);
    }
}

} // namespace
} // namespace tes
