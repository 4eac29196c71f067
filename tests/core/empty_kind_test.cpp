// A kind of which no plant is left (its views and thinning keep none): its script clears an earlier
// run's plants and merges nothing, its CSV cache holds the channels' line alone and no PRT file is left.
#include "core/all_kinds.h"
#include "core/script/placement_script.h"
#include "lib/file_access.h"
#include "support/placement_reader.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace tes::test {
namespace {

TEST(EmptyKind, ItsScriptsMergeNothingAndClearTheLayerAndNoPrtIsLeft) {
    TempDir dir;
    LineList records;
    for (int i = 0; i < 30; ++i)
        records.append("5," + std::to_string(600 + i) + ",1,700");
    PlacementRequest request;
    PlacementOptions& o = request.options;
    o.kindNumber = "5";
    o.maxFile = "C:\\M\\Pine.max";
    o.objectName = "Pine";
    o.terrainWidth = 5;
    o.projectBasePath = dir.file("V");
    o.style = {ScriptShape::Fast, false, false, PointCache::Both};
    request.records = &records;
    const PlacementResult all = BuildPlacementScript(request);
    ASSERT_EQ(all.outcome, BuildOutcome::Built);
    ASSERT_TRUE(IsRegularFile(dir.file("V_MainVeg_05.prt")));

    o.plants.thinning.keep = 0;
    const PlacementResult none = BuildPlacementScript(request);
    ASSERT_EQ(none.outcome, BuildOutcome::Built);
    EXPECT_EQ(KeptPlantsText("Vegetation_5", none.objectCount, none.kindRecords),
              "Vegetation_5: 0 of 30 plants");
    EXPECT_EQ(none.cachePaths, std::vector<std::string>{dir.file("V_MainVeg_05.csv")});
    EXPECT_FALSE(IsRegularFile(dir.file("V_MainVeg_05.prt")));
    const std::string csv = ReadFileBytes(dir.file("V_MainVeg_05.csv"));
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1) << csv;

    // The earlier run, then this one, in one scene: nothing is left and nothing was merged again.
    std::string both;
    for (const LineList* lines : {&all.lines, &none.lines})
        for (std::size_t i = 0; i < lines->size(); ++i)
            both.append((*lines)[i]).append("\n");
    const Placement run = ReadPlacement(both, "Pine");
    EXPECT_EQ(run.fault, "");
    EXPECT_TRUE(run.nodes.empty()) << run.nodes.size();
    EXPECT_EQ(run.listener,
              (std::vector<std::string>{"Tolvane Enviro Scripter: V_MainVeg_05: placed 30 plants",
                                        "Tolvane Enviro Scripter: V_MainVeg_05: placed 0 plants"}));

    // The classic script of such a kind keeps its heading alone.
    o.style = {};
    const PlacementResult classic = BuildPlacementScript(request);
    ASSERT_EQ(classic.outcome, BuildOutcome::Built);
    EXPECT_EQ(classic.lines.size(), 7u);
    for (std::size_t i = 0; i < classic.lines.size(); ++i)
        EXPECT_FALSE(classic.lines[i].starts_with("mergeMAXFile")) << i;
}

} // namespace
} // namespace tes::test
