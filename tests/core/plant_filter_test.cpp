// Which plants a view and a kind's thinning keep, and that every output of a build takes those.
#include "core/all_kinds.h"
#include "core/place/placement_frame.h"
#include "core/plants/plant_filter.h"
#include "core/preview/preview_scene.h"
#include "lib/file_access.h"
#include "support/placement_reader.h"
#include "support/point_cache_reader.h"
#include "support/temp_dir.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <tuple>

namespace tes {
namespace {

// Camera at the origin looking along +X: 45 degrees widened by 10 % is 24.75 each side.
TEST(PlantFilter, ViewRuleAtItsEdges) {
    const PlantView ahead{{0, 0}, {10, 0}, 45, 10, 0, 0};
    const double in = std::tan(24.74 * std::numbers::pi / 180),
                 out = std::tan(24.76 * std::numbers::pi / 180);
    const struct {
        PlantView view;
        double X, Y;
        bool seen;
    } cases[] = {
        {ahead, 100, 100 * in, true},
        {ahead, 100, -100 * out, false},
        {{{0, 0}, {1, 0}, 90, 0, 0, 0}, 7, 7, true},    // exactly on the half angle
        {ahead, -100, 0, false},                        // behind the camera
        {{{0, 0}, {10, 0}, 45, 10, 5, 0}, -3, 4, true}, // behind, but inside the keep radius
        {{{0, 0}, {10, 0}, 45, 10, 5, 0}, -3, 4.01, false},
        {{{0, 0}, {10, 0}, 45, 10, 0, 5}, 3, 0.5, true},
        {{{0, 0}, {10, 0}, 45, 10, 0, 5}, 5, 0, true},
        {{{0, 0}, {10, 0}, 45, 10, 0, 5}, 5.001, 0, false}, // beyond the far distance
        {{{0, 0}, {0, 1}, 179.9, 101, 0, 0}, 0, -1, true},  // widened to all round
        {{{0, 0}, {0, 1}, 170, 0, 0, 0}, 0.01, -1, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ViewTest(c.view).sees(c.X, c.Y), c.seen) << c.X << ',' << c.Y;
    // Several views: in any of them. None: every plant.
    const PlantFilter both({ahead, {{0, 0}, {-10, 0}, 45, 10, 0, 0}}, {}, 1, 5);
    EXPECT_TRUE(both.keeps(-100, 0, 0, 0) && both.keeps(100, 0, 0, 0) && !both.keeps(0, 100, 0, 0));
    EXPECT_FALSE(PlantFilter({}, {}, 1, 5).active());
}

TEST(PlantFilter, ThinningKeepsItsShareAndFewerIsASubset) {
    const PlantFilter half({}, {50, 0, 100}, 3, 5), quarter({}, {25, 0, 100}, 3, 5);
    int halves = 0, quarters = 0;
    for (int i = 0; i < 100000; ++i) {
        const double x = 700 + (i % 331) * 1.25, z = 900 + (i / 331) * 0.5;
        halves += half.keeps(0, 0, x, z);
        quarters += quarter.keeps(0, 0, x, z);
        ASSERT_TRUE(!quarter.keeps(0, 0, x, z) || half.keeps(0, 0, x, z)) << x << ' ' << z;
    }
    EXPECT_NEAR(halves / 1000.0, 50, 1);
    EXPECT_NEAR(quarters / 1000.0, 25, 1);
    // Beyond the distance from the nearest camera, the far share; the draw itself is the documented one.
    const PlantFilter far({{{0, 0}, {1, 0}, 90, 0, 0, 0}}, {100, 10, 0}, 3, 5);
    EXPECT_TRUE(far.keeps(10, 0, 1, 1) && !far.keeps(10.01, 0, 1, 1));
    EXPECT_EQ(ThinningDraw(1, 5, 1795.193344, 2173.674232), 0.27462423050578877); // docs/views.md
    EXPECT_EQ(half.keeps(0, 0, 700, 900), ThinningDraw(3, 5, 700, 900) < 0.5);
}

// Both script shapes and the cache hold exactly the plants of kind 5 the rule keeps, whatever records
// stand around them; the counts say how many of how many.
TEST(PlantFilter, BuildKeepsExactlyThePlantsTheRuleKeeps) {
    LineList all, some; // `some` lacks every third record: a plant's fate does not change
    for (int i = 0; i < 2000; ++i) {
        const std::string line = (i % 2 ? "5," : "7,") + std::to_string(700 + i * 131 % 1700 + i % 8 / 8.0) +
                                 ",1," + std::to_string(700 + i * 197 % 1700);
        all.append(line);
        if (i % 3 != 1)
            some.append(line);
    }
    test::TempDir dir;
    for (const bool fast : {false, true}) {
        for (const LineList* records : {&all, &some}) {
            PlacementRequest request;
            PlacementOptions& o = request.options;
            o.kindNumber = "5";
            o.maxFile = "C:\\M\\Oak.max";
            o.objectName = "Oak";
            o.terrainWidth = 5;
            o.projectBasePath = dir.file("V");
            o.style = {fast ? ScriptShape::Fast : ScriptShape::Classic, false, false, PointCache::Csv};
            o.seed = 9;
            o.views = {{{0, 0}, {100, -50}, 60, 10, 40, 0}};
            o.plants.thinning = {60, 0, 100};
            request.records = records;
            const PlacementResult built = BuildPlacementScript(request);
            ASSERT_EQ(built.outcome, BuildOutcome::Built);
            const PlantFilter filter = *PlantFilterOf(o);
            PositionRule rule;
            static_cast<ScenePlacement&>(rule) = ComputePlacementFrame(o).placement();
            rule.number = "5";
            std::vector<ScenePoint> kept;
            std::uint64_t kind = 0;
            for (std::size_t i = 0; i < records->size(); ++i) {
                if (!rule.matches((*records)[i]))
                    continue;
                ++kind;
                double xz[2];
                const ScenePoint p = rule.placeRecord((*records)[i], xz);
                if (filter.keeps(p.X, p.Y, xz[0], xz[1]))
                    kept.push_back(p);
            }
            EXPECT_TRUE(built.filtered);
            EXPECT_EQ(built.kindRecords, kind);
            ASSERT_EQ(built.objectCount, kept.size());
            EXPECT_TRUE(kept.size() > 10 && kept.size() < kind / 2) << kept.size();
            const test::Placement script =
                test::ReadPlacement(built.lines, "Oak", {{"C:\\M\\OAK.MAX", {"Oak"}}});
            const test::ReadCache cache = test::ReadCsv(ReadFileBytes(dir.file("V_MainVeg_05.csv")));
            ASSERT_EQ(script.nodes.size(), kept.size());
            ASSERT_EQ(cache.particles.size(), kept.size());
            for (std::size_t i = 0; i < kept.size(); ++i) {
                EXPECT_NEAR(script.nodes[i].position.x, kept[i].X, 1e-3);
                EXPECT_NEAR(script.nodes[i].position.y, kept[i].Y, 1e-3);
                EXPECT_NEAR(cache.particles[i].position[0], kept[i].X, 1e-3);
            }
        }
    }
}

// With no plant left out, the build reads every row instead of the rows chosen: the script and the cache
// (its IDs, the records' lines) are those built from the rows chosen once an area leaves out one more
// record; and the plants are decided alike on one thread and on two.
TEST(PlantFilter, NoPlantLeftOutBuildsAsTheChosenRowsDo) {
    LineList whole, more;
    std::vector<std::uint32_t> wholeLines, moreLines;
    for (int i = 0; i < 300; ++i) {
        const std::string line = (i % 3 ? "5," : "7,") + std::to_string(700 + i * 7) + ",1,900";
        for (auto [list, lines] : {std::pair(&whole, &wholeLines), std::pair(&more, &moreLines)})
            list->append(line), lines->push_back(10 + 2 * i);
        if (i == 150)
            more.append("5,3000,1,3000"), moreLines.push_back(11);
    }
    test::TempDir dir;
    PlacementRequest request;
    PlacementOptions& o = request.options;
    std::tie(o.kindNumber, o.maxFile, o.objectName, o.terrainWidth) =
        std::tuple("5", "C:\\M\\Oak.max", "Oak", 5);
    o.projectBasePath = dir.file("V");
    o.style = {ScriptShape::Fast, false, false, PointCache::Csv};
    const ScenePoint p = ComputePlacementFrame(o).placement().placeNumbers(3000, 1, 3000);
    o.areas = {{{{p.X - 1, p.Y - 1}, {p.X + 1, p.Y - 1}, {p.X, p.Y + 1}}, {}, AreaMode::exclude, {}, 0}};
    std::string outputs[4];
    for (int i = 0; i < 4; ++i) {
        std::tie(request.records, request.recordLines) =
            std::pair(i % 2 ? &more : &whole, i % 2 ? &moreLines : &wholeLines);
        request.tuning.twoThreadsFrom = i < 2 ? 1000 : 128;
        const PlacementResult built = BuildPlacementScript(request);
        EXPECT_EQ(std::tuple(built.filtered, built.kindRecords, built.objectCount),
                  std::tuple(true, 200 + i % 2, 200));
        outputs[i] = std::string(built.lines.text()) + ReadFileBytes(dir.file("V_MainVeg_05.csv"));
        EXPECT_EQ(outputs[i], outputs[0]) << i;
    }
}

// Beyond FarFrom of the nearest camera a plant is the far model, beyond BoxFrom a box; the cache names
// the far model by the ShapeIndex after the kind's own object. A far model that is the kind's own object
// is merged and turned once. Without a view nothing changes; the classic shape refuses it.
TEST(PlantFilter, PlantsFarFromTheCamerasAreLighter) {
    LineList records;
    for (int i = 0; i < 1500; ++i)
        records.append("5," + std::to_string(700 + i * 131 % 1700) + ",1," +
                       std::to_string(700 + i * 197 % 1700));
    test::TempDir dir;
    PlacementRequest request;
    PlacementOptions& o = request.options;
    std::tie(o.kindNumber, o.maxFile, o.objectName, o.terrainWidth, o.projectBasePath) =
        std::tuple("5", "C:\\M\\Oak.max", "Oak", 5, dir.file("V"));
    o.style = {ScriptShape::Fast, false, false, PointCache::Csv};
    o.rotationAngle = "30";
    request.records = &records;
    const PlacementResult plain = BuildPlacementScript(request);
    o.plants.detail = {"C:\\M\\Far.max", "OakFar", 200, 300};
    EXPECT_EQ(BuildPlacementScript(request).lines.text(), plain.lines.text());
    o.views = {{{0, 0}, {100, -50}, 170, 10, 0, 0}, {{-400, 300}, {0, 0}, 90, 0, 0, 0}};
    for (const char* model : {"C:\\M\\Far.max", "c:/m/oak.MAX"}) {
        o.plants.detail.farFile = model;
        o.plants.detail.farObject = model[0] == 'C' ? "OakFar" : "OAK";
        const PlacementResult built = BuildPlacementScript(request);
        ASSERT_EQ(built.outcome, BuildOutcome::Built);
        const test::Placement script = test::ReadPlacement(
            built.lines, "Oak", {{"C:\\M\\OAK.MAX", {"Oak"}}, {"C:\\M\\FAR.MAX", {"OakFar"}}});
        const test::ReadCache cache = test::ReadCsv(ReadFileBytes(dir.file("V_MainVeg_05.csv")));
        ASSERT_EQ(script.fault, "");
        ASSERT_EQ(script.nodes.size(), built.objectCount);
        ASSERT_EQ(cache.particles.size(), built.objectCount);
        std::size_t far = 0, boxes = 0;
        for (std::size_t i = 0; i < script.nodes.size(); ++i) {
            const test::PlacedNode& node = script.nodes[i];
            const double d = std::min(std::hypot(node.position.x, node.position.y),
                                      std::hypot(node.position.x + 400, node.position.y - 300));
            if (std::abs(d - 200) < 0.01 || std::abs(d - 300) < 0.01)
                continue;
            SCOPED_TRACE(node.name);
            EXPECT_EQ(node.name.starts_with("OakFar"), model[0] == 'C' && d > 200);
            EXPECT_EQ(node.box, d > 300);
            EXPECT_EQ(node.rotation, 30);
            EXPECT_EQ(cache.particles[i].shapeIndex, d > 200 ? 1 : 0);
            far += d > 200;
            boxes += d > 300;
        }
        EXPECT_TRUE(far > 100 && far < built.objectCount && boxes > 50 && boxes < far) << far << ' ' << boxes;
    }
    o.style.shape = ScriptShape::Classic;
    o.fastScriptChoice = "--fast";
    const PlacementResult refused = BuildPlacementScript(request);
    EXPECT_EQ(refused.outcome, BuildOutcome::Refused);
    EXPECT_EQ(refused.messages.at(0).text,
              "A far model and boxes for plants far from the cameras need the fast script (--fast)");
}

// The preview marks the dots the build leaves out and counts the others.
TEST(PlantFilter, PreviewMarksTheDotsLeftOut) {
    LineList records;
    for (int i = 0; i < 200; ++i)
        records.append("5," + std::to_string(700 + i * 8) + ",0,1000");
    PreviewInput input;
    input.placement.terrainWidth = 5;
    input.views = {{{0, 0}, {0, 1}, 90, 100, 0, 0}};
    const PreviewScene scene = BuildPreviewScene(input, records);
    ASSERT_EQ(scene.leftOut.size(), records.size());
    std::uint64_t shown = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(scene.leftOut[i], scene.y[i] < 0) << i;
        shown += !scene.leftOut[i];
    }
    EXPECT_TRUE(scene.kinds[0].filtered && scene.kinds[0].shown == shown && scene.kinds[0].count == 200);
    EXPECT_TRUE(BuildPreviewScene(PreviewInput{}, records).leftOut.empty());
    // A camera far off the tile is in the picture's fit, with its target.
    input.views = {{{-5000, 0}, {0, 4000}, 45, 10, 0, 0}};
    const PreviewSquare& e = BuildPreviewScene(input, records).extent;
    EXPECT_TRUE(e.minX == -5000 && e.maxY == 4000) << e.minX << " " << e.maxY;
}

} // namespace
} // namespace tes
