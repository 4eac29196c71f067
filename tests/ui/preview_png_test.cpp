#include "cli/cli_app.h"
#include "core/preview/preview_palette.h"
#include "core/preview/preview_raster.h"
#include "lib/file_access.h"
#include "picture/preview_picture.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

#include <QImage>

namespace tes::test {
namespace {

// A 5 x 5 terrain of grid resolution 3: with the grid size 256 the scene is a third of the terrain,
// and with an overlap of 96 a 400 x 400 picture shows 1.125 pixels per scene unit about the origin at
// pixel (200, 200).
std::string WriteProject(const TempDir& dir) {
    dir.write("Small.scn", "[Environment]\r\nTerrainWidth=5\r\nTerrainWidthScale=3.0\r\n"
                           "[Light2]\r\nTargetPosition=1801,199,801\r\n");
    dir.write("Small.est", "[Vegetation_1]\r\nName=Pine\r\n");
    dir.write("Small.txt", "1,1810,0,2210\r\n" // main tile: X 96.7, Y 36.7
                           "2,2350,0,2340\r\n" // its overlap: X 140, Y -143.3
                           "3,1010,0,1300\r\n" // perimeter tile: X 49.3, Y 47.3
                           "3,1590,0,1590\r\n" // its overlap: X 146, Y -146
                           "4,2400,0,2400\r\n" // the opposite corners of both overlaps, so
                           "4,1440,0,1440\r\n" // that the picture fits them about the origin
                           "4,1632,0,1632\r\n" // as said above
                           "4,672,0,672\r\n");
    return dir.write("Small.prj", "");
}

struct DotCase {
    bool perimeter;
    const char* kind;
    int column, row; // the middle pixel of the record's dot
};

TEST(PreviewPicture, TheHeadingCountsTheRecordsOfTheKindsShown) {
    PreviewScene scene;
    scene.kinds = {{"1", "Pine", 49, 0}, {"2", "Birch", 44, 0}, {"5", "Oak", 34, 0}};
    const struct {
        std::vector<bool> shown;
        std::uint64_t count;
    } cases[] = {{{}, 127}, {{false, true, false}, 44}, {{true, false, true}, 83}};
    for (const auto& c : cases)
        EXPECT_EQ(ShownRecordCount(scene, c.shown), c.count);
}

TEST(PreviewPicture, TheLegendSaysHowManyOfAFilteredKindAreShown) {
    const struct {
        PreviewKind kind;
        const char* text;
    } cases[] = {{{"1", "Pine", 49, 0, {}, {}, false, 49}, "49"},
                 {{"1", "Pine", 49, 0, {}, {}, true, 7}, "shown 7 of 49"},
                 {{"5", "Oak", 3, 0, {}, {}, true, 0}, "shown 0 of 3"},
                 {{"5", "Oak", 334274, 0, {}, {}, true, 140818}, "shown 140,818 of 334,274"}};
    for (const auto& c : cases)
        EXPECT_EQ(LegendCountText(c.kind).toStdString(), c.text);
}

// Two plants of one kind at pixels (100, 300) and (300, 300) of a 400 x 400 picture, the second left
// out when the scene says so; a view from below the origin looking up covers pixel (200, 100).
TEST(PreviewPicture, LeftOutPlantsAreFadedAndViewsDrawnOnlyWhenThereAreAny) {
    const std::uint32_t pine = KindColour("1");
    PreviewScene scene;
    scene.x = {-100, 100};
    scene.y = {-100, -100};
    scene.kind = {0, 0};
    scene.kinds = {{"1", "Pine", 2, pine}};
    const PlantView view = {{0, -150}, {0, 150}, 60, 10, 0, 0};
    const struct {
        std::vector<bool> leftOut;
        std::vector<PlantView> views;
        std::uint32_t second;
        bool field;
    } cases[] = {
        {{}, {}, pine, false}, {{false, true}, {}, FadedColour(pine), false}, {{}, {view}, pine, true}};
    for (const auto& c : cases) {
        scene.leftOut = c.leftOut;
        const QImage picture = PaintPreviewPicture(scene, c.views, {0, 0, 1, 400, 400}, {});
        EXPECT_EQ(picture.pixel(100, 300), pine);
        EXPECT_EQ(picture.pixel(300, 300), c.second);
        EXPECT_EQ(picture.pixel(200, 100) != kPreviewGround, c.field);
    }
}

TEST(PreviewPicture, TheCommandLineDrawsEachDotWhereItsScriptPlacesIt) {
    TempDir dir;
    const std::string project = WriteProject(dir);
    const DotCase cases[] = {
        {false, "1", 308, 158},
        {false, "2", 357, 361},
        {true, "3", 255, 146},
        {true, "3", 364, 364},
    };
    for (const DotCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.kind << " at " << c.column << "," << c.row);
        const std::string png = dir.file(c.perimeter ? "perimeter.png" : "main.png");
        std::vector<std::string> args = {"enviro-script", "preview", project,     "--png", png,
                                         "--size",        "400x400", "--overlap", "96"};
        if (c.perimeter)
            args.push_back("--perimeter");
        std::vector<const char*> argv;
        for (const std::string& arg : args)
            argv.push_back(arg.c_str());
        std::ostringstream out, err;
        ASSERT_EQ(cli::RunCli(static_cast<int>(argv.size()), argv.data(), out, err), 0) << err.str();
        EXPECT_EQ(out.str(), png + "\n");
        const QImage picture(QString::fromStdString(png));
        ASSERT_EQ(picture.size(), QSize(400, 400));
        EXPECT_EQ(picture.pixel(c.column, c.row), KindColour(c.kind));
        // A dot is three pixels wide here; beyond it lies the ground.
        EXPECT_EQ(picture.pixel(c.column + 1, c.row + 1), KindColour(c.kind));
        EXPECT_EQ(picture.pixel(c.column + 3, c.row), kPreviewGround);
    }
}

// A relative picture name goes into the folder --output-dir gives.
TEST(PreviewPicture, OutputDirTakesARelativePicture) {
    TempDir dir;
    const std::string project = WriteProject(dir);
    const std::string out = dir.file("out");
    std::filesystem::create_directory(out);
    const std::vector<std::string> args = {"enviro-script", "preview",      project, "--png",
                                           "tile.png",      "--output-dir", out};
    std::vector<const char*> argv;
    for (const std::string& arg : args)
        argv.push_back(arg.c_str());
    std::ostringstream printed, err;
    ASSERT_EQ(cli::RunCli(static_cast<int>(argv.size()), argv.data(), printed, err), 0) << err.str();
    // The program joins the folder and the name with the system's separator.
    EXPECT_EQ(printed.str(), Utf8FromPath(PathFromUtf8(out) / "tile.png") + "\n");
    EXPECT_TRUE(std::filesystem::exists(dir.file("out/tile.png")));
}

} // namespace
} // namespace tes::test
