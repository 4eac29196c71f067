// Fast scripts joined into one, as 3ds Max runs them: one byte-order mark, every part runs though one
// fails, the Listener says what each placed, models stand on their base or pivot, and a second run of
// the whole replaces the first.
#include "core/all_kinds.h"
#include "core/script/combine_scripts.h"
#include "lib/file_access.h"
#include "support/placement_reader.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <map>

namespace tes::test {
namespace {

// Pine stands on its pivot; Group's head is pivoted in the middle of its box, 5 above its base; Hidden's
// pivot is 2 above its foot and the file keeps it hidden; Twin's member bears its head's name.
const MaxFiles kFiles = {
    {"C:\\M\\LIB.MAX",
     {{"Pine"},
      {"Group", "", {0, 0, 5}, false, false, -5},
      {"GA", "Group", {1, 0, 2}, false, false, -2},
      {"GB", "Group", {-1, 0, 4}, false, false, -4},
      {"Hidden", "", {}, true, false, -2}}},
    {"C:\\M\\OTHER.MAX", {{"Twin"}, {"twin", "Twin", {0, 1, 1}}}},
};

TEST(JoinedScripts, EveryPartRunsAndSaysWhatItPlaced) {
    TempDir dir;
    LineList records;
    for (const char* kind : {"1", "2", "3", "4", "5"})
        for (int i = 0; i < 6; ++i)
            records.append(std::string(kind) + "," + std::to_string(600 + 10 * i) + "," + std::to_string(i) +
                           ",700");
    KindsTable table;
    const char* const lib = "C:\\M\\Lib.max";
    table.set({"1", lib, "Pine", true});
    table.set({"2", lib, "Group", true});
    KindRow hidden{"3", lib, "Hidden", true};
    hidden.plants.stand = PlantStand::Base;
    table.set(hidden);
    table.set({"4", "C:\\M\\Other.max", "Missing", true});
    table.set({"5", "C:\\M\\Other.max", "Twin", true});

    AllKindsRequest request;
    request.options.terrainWidth = 5;
    request.options.gridRes = 1;
    request.options.projectBasePath = dir.file("P");
    request.options.style = {ScriptShape::Fast, false, true};
    request.records = &records;
    request.table = &table;
    for (const char* kind : {"1", "2", "3", "4", "5"})
        request.kinds.push_back({kind, "", {kind}});
    request.joinInto = dir.file("P_MainVeg_All.ms");
    const AllKindsResult built = BuildAllKinds(request);
    ASSERT_EQ(built.joinedPath, request.joinInto) << built.summary;

    // The joined file, and the same run twice: the second run leaves what the first left.
    ASSERT_TRUE(CombineScripts({{built.joinedPath, built.joinedPath}, dir.file("Twice.ms")}).written);
    for (const char* file : {"P_MainVeg_All.ms", "Twice.ms"}) {
        SCOPED_TRACE(file);
        const std::string bytes = ReadFileBytes(dir.file(file));
        ASSERT_TRUE(bytes.starts_with("\xEF\xBB\xBF"));
        const Placement run = ReadPlacement(bytes, "", kFiles);
        ASSERT_EQ(run.fault, "");
        const std::vector<std::string> once{
            "Tolvane Enviro Scripter: P_MainVeg_01: placed 6 plants",
            "Tolvane Enviro Scripter: P_MainVeg_02: placed 6 plants",
            "Tolvane Enviro Scripter: P_MainVeg_03: placed 6 plants",
            "Tolvane Enviro Scripter: P_MainVeg_04: not placed: the Max file C:\\M\\OTHER.MAX holds no "
            "object "
            "named Missing",
            "Tolvane Enviro Scripter: P_MainVeg_05: 2 objects are named Twin; the plants are made of the "
            "first "
            "with no parent, or else the first",
            "Tolvane Enviro Scripter: P_MainVeg_05: placed 6 plants",
        };
        std::vector<std::string> expected = once;
        if (std::string(file) == "Twice.ms")
            expected.insert(expected.end(), once.begin(), once.end());
        EXPECT_EQ(run.listener, expected);

        // Each plant by its kind's layer: its head and its lowest point. Pine's pivot, and each
        // plant's head, stands on the point; a model on its base has its lowest point there.
        std::map<std::string, std::vector<Point3>> heads;
        std::map<std::string, std::vector<float>> lowest;
        for (std::size_t i = 0; i < run.nodes.size(); ++i) {
            const PlacedNode& node = run.nodes[i];
            EXPECT_FALSE(node.hidden) << node.name;
            ASSERT_NE(run.layers[i], "") << node.name << ": merged and left behind";
            long long head = static_cast<long long>(i);
            while (run.nodes[static_cast<std::size_t>(head)].parent >= 0)
                head = run.nodes[static_cast<std::size_t>(head)].parent;
            const float low = node.position.z + node.bottom * node.scale.z;
            if (head == static_cast<long long>(i)) {
                heads[run.layers[i]].push_back(node.position);
                lowest[run.layers[i]].push_back(low);
            } else {
                float& l = lowest[run.layers[i]].back();
                l = std::min(l, low);
            }
        }
        ASSERT_EQ(heads["P_MainVeg_01"].size(), 6u);
        EXPECT_EQ(heads.count("P_MainVeg_04"), 0u);
        for (const char* layer : {"P_MainVeg_02", "P_MainVeg_03", "P_MainVeg_05"}) {
            ASSERT_EQ(heads[layer].size(), 6u) << layer;
            for (std::size_t k = 0; k < 6; ++k) {
                const Point3 point = heads["P_MainVeg_01"][k];
                EXPECT_NEAR(heads[layer][k].x, point.x, 1e-4) << layer;
                // Twin's pivot is its lowest point, Group and Hidden stand on their base.
                EXPECT_NEAR(lowest[layer][k], point.z, 1e-3) << layer;
            }
        }
    }
}

} // namespace
} // namespace tes::test
