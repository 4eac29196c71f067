// Where the project's areas let a kind's plants grow, and that a build keeps exactly those plants.
#include "core/place/placement_frame.h"
#include "core/plants/area_rule.h"
#include "core/plants/plant_filter.h"
#include "core/script/placement_script.h"
#include "lib/file_access.h"
#include "support/placement_reader.h"
#include "support/point_cache_reader.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace tes {
namespace {

PlantArea Area(std::vector<GroundPoint> points, AreaMode mode = AreaMode::exclude,
               std::optional<double> width = std::nullopt, double falloff = 0,
               std::vector<std::string> kinds = {}) {
    return {std::move(points), width, mode, std::move(kinds), falloff};
}

const std::vector<GroundPoint> kSquare{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
const std::vector<GroundPoint> kRoad{{0, 0}, {10, 0}};

TEST(AreaRule, ShareAtTheEdges) {
    const AreaMode in = AreaMode::include;
    // A ring by even-odd: the outline, a bridge to the hole, the hole, and back along the bridge.
    const std::vector<GroundPoint> ring{{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0},
                                        {3, 3}, {3, 7},  {7, 7},   {7, 3},  {3, 3}};
    const std::vector<GroundPoint> bowTie{{0, 0}, {10, 10}, {10, 0}, {0, 10}};
    const std::vector<GroundPoint> star{{0, 10}, {6, -8}, {-9.5, 3}, {9.5, 3}, {-6, -8}};
    const struct {
        const char* what;
        std::vector<PlantArea> areas;
        std::string kind;
        double X, Y;
        double share;
    } cases[] = {
        {"inside", {Area(kSquare)}, "5", 5, 5, 0},
        {"outside", {Area(kSquare)}, "5", 15, 5, 1},
        {"on an edge: inside", {Area(kSquare)}, "5", 10, 5, 0},
        {"on a vertex: inside", {Area(kSquare)}, "5", 10, 10, 0},
        {"include: inside", {Area(kSquare, in)}, "5", 5, 5, 1},
        {"include: on an edge, no falloff", {Area(kSquare, in)}, "5", 0, 5, 1},
        {"include: outside", {Area(kSquare, in)}, "5", 10.001, 5, 0},
        {"self-crossing: a lobe", {Area(bowTie)}, "5", 2, 5, 0},
        {"self-crossing: the crossing", {Area(bowTie)}, "5", 5, 5, 0},
        {"self-crossing: between the lobes", {Area(bowTie)}, "5", 5, 2, 1},
        {"a star's point", {Area(star)}, "5", 0, 8, 0},
        {"a star's middle, crossed twice", {Area(star)}, "5", 0, 0, 1},
        {"a ring", {Area(ring)}, "5", 1, 5, 0},
        {"a ring's hole", {Area(ring)}, "5", 5, 5, 1},
        {"a ring's bridge is its edge", {Area(ring)}, "5", 1.5, 1.5, 0},
        {"a line", {Area(kRoad, AreaMode::exclude, 4)}, "5", 5, 2, 0},
        {"beside a line", {Area(kRoad, AreaMode::exclude, 4)}, "5", 5, 2.001, 1},
        {"a line's round end", {Area(kRoad, AreaMode::exclude, 4)}, "5", 11.9, 0, 0},
        {"no square corner at its end", {Area(kRoad, AreaMode::exclude, 4)}, "5", -1.5, 1.5, 1},
        {"a line of no width: on it", {Area(kRoad, AreaMode::exclude, 0)}, "5", 5, 0, 0},
        {"a line of no width: beside it", {Area(kRoad, AreaMode::exclude, 0)}, "5", 5, 1e-9, 1},
        {"falloff: on the edge", {Area(kSquare, AreaMode::exclude, {}, 4)}, "5", 10, 5, 0},
        {"falloff: half way", {Area(kSquare, AreaMode::exclude, {}, 4)}, "5", 12, 5, 0.5},
        {"falloff: at F", {Area(kSquare, AreaMode::exclude, {}, 4)}, "5", 14, 5, 1},
        {"falloff inside an include area", {Area(kSquare, in, {}, 4)}, "5", 1, 5, 0.25},
        {"include: falloff at its edge", {Area(kSquare, in, {}, 4)}, "5", 0, 5, 0},
        {"falloff beside a line", {Area(kRoad, AreaMode::exclude, 2, 2)}, "5", 5, 2, 0.5},
        {"include and exclude: the hole",
         {Area(kSquare, in), Area({{4, 4}, {6, 4}, {6, 6}})},
         "5",
         5,
         4.5,
         0},
        {"include and exclude: beside it", {Area(kSquare, in), Area({{4, 4}, {6, 4}, {6, 6}})}, "5", 2, 2, 1},
        {"two includes: the union",
         {Area(kSquare, in), Area({{20, 20}, {30, 20}, {30, 30}}, in)},
         "5",
         29,
         21,
         1},
        {"two includes: between",
         {Area(kSquare, in), Area({{20, 20}, {30, 20}, {30, 30}}, in)},
         "5",
         15,
         15,
         0},
        {"its kinds: 05 is 5", {Area(kSquare, AreaMode::exclude, {}, 0, {"1", "5"})}, "05", 5, 5, 0},
        {"another kind", {Area(kSquare, AreaMode::exclude, {}, 0, {"1", "5"})}, "6", 5, 5, 1},
        {"an include area of another kind", {Area(kSquare, in, {}, 0, {"7"})}, "5", 50, 50, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AreaRule(c.areas, c.kind).share(c.X, c.Y), c.share) << c.what;
}

// Many areas go through the grid: every plant gets the share a test of every area gives.
// Without a soft edge an area takes a shorter road; an exclude area keeps a plant exactly where the same
// area with a soft edge keeps some share of it (none only inside, the edge and a road's border included).
TEST(AreaRule, AHardEdgeDecidesAsASoftEdgeDoes) {
    const std::vector<GroundPoint> bent{{0, 0}, {10, 0}, {5, 3}, {10, 10}, {0, 10}},
        road{{0, 0}, {10, 0}, {10, 7}};
    for (const auto& [points, width] :
         {std::pair(bent, std::optional<double>()), std::pair(road, std::optional(3.0))}) {
        const AreaShape hard(Area(points, AreaMode::exclude, width)),
            soft(Area(points, AreaMode::exclude, width, 4));
        for (double X = -3; X <= 13; X += 0.25) {
            for (double Y = -3; Y <= 13; Y += 0.25)
                ASSERT_EQ(hard.share(X, Y), soft.share(X, Y) > 0 ? 1 : 0) << X << ',' << Y;
        }
    }
}

TEST(AreaRule, TheGridGivesWhatEveryAreaGives) {
    std::vector<PlantArea> areas;
    for (int i = 0; i < 100; ++i) {
        const double x = (i % 10) * 97.0, y = (i / 10) * 83.0;
        areas.push_back(
            i % 2 ? Area({{x, y}, {x + 40, y + 5}, {x + 10, y + 60}}, AreaMode::exclude, {}, 15)
                  : Area({{x, y}, {x + 70, y + 30}}, i % 4 ? AreaMode::exclude : AreaMode::include, 12, 8));
    }
    const AreaRule rule(areas, "5");
    std::vector<AreaShape> shapes(areas.begin(), areas.end());
    for (int i = 0; i < 20000; ++i) {
        const double X = -50 + (i % 173) * 6.1, Y = -50 + (i / 173) * 8.3;
        double included = 0, excluded = 1;
        for (const AreaShape& shape : shapes) {
            (shape.includes() ? included : excluded) = shape.includes()
                                                           ? std::max(included, shape.share(X, Y))
                                                           : std::min(excluded, shape.share(X, Y));
        }
        ASSERT_EQ(rule.share(X, Y), std::min(included, excluded)) << X << ',' << Y;
    }
}

// A plant kept at a falloff is kept at any narrower one, since d / F only grows as F shrinks; and the
// soft edge takes the thinning's draw, so a thinned kind is not thinned twice there.
TEST(AreaRule, ANarrowerFalloffKeepsEveryPlantAWiderOneKeeps) {
    std::vector<PlantFilter> filters;
    for (const double falloff : {0.0, 5.0, 20.0, 80.0}) {
        filters.emplace_back(std::vector<PlantView>{}, PlantThinning{60, 0, 100}, 4, 5);
        filters.back().limit({}, {Area(kSquare, AreaMode::exclude, {}, falloff)}, "5");
    }
    int band = 0;
    for (int i = 0; i < 40000; ++i) {
        const double X = 10 + (i % 200) * 0.5, Y = -20 + (i / 200) * 0.25, x = 700 + i * 0.37, z = 900 + i;
        const double u = ThinningDraw(4, 5, x, z);
        for (std::size_t f = 0; f + 1 < filters.size(); ++f)
            ASSERT_TRUE(!filters[f + 1].keeps(X, Y, x, z) || filters[f].keeps(X, Y, x, z)) << X << ',' << Y;
        // At 20: inside the band kept below the smaller of the two shares, beyond it the thinning's.
        const double d = std::hypot(X - 10, Y < 0 ? Y : Y > 10 ? Y - 10 : 0);
        if (X > 10 && d < 20 && d > 0.01) {
            ASSERT_EQ(filters[2].keeps(X, Y, x, z), u < std::min(0.6, d / 20)) << X << ',' << Y;
        }
        band += d < 20;
    }
    EXPECT_GT(band, 1000);
}

// The build of one kind with a view, thinning, areas and height limits: the script and the cache hold
// exactly the plants an independent working of the rules keeps.
TEST(AreaRule, BuildKeepsExactlyThePlantsTheRulesKeep) {
    LineList records;
    for (int i = 0; i < 4000; ++i)
        records.append((i % 3 ? "5," : "7,") + std::to_string(700 + i * 131 % 1700 + i % 8 / 8.0) + "," +
                       std::to_string(i % 7) + "," + std::to_string(700 + i * 197 % 1700));
    test::TempDir dir;
    PlacementRequest request;
    PlacementOptions& o = request.options;
    o.kindNumber = "5";
    o.maxFile = "C:\\M\\Oak.max";
    o.objectName = "Oak";
    o.terrainWidth = 5;
    o.projectBasePath = dir.file("V");
    o.style = {ScriptShape::Fast, false, false, PointCache::Csv};
    o.seed = 9;
    o.views = {{{-500, 0}, {0, 0}, 100, 20, 0, 0}}; // 60 degrees each side of +X
    o.plants.thinning = {70, 0, 100};
    o.plants.heights = {0.5, 1.7};
    o.areas = {Area({{-300, -100}, {-100, -100}, {-100, 100}, {-300, 100}}, AreaMode::exclude, {}, 50),
               Area({{-1000, 200}, {1000, 200}}, AreaMode::exclude, 40),
               Area({{0, 0}, {1, 0}, {0, 1}}, AreaMode::include, {}, 0, {"7"})};
    request.records = &records;
    const PlacementResult built = BuildPlacementScript(request);
    ASSERT_EQ(built.outcome, BuildOutcome::Built);

    PositionRule rule;
    static_cast<ScenePlacement&>(rule) = ComputePlacementFrame(o).placement();
    rule.number = "5";
    std::vector<ScenePoint> kept;
    std::size_t cleared = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (!rule.matches(records[i]))
            continue;
        double xz[2];
        const ScenePoint p = rule.placeRecord(records[i], xz);
        const double u = ThinningDraw(9, 5, xz[0], xz[1]);
        const bool seen = std::atan2(std::fabs(p.Y), p.X + 500) * 180 / std::numbers::pi <= 60;
        const double dx = std::max({-300 - p.X, 0.0, p.X + 100}), dy = std::max({-100 - p.Y, 0.0, p.Y - 100});
        const double fromBox = std::hypot(dx, dy);
        double share = 0.7;
        if (fromBox < 50)
            share = std::min(share, fromBox / 50);
        if (std::fabs(p.Y - 200) <= 20)
            share = 0;
        cleared += share < 0.7;

        if (seen && p.Z >= 0.5 && p.Z <= 1.7 && u < share)
            kept.push_back(p);
    }
    EXPECT_TRUE(cleared > 50 && kept.size() > 100) << cleared << ' ' << kept.size();
    const test::Placement script = test::ReadPlacement(built.lines, "Oak", {{"C:\\M\\OAK.MAX", {"Oak"}}});
    const test::ReadCache cache = test::ReadCsv(ReadFileBytes(dir.file("V_MainVeg_05.csv")));
    ASSERT_EQ(built.objectCount, kept.size());
    ASSERT_EQ(script.nodes.size(), kept.size());
    ASSERT_EQ(cache.particles.size(), kept.size());
    for (std::size_t i = 0; i < kept.size(); ++i) {
        EXPECT_NEAR(script.nodes[i].position.x, kept[i].X, 1e-3);
        EXPECT_NEAR(cache.particles[i].position[1], kept[i].Y, 1e-3);
        EXPECT_NEAR(cache.particles[i].position[2], kept[i].Z, 1e-3);
    }
}

} // namespace
} // namespace tes
