// Each plant's turn, scale and variant come from the seed, its kind and its own X and Z: the same on
// every run, on either tile, whatever its neighbours, and in the share of the variants' weights.
#include "core/placement_script.h"
#include "core/plant_variation.h"
#include "core/record_position.h"

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

// The fast script writes each plant's look beside its position, and a plant keeps its look when its
// neighbours change and when it is read through the perimeter tile.
TEST(PlantVariation, TheScriptCarriesEachPlantsLook) {
    const char* lines[] = {"5,1900,1,1910", "7,1920,0,1920", "5,1950.5,2,1890.25", "5,1150,0,1160"};
    struct Case {
        bool mainTile;
        std::vector<int> rows; // of the lines above
    };
    const Case cases[] = {{true, {0, 1, 2}}, {true, {2, 0}}, {false, {3, 1, 0}}};
    const PlantVariation variation = ThreeVariants();
    for (const Case& c : cases) {
        LineList records;
        for (int row : c.rows)
            records.append(lines[row]);
        PlacementRequest request;
        PlacementOptions& o = request.options;
        o.kindNumber = "5";
        o.maxFile = R"(C:\M\Oak.max)";
        o.objectName = "Oak";
        o.mainTile = c.mainTile;
        o.terrainWidth = 5;
        o.gridRes = "3";
        o.saveToFile = false;
        o.style.shape = ScriptShape::Fast;
        o.turn = variation.turn;
        o.scale = variation.scale;
        o.variants = {{R"(C:\M\Oak2.max)", "Oak2", 2}, {R"(C:\M\Oak.max)", "OakB", 7}};
        request.records = &records;
        const PlacementResult built = BuildPlacementScript(request);
        ASSERT_EQ(built.outcome, BuildOutcome::Built);

        std::vector<std::vector<double>> data; // X, Y, Z, turn, factor, variant of each plant
        for (std::size_t i = 0; i < built.lines.size(); ++i) {
            double v[6];
            if (std::sscanf(std::string(built.lines[i]).c_str(), "[%lf,%lf,%lf],[%lf,%lf,%lf]", &v[0], &v[1],
                            &v[2], &v[3], &v[4], &v[5]) == 6)
                data.emplace_back(v, v + 6);
        }
        std::size_t plant = 0;
        for (int row : c.rows) {
            if (lines[row][0] != '5')
                continue;
            ASSERT_LT(plant, data.size());
            double x = 0, y = 0, z = 0;
            std::sscanf(lines[row], "5,%lf,%lf,%lf", &x, &y, &z);
            const PlantLook look = LookOf(variation, x, z);
            EXPECT_NEAR(data[plant][3], look.turn, 5e-5) << lines[row];
            EXPECT_NEAR(data[plant][4], look.scale / 100, 5e-7) << lines[row];
            EXPECT_EQ(data[plant][5], static_cast<double>(look.variant + 1)) << lines[row];
            ++plant;
        }
        EXPECT_EQ(plant, data.size());
        EXPECT_EQ(built.objectCount, data.size());
    }
}

TEST(PlantVariation, TheClassicScriptRefusesIt) {
    LineList records;
    records.append("5,1900,1,1910");
    PlacementRequest request;
    request.options.kindNumber = "5";
    request.options.maxFile = "Oak.max";
    request.options.objectName = "Oak";
    request.options.turn = ValueRange{0, 360};
    request.records = &records;
    const PlacementResult built = BuildPlacementScript(request);
    EXPECT_EQ(built.outcome, BuildOutcome::Refused);
    ASSERT_EQ(built.messages.size(), 1u);
    EXPECT_EQ(built.messages[0].kind, MessageKind::Refusal);
}

} // namespace
} // namespace tes
