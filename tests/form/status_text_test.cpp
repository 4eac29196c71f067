#include "core/script/placement_script.h"
#include "form/status_text.h"
#include "lib/fields.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tes {
namespace {

TEST(StatusText, SaysWhatTheLoadFound) {
    EXPECT_EQ(LoadedStatus("/data/Valley.prj", true, 168, 5),
              "Loaded Valley.prj: 168 records on the main tile, 5 kinds");
    EXPECT_EQ(LoadedStatus(R"(C:\Work\Hills.prj)", false, 1, 1),
              "Loaded Hills.prj: 1 record on the perimeter tile, 1 kind");
    EXPECT_EQ(LoadedStatus("Big.prj", true, 10000000, 0),
              "Loaded Big.prj: 10,000,000 records on the main tile, 0 kinds");
}

TEST(StatusText, SaysWhatTheBuildMade) {
    const struct {
        std::uint64_t objects;
        bool written;
        bool varied;
        const char* status;
    } cases[] = {
        {34, true, false, "Wrote Valley_MainVeg_05.ms: 34 objects"},
        {1, true, false, "Wrote Valley_MainVeg_05.ms: 1 object"},
        {1234, false, false, "Built the script: 1,234 objects (not saved)"},
        {0, true, false, "0 objects: no record of Vegetation_5 on this tile"},
        {28, true, true,
         "Wrote Valley_MainVeg_05.ms: 28 objects, 3 variants, turn 0-360\u00B0, scale 80-120 %"},
    };
    for (const auto& c : cases) {
        PlacementResult built;
        built.outcome = BuildOutcome::Built;
        built.number = "5";
        built.scriptPath = "/data/Valley_MainVeg_05.ms";
        built.objectCount = c.objects;
        built.fileWritten = c.written;
        PlacementOptions options;
        if (c.varied) {
            options.plants.turn = ValueRange{0, 360};
            options.plants.scale = ValueRange{80, 120};
            options.variants = {VariantSource{"a.max", "", 1}, VariantSource{"b.max", "", 2}};
        }
        EXPECT_EQ(BuiltStatus(built, options), c.status);
    }
}

// The count comes before the point caches and the folder, which a short status line cuts first.
TEST(StatusText, NamesTheFilesOnceAndTheirFolderAfterTheCount) {
    const std::string folder = R"(C:\Users\Ann\Documents\Out)";
    const struct {
        std::vector<std::string> caches;
        bool wholePath;
        std::string status;
    } cases[] = {
        {{"V_05.prt", "V_All.csv"}, false, "Wrote V_05.ms, .prt and V_All.csv: 11 of 28 plants"},
        {{"V_05.prt"}, true, "Wrote V_05.ms and .prt: 11 of 28 plants (in " + folder + ")"},
    };
    for (const auto& c : cases) {
        PlacementResult built;
        built.scriptPath = folder + R"(\V_05.ms)";
        built.objectCount = 11;
        built.kindRecords = 28;
        built.filtered = built.fileWritten = true;
        for (const std::string& cache : c.caches)
            built.cachePaths.push_back(JoinPath(folder, cache));
        EXPECT_EQ(BuiltStatus(built, PlacementOptions{}, c.wholePath), c.status);
    }
}

} // namespace
} // namespace tes
