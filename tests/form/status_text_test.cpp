#include "core/script/placement_script.h"
#include "form/status_text.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace tes
