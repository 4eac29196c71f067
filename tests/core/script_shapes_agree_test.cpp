// The classic and the fast script of one job must leave the same scene in 3ds Max: both are read
// with the tests' placement reader, for odd object names and every combination of the options.
#include "core/load_project.h"
#include "core/script/placement_script.h"
#include "lib/fields.h"
#include "lib/text_codec.h"
#include "support/loaded_fields.h"
#include "support/mixed_records.h"
#include "support/placement_reader.h"
#include "support/temp_dir.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>

namespace tes::test {
namespace {

struct OddName {
    const char* name;
    const char* maxFile;
};

const OddName kNames[] = {
    {"Tree", R"(C:\Models\tree.max)"},
    {"Oak Tree", R"(C:\Models\Oak Tree.max)"},
    {"Spruce_A", R"(\\server\share\spruce.max)"},
    {"v1.2 Birch.", R"(C:\Models\%TEMP%\birch.max)"},
    {"Star*Pine", R"(C:\Models\star.max)"},
    {"What?", R"(C:\Models\)"},
    {"*", R"(C:\a"b\star.max)"},
    {R"(back\slash\)", R"(C:\Models\\back.max)"},
    {R"(say "hi" 100%)", R"(C:\Models\say.max)"},
    {"\xC3\x89pic\xC3\xA9"
     "a \xC2\xABvert\xC2\xBB \xE2\x82\xAC",
     "C:\\Mod\xC3\xA8les\\\xC3\xA9pic\xC3\xA9"
     "a.max"},
    {"\xE2\x9C\x93 Check", "C:\\Models\\\xE2\x9C\x93.max"},
    {"\xCE\x94\xCE\xAD\xCE\xBD\xCF\x84\xCF\x81\xCE\xBF", "C:\\\xCE\x94\\tree.max"},
};

// A project whose path asks for escapes in the layer's string, written into `dir`. Windows allows no
// quote in a file name, but its path separators ask for escapes all the same.
#ifdef _WIN32
constexpr const char* kProjectName = "Val \xC3\xA9 1";
#else
constexpr const char* kProjectName = "Val \"\xC3\xA9\" 1";
#endif

std::string WriteProject(const TempDir& dir, int records) {
    const std::string name = kProjectName;
    dir.write(name + ".scn", "[Environment]\r\nTerrainWidth=5\r\nTerrainWidthScale=3.0\r\n[Light2]\r\n"
                             "Position=1800,200,800\r\nTargetPosition=1803,199,796\r\n");
    dir.write(name + ".est", "[Vegetation_5]\r\nName=Tree\r\n[Vegetation_12]\r\nName=Fern\r\n");
    dir.write(name + ".txt", "Tolvane environment\r\n" + MixedRecords(records));
    return dir.write(name + ".prj", "Tolvane project\r\n");
}

PlacementResult Build(const LoadResult& loaded, const PlacementOptions& choices, ScriptShape shape,
                      std::uint64_t twoThreadsFrom = 500000) {
    PlacementRequest build;
    build.options = choices;
    PlacementOptions& o = build.options;
    o.kindNumber = "5";
    o.useObjectScale = true;
    TakeLoadedFields(loaded, o);
    o.saveToFile = false;
    o.style.shape = shape;
    build.records = &loaded.records;
    build.tuning.twoThreadsFrom = twoThreadsFrom;
    return BuildPlacementScript(build);
}

// Builds both shapes and reads them: the same nodes, named and placed as the job asks.
void ExpectSamePlacement(const LoadResult& loaded, const PlacementOptions& choices,
                         std::uint64_t twoThreadsFrom = 500000) {
    const PlacementResult classic = Build(loaded, choices, ScriptShape::Classic, twoThreadsFrom);
    const PlacementResult fast = Build(loaded, choices, ScriptShape::Fast, twoThreadsFrom);
    ASSERT_EQ(classic.outcome, BuildOutcome::Built);
    ASSERT_EQ(fast.outcome, BuildOutcome::Built);
    ASSERT_GE(classic.objectCount, 2u);
    EXPECT_EQ(fast.objectCount, classic.objectCount);

    const Placement expected = ReadPlacement(classic.lines, choices.objectName);
    const Placement actual = ReadPlacement(fast.lines, choices.objectName);
    EXPECT_EQ(expected.fault, "");
    EXPECT_EQ(actual.fault, "");
    EXPECT_EQ(actual.nodes, expected.nodes);
    EXPECT_EQ(actual.mergedFile, UpperCase(choices.maxFile));
    EXPECT_EQ(expected.mergedFile, UpperCase(choices.maxFile));

    ASSERT_EQ(actual.nodes.size(), fast.objectCount);
    const NodeOrigin cloned = choices.style.instances ? NodeOrigin::Instance : NodeOrigin::Copy;
    for (std::size_t i = 1; i < actual.nodes.size(); ++i) {
        char number[24];
        std::snprintf(number, sizeof number, "%02zu", i);
        EXPECT_EQ(actual.nodes[i].name, choices.objectName + number);
        EXPECT_EQ(actual.nodes[i].origin, cloned);
    }
}

TEST(ScriptShapes, LeaveTheSamePlacementForOddNamesAndEveryOption) {
    TempDir dir;
    const std::string project = WriteProject(dir, 150);
    for (const bool mainTile : {true, false}) {
        for (const char* scale : {"100", "37.5"}) {
            const LoadResult loaded = LoadTile(project, mainTile, scale);
            ASSERT_EQ(loaded.outcome, LoadOutcome::Loaded);
            for (const OddName& odd : kNames) {
                for (const bool utf8 : {false, true}) {
                    if (!utf8 && (!FitsWindows1252(odd.name) || !FitsWindows1252(odd.maxFile)))
                        continue;
                    for (const bool rotate : {false, true}) {
                        for (const bool instances : {false, true}) {
                            PlacementOptions o;
                            o.objectName = odd.name;
                            o.maxFile = odd.maxFile;
                            o.mainTile = mainTile;
                            o.rotate = rotate;
                            o.style.instances = instances;
                            o.style.utf8 = utf8;
                            SCOPED_TRACE(std::string(odd.name) + (mainTile ? " main" : " perimeter") +
                                         " scale " + scale + (rotate ? " turned" : "") +
                                         (instances ? " instances" : "") + (utf8 ? " utf8" : ""));
                            ExpectSamePlacement(loaded, o);
                        }
                    }
                }
            }
        }
    }
}

// More clones than one array of the fast shape holds, made on two threads.
TEST(ScriptShapes, LeaveTheSamePlacementForLongListsOnTwoThreads) {
    TempDir dir;
    const LoadResult loaded = LoadTile(WriteProject(dir, 12000), true, "37.5");
    PlacementOptions o;
    o.objectName = "Oak Tree";
    o.maxFile = R"(C:\Models\Oak Tree.max)";
    o.rotate = true;
    ASSERT_GT(Build(loaded, o, ScriptShape::Fast).objectCount, 1001u);
    ExpectSamePlacement(loaded, o, 1);
}

} // namespace
} // namespace tes::test
