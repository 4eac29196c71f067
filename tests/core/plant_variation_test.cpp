// Each plant's turn, scale and variant come from the seed, its kind and its own X and Z: the same on
// every run, on either tile, whatever its neighbours, and in the share of the variants' weights.
#include "core/place/placement_frame.h"
#include "core/place/record_position.h"
#include "core/plants/plant_variation.h"
#include "core/script/placement_script.h"
#include "lib/fields.h"
#include "support/loaded_fields.h"
#include "support/mixed_records.h"
#include "support/placement_reader.h"
#include "support/temp_dir.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tes {
namespace {

PlantVariation ThreeVariants() {
    PlantVariation variation;
    variation.turn = ValueRange{0, 360};
    variation.scale = ValueRange{80, 120};
    variation.weights = {1, 2, 7};
    variation.seed = 1;
    variation.kind = 5;
    return variation;
}

TEST(PlantVariation, VariantsTakeTheirWeightsShareAndValuesStayInRange) {
    const PlantVariation variation = ThreeVariants();
    std::vector<int> counts(3, 0);
    constexpr int kPlants = 100000;
    for (int i = 0; i < kPlants; ++i) {
        const PlantLook look = LookOf(variation, 1000 + (i % 317) * 1.5, 2000 + (i / 317) * 0.25);
        ++counts[look.variant];
        ASSERT_GE(look.turn, 0);
        ASSERT_LT(look.turn, 360);
        ASSERT_GE(look.scale, 80);
        ASSERT_LT(look.scale, 120);
    }
    const double shares[] = {0.1, 0.2, 0.7};
    for (std::size_t v = 0; v < 3; ++v)
        EXPECT_NEAR(counts[v] / double(kPlants), shares[v], 0.01) << "variant " << v;
}

// The script's way, with the seed's and kind's part of the hash worked out once, is LookOf's.
TEST(PlantVariation, PlantLooksGivesWhatLookOfGives) {
    PlantVariation variation = ThreeVariants();
    for (const std::int64_t seed : {std::int64_t{1}, std::int64_t{0}, std::int64_t{-7}}) {
        variation.seed = seed;
        variation.weights = seed < 0 ? std::vector<std::uint64_t>{0, 3, 0, 1} : ThreeVariants().weights;
        const PlantLooks looks(variation);
        for (int i = 0; i < 2000; ++i) {
            const double x = i == 0 ? -0.0 : (i - 1000) * 3.7, z = 0.125 * i * i;
            const PlantLook fast = looks(x, z), plain = LookOf(variation, x, z);
            ASSERT_EQ(fast.turn, plain.turn) << x << ' ' << z;
            ASSERT_EQ(fast.scale, plain.scale) << x << ' ' << z;
            ASSERT_EQ(fast.variant, plain.variant) << x << ' ' << z;
        }
    }
}

TEST(PlantVariation, DependsOnTheSeedTheKindAndThePositionOnly) {
    PlantVariation variation = ThreeVariants();
    const PlantLook look = LookOf(variation, 1234.5, 987.25);
    EXPECT_EQ(LookOf(variation, 1234.5, 987.25).turn, look.turn);
    EXPECT_EQ(LookOf(variation, 1234.5, -0.0).turn, LookOf(variation, 1234.5, 0.0).turn);
    EXPECT_NE(LookOf(variation, 987.25, 1234.5).turn, look.turn); // x and z are not interchangeable
    variation.seed = 2;
    EXPECT_NE(LookOf(variation, 1234.5, 987.25).turn, look.turn);
    variation.seed = 1;
    variation.kind = 7;
    EXPECT_NE(LookOf(variation, 1234.5, 987.25).turn, look.turn);
}

// Each node the fast script leaves in 3ds Max, as the tests' reader evaluates it, is its record's
// plant: placed by the position rule, cloned from the variant and turned and scaled as LookOf says, on
// either tile and whatever records stand around it in the list.
TEST(PlantVariation, EachNodeOfTheScriptIsItsRecordsPlant) {
    struct Case {
        bool mainTile;
        const char* objectScale;
        bool rotate;
        bool instances;
        ValueRange turn;
        ValueRange scale;
        std::int64_t seed;
        int dropEvery; // records left out of the list, to change each plant's neighbours
        bool twoThreads;
    };
    const Case cases[] = {
        {true, "100", false, false, {0, 360}, {80, 120}, 1, 0, false},
        {true, "37.5", true, true, {-15, 15}, {100, 250}, -7, 2, true},
        {false, "37.5", true, false, {0, 360}, {80, 120}, 1, 0, true},
        {false, "100", false, true, {350, 370}, {80, 80}, 0, 3, false},
    };
    // The row's own object first; the third variant shares its Max file.
    const char* const files[] = {R"(C:\M\Oak.max)", R"(C:\M\Oak Tree.max)", R"(C:\M\Oak.max)"};
    const char* const objects[] = {"Oak", "Oak Tree", "OakB"};
    const test::MaxFiles held = {{R"(C:\M\OAK.MAX)", {"Oak", "OakB"}},
                                 {R"(C:\M\OAK TREE.MAX)", {"Oak Tree"}}};
    test::TempDir dir;
    dir.write("V.scn", "[Environment]\r\nTerrainWidth=5\r\nTerrainWidthScale=3.0\r\n[Light2]\r\n"
                       "Position=1800,200,800\r\nTargetPosition=1803,199,796\r\n");
    dir.write("V.est", "[Vegetation_5]\r\nName=Oak\r\n");
    dir.write("V.txt", "Tolvane environment\r\n" + test::MixedRecords(400));
    const std::string project = dir.write("V.prj", "Tolvane project\r\n");
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mainTile ? "main " : "perimeter ") + c.objectScale);
        const LoadResult loaded = test::LoadTile(project, c.mainTile, c.objectScale);
        ASSERT_EQ(loaded.outcome, LoadOutcome::Loaded);
        LineList records;
        for (std::size_t i = 0; i < loaded.records.size(); ++i)
            if (c.dropEvery == 0 || i % c.dropEvery != 0)
                records.append(loaded.records[i]);
        PlacementRequest request;
        PlacementOptions& o = request.options;
        test::TakeLoadedFields(loaded, o);
        o.kindNumber = "5";
        o.maxFile = files[0];
        o.objectName = objects[0];
        o.mainTile = c.mainTile;
        o.useObjectScale = true;
        o.rotate = c.rotate;
        o.saveToFile = false;
        o.style.shape = ScriptShape::Fast;
        o.style.instances = c.instances;
        o.plants.turn = c.turn;
        o.plants.scale = c.scale;
        o.variants = {{files[1], objects[1], 2}, {files[2], objects[2], 7}};
        o.seed = c.seed;
        request.records = &records;
        request.tuning.twoThreadsFrom = c.twoThreads ? 1 : 500000;
        const PlacementResult built = BuildPlacementScript(request);
        ASSERT_EQ(built.outcome, BuildOutcome::Built);
        const test::Placement placement = test::ReadPlacement(built.lines, "", held);
        ASSERT_EQ(placement.fault, "");

        PlantVariation variation{c.turn, c.scale, {1, 2, 7}, c.seed, 5};
        const ScenePlacement rule = ComputePlacementFrame(o).placement();
        const double ownTurn = c.rotate ? o.rotationAngle.value() : 0;
        std::size_t n = 0; // the nodes are the plants, in the records' order, and nothing else
        for (std::size_t i = 0; i < records.size(); ++i) {
            const std::string record(records[i]);
            double x = 0, y = 0, z = 0;
            if (!record.starts_with("5,") || std::sscanf(record.c_str(), "5,%lf,%lf,%lf", &x, &y, &z) != 3)
                continue;
            ASSERT_LT(n, placement.nodes.size());
            const test::PlacedNode& node = placement.nodes[n++];
            const PlantLook look = LookOf(variation, x, z);
            const ScenePoint at = rule.placeNumbers(x, y, z);
            const double scale = rule.objScale / 100 * look.scale / 100;
            char number[24];
            std::snprintf(number, sizeof number, "%02zu", n);
            EXPECT_EQ(node.name, objects[look.variant] + std::string(number)) << record;
            EXPECT_EQ(node.file, UpperCase(files[look.variant])) << record;
            EXPECT_EQ(node.origin, c.instances ? test::NodeOrigin::Instance : test::NodeOrigin::Copy);
            EXPECT_NEAR(node.position.x, at.X, 1e-3) << record;
            EXPECT_NEAR(node.position.y, at.Y, 1e-3) << record;
            EXPECT_NEAR(node.position.z, at.Z, 1e-3) << record;
            // The script writes the turn to one place and the factor to three.
            EXPECT_NEAR(node.rotation, ownTurn + look.turn, 0.051) << record;
            EXPECT_NEAR(node.scale.x, scale, rule.objScale / 100 * 5.1e-4) << record;
            EXPECT_TRUE(node.scale.x == node.scale.y && node.scale.y == node.scale.z) << record;
        }
        EXPECT_GT(n, 10u);
        EXPECT_EQ(n, placement.nodes.size());
    }
}

