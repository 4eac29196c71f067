#include "core/plants/plant_variation.h"
#include "core/preview/preview_palette.h"
#include "core/preview/preview_raster.h"
#include "core/preview/preview_scene.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace tes {
namespace {

// A 5 x 5 terrain of grid resolution 3 with an overlap of 96: the tile is 768 units wide, and the
// grid size 256 scales everything by a third.
PreviewInput Input(bool mainTile) {
    PreviewInput input;
    input.placement.mainTile = mainTile;
    input.placement.terrainWidth = 5;
    input.overlap = "96";
    input.heading = "90";
    input.kinds = {{"5", "Pine", {"5", "05"}}, {"7", "", {"7"}}};
    return input;
}

LineList Records(std::initializer_list<const char*> lines) {
    LineList list;
    for (const char* line : lines)
        list.append(line);
    return list;
}

// Pixel (100.5 + X / 2, 100.5 - Y / 2): the origin in the middle of pixel (100, 100) of a 201 x 201
// picture, so that no test point lies on the border of two pixels.
constexpr int kSide = 201;
PreviewView View() {
    return {0, 0, 0.5, kSide, kSide};
}

struct DotCase {
    bool mainTile;
    const char* record;
    int column, row; // where its single-pixel dot lands
};

TEST(Preview, RecordsLandWhereTheScriptPlacesThem) {
    const DotCase cases[] = {
        {true, "5,1920,0,1920", 100, 100},    // the main tile's middle is the origin
        {true, "5,1920,0,2304", 164, 100},    // its +z edge: X = 384 / 3
        {true, "7,1536,12,1920", 100, 36},    // its low x edge: Y = 384 / 3, up
        {true, "5,2400,0,1440", 20, 180},     // the far corner of the overlap
        {false, "5,1152,0,1152", 100, 100},   // the perimeter tile's middle
        {false, "7,700,0,1500", 158, 25},     // in its overlap: X = 116, Y = 150.67
        {false, "5,1546.5,0,760.5", 35, 166}, // X = -130.5, Y = -131.5
    };
    for (const DotCase& c : cases) {
        SCOPED_TRACE(c.record);
        const LineList records = Records({c.record});
        const PreviewScene scene = BuildPreviewScene(Input(c.mainTile), records);
        std::vector<std::uint32_t> pixels(kSide * kSide, 0);
        RasterizeDots(scene, View(), KindColours(scene, {}), 1, {pixels.data(), kSide, kSide, kSide});
        EXPECT_EQ(pixels[c.row * kSide + c.column], scene.kinds[0].colour);
        EXPECT_EQ(std::count(pixels.begin(), pixels.end(), 0u), kSide * kSide - 1);
        EXPECT_EQ(DotNear(scene, View(), KindColours(scene, {}), c.column + 0.5, c.row + 0.5, 2), 0u);
    }
}

TEST(Preview, OutlinesTheTileAndItsOverlap) {
    const PreviewScene main = BuildPreviewScene(Input(true), LineList());
    EXPECT_DOUBLE_EQ(main.tile.maxX, 128);
    EXPECT_DOUBLE_EQ(main.margin.minY, -160);
    const PreviewScene perimeter = BuildPreviewScene(Input(false), LineList());
    EXPECT_DOUBLE_EQ(perimeter.tile.minX, -128);
    EXPECT_DOUBLE_EQ(perimeter.margin.maxY, 160);
    // A heading of 90 points along the environment's +x: down the scene's Y axis.
    EXPECT_NEAR(main.sunX, 0, 1e-12);
    EXPECT_NEAR(main.sunY, -1, 1e-12);
}

// At Fit the tile stands between what is drawn over the picture's left and right edges, unless the
// picture is too narrow to leave it room.
TEST(Preview, FitKeepsTheTileClearOfTheInsets) {
    const PreviewScene scene = BuildPreviewScene(Input(true), LineList());
    const struct {
        int width, height;
        PreviewInsets insets;
        int left, right; // the least room the tile keeps from each edge
    } cases[] = {{1024, 1024, {}, 0, 0},
                 {1024, 1024, {230, 90}, 230, 90},
                 {1200, 700, {230, 90}, 230, 90},
                 {300, 600, {230, 90}, 0, 0}};
    for (const auto& c : cases) {
        const PreviewView view = FitView(scene, c.width, c.height, c.insets);
        EXPECT_GE(view.pixelX(scene.tile.minX), c.left) << c.width << 'x' << c.height;
        EXPECT_LE(view.pixelX(scene.tile.maxX), c.width - c.right) << c.width << 'x' << c.height;
        EXPECT_GE(view.pixelY(scene.tile.maxY), 0);
        EXPECT_LE(view.pixelY(scene.tile.minY), c.height);
    }
}

TEST(Preview, CountsEachKindAndHidesTheOnesLeftOut) {
    const LineList records = Records(
        {"12,1920,0,1920", "5,1930,0,1930", "5,x,0", "7,1900,0,1900", "5,1e999,0,1900", "05,1920,0,1900"});
    const PreviewScene scene = BuildPreviewScene(Input(true), records);
    std::vector<std::string> legend;
    for (std::size_t kind : scene.legend)
        legend.push_back(scene.kinds[kind].label + " " + std::to_string(scene.kinds[kind].count));
    // Kind 5 is written both 5 and 05; kind 12 is not in the list.
    EXPECT_EQ(legend,
              (std::vector<std::string>{"Vegetation_5:  Pine 4", "Vegetation_7:   1", "Vegetation_12 1"}));
    EXPECT_EQ(scene.unplaced, 1u); // the script could not write 1e999 either
    // A kind keeps its colour by number.
    EXPECT_EQ(KindColour("05"), KindColour("5"));
    EXPECT_NE(KindColour("12"), KindColour("5"));

    std::vector<bool> shown(scene.kinds.size(), false);
    shown[1] = true; // kind 5 alone
    const std::vector<std::uint32_t> colours = KindColours(scene, shown);
    EXPECT_EQ(colours[0], 0u);
    EXPECT_NE(colours[1], 0u);
    EXPECT_FALSE(DotNear(scene, View(), colours, 100.5, 100.5, 1).has_value()); // kind 12 is hidden
}

// A kind whose plants differ draws each dot at its plant's scale in its variant's shade, and names the
// look the script gives it; a kind without a row keeps its plain dot.
TEST(Preview, DotsOfPlantsThatDifferFollowTheirLook) {
    PreviewInput input = Input(true);
    KindRow row{"5", "D:\\M\\Pine.max", "", true};
    row.plants.turn = ValueRange{10, 10};
    row.plants.scale = ValueRange{200, 200};
    row.plants.variants = {{"D:\\M\\Old.max", "Old_2", 3}};
    input.kindRows = {row};
    input.seed = 9;
    const LineList records = Records({"05,1920,0,1920", "7,1800,0,2040"});
    const PreviewScene scene = BuildPreviewScene(input, records);
    const std::uint32_t pine = scene.kinds[scene.kind[0]].colour;
    const std::uint32_t other = scene.kinds[scene.kind[1]].colour;
    PlantVariation variation;
    variation.weights = {1, 3};
    variation.seed = 9;
    variation.kind = 5;
    const std::size_t variant = LookOf(variation, 1920, 1920).variant;

    std::vector<std::uint32_t> pixels(kSide * kSide, 0);
    RasterizeDots(scene, View(), KindColours(scene, {}), 3, {pixels.data(), kSide, kSide, kSide});
    const auto at = [&](int column, int row) { return pixels[row * kSide + column]; };
    const struct {
        int column, row;
        std::uint32_t colour;
    } cases[] = {
        {98, 98, VariantShade(pine, variant)}, // 6 pixels a side about pixel (100, 100)
        {103, 103, VariantShade(pine, variant)},
        {104, 100, 0},
        {119, 79, other}, // 3 pixels a side about (120, 80)
        {121, 81, other},
        {122, 80, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(at(c.column, c.row), c.colour) << c.column << "," << c.row;
    EXPECT_NE(VariantShade(pine, 1), pine);
    // Every shade stays readable on the ground and nearer its kind's colour than any other kind's.
    for (const std::uint32_t colour : KindPalette()) {
        EXPECT_NE(VariantShade(colour, 1), colour);
        for (std::size_t shade = 1; shade < 16; ++shade) {
            const std::uint32_t drawn = VariantShade(colour, shade);
            EXPECT_GE(ContrastRatio(drawn, kPreviewGround), 3) << std::hex << drawn;
            for (const std::uint32_t other : KindPalette())
                EXPECT_TRUE(other == colour || ColourDistance(drawn, colour) < ColourDistance(drawn, other))
                    << std::hex << drawn << " " << other;
        }
    }
    EXPECT_EQ(PlantLookText(scene, 0, records[0]), ", variant " + std::to_string(variant + 1) +
                                                       (variant ? " (Old.max/Old_2)" : " (Pine.max/Pine)") +
                                                       ", turn 10\u00B0, scale 200 %");
    EXPECT_EQ(PlantLookText(scene, 1, records[1]), "");
    EXPECT_TRUE(BuildPreviewScene(Input(true), records).look.empty()) << "alike plants store no look";
}

} // namespace
} // namespace tes