// Variants that name the Max file and object of the row (or of the options, for a row without a Max
// file) or of an earlier variant, letter case and / aside, are one source: their weights are added.
TEST(PlantVariation, OneSourceIsOneVariantWithTheWeightsAdded) {
    const KindVariant oak{R"(C:\M\Oak.max)", "Oak", 2}, pine{R"(C:\M\Pine.max)", "", 3};
    const KindVariant oakAgain{"c:/m/OAK.MAX", "oak", 1000000}, pineAgain{R"(C:\M\PINE.max)", "pine", 1};
    const struct {
        std::string rowFile;
        std::vector<KindVariant> variants;
        std::uint64_t weight;
        std::vector<VariantSource> sources;
    } cases[] = {
        {oak.maxFile, {pine, oakAgain, pineAgain}, 1000001, {{pine.maxFile, "", 4}}},
        {R"(C:\M\Elm.max)",
         {oak, {oak.maxFile, "Oak2", 1}},
         1,
         {{oak.maxFile, "Oak", 2}, {oak.maxFile, "Oak2", 1}}},
        {"", {oak, pine}, 3, {{pine.maxFile, "", 3}}},
        {R"(C:\M\Elm.max)",
         std::vector<KindVariant>(5000, oakAgain),
         1,
         {{oakAgain.maxFile, "oak", 5000000000}}},
    };
    for (const auto& c : cases) {
        KindRow row("5", c.rowFile);
        row.plants.variants = c.variants;
        PlacementOptions options;
        options.maxFile = oak.maxFile;
        options.objectName = "Oak";
        options.takePlants(row, 1);
        EXPECT_EQ(options.weight, c.weight) << c.variants.size();
        EXPECT_EQ(options.variants, c.sources) << c.variants.size();
    }
}

TEST(PlantVariation, TheClassicScriptRefusesIt) {
    LineList records;
    records.append("5,1900,1,1910");
    PlacementRequest request;
    request.options.kindNumber = "5";
    request.options.maxFile = "Oak.max";
    request.options.objectName = "Oak";
    request.options.plants.turn = ValueRange{0, 360};
    request.records = &records;
    const PlacementResult built = BuildPlacementScript(request);
    EXPECT_EQ(built.outcome, BuildOutcome::Refused);
    ASSERT_EQ(built.messages.size(), 1u);
    EXPECT_EQ(built.messages[0].kind, MessageKind::Refusal);
}

} // namespace
} // namespace tes
