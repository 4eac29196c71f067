// How the engine's use cases end when the input or the user stops them: the outcome, the messages
// and their kinds, and what is left on disk.
#include "core/load_project.h"
#include "core/placement_script.h"
#include "lib/file_access.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <string>

namespace tes::test {
namespace {

// Stops the work at its first report.
class CancellingProgress : public Progress {
public:
    bool reportProgress(unsigned long long, unsigned long long) override { return false; }
};

TEST(LoadProjectOutcome, RefusesAProjectWithoutEnvironmentAndStopsWhenCancelled) {
    TempDir dir;
    LoadRequest request;
    request.projectPath = dir.write("Valley.prj", "Tolvane project");
    const LoadResult refused = LoadProject(request);
    EXPECT_EQ(refused.outcome, LoadOutcome::Refused);
    EXPECT_EQ(refused.messages, (Messages{Refusal("No Tolvane TXT environment file found!!")}));
    EXPECT_EQ(refused.files.environment, dir.file("Valley.txt"));

    // Long enough for the reader to report its progress once.
    std::string environment;
    while (environment.size() < (5u << 20))
        environment += "5,1920.000000,0.000000,1920.000000\r\n";
    dir.write("Valley.txt", environment);
    CancellingProgress cancel;
    request.progress = &cancel;
    const LoadResult cancelled = LoadProject(request);
    EXPECT_EQ(cancelled.outcome, LoadOutcome::Cancelled);
    EXPECT_TRUE(cancelled.records.empty());
}

struct BuildCase {
    const char* name;
    const char* vegetation;
    const char* objectName;
    const char* gridRes;
    std::uint64_t fileByteLimit;
    bool cancel;
    BuildOutcome outcome;
    Messages messages;
    bool scriptNamed;
    std::uint64_t objects; // placed in the lines made
};

TEST(PlacementScriptOutcome, EndsAsTheInputAndTheUserSay) {
    const BuildCase cases[] = {
        {"done", "Vegetation_5:  Pine", "Tree", "3", kNoByteLimit, false, BuildOutcome::Built, {}, true, 2},
        {"no number",
         "Vegetation:  Pine",
         "Tree",
         "3",
         kNoByteLimit,
         false,
         BuildOutcome::Refused,
         {Refusal("Invalid Vegetation Number")},
         false,
         0},
        {"quoted name",
         "Vegetation_5",
         "Tree's",
         "3",
         kNoByteLimit,
         false,
         BuildOutcome::Refused,
         {Refusal("Please specify a Max object name without quotes or control characters")},
         false,
         0},
        {"overflow",
         "Vegetation_5",
         "Tree",
         "1E308",
         kNoByteLimit,
         false,
         BuildOutcome::Failed,
         {{MessageKind::Failure, "Unexpected error in BuildScript \n\n 6 - Overflow"}},
         true,
         0},
        {"full disk",
         "Vegetation_5",
         "Tree",
         "3",
         100,
         false,
         BuildOutcome::Failed,
         {{MessageKind::Failure, "Unexpected error in BuildScript \n\n 61 - Disk full"}},
         true,
         2},
        {"cancelled", "Vegetation_5", "Tree", "3", kNoByteLimit, true, BuildOutcome::Cancelled, {}, true, 0},
    };
    for (const BuildCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string earlier = dir.write("Valley_MainVeg_05.ms", "earlier script\r\n");
        LineList records;
        records.append("5,1920,0,1920");
        records.append("5,1620,10,2220");
        CancellingProgress cancel;
        PlacementRequest request;
        request.options.vegetation = c.vegetation;
        request.options.maxFile = R"(C:\Models\Tree.max)";
        request.options.objectName = c.objectName;
        request.options.terrainWidth = 5;
        request.options.gridRes = c.gridRes;
        request.options.projectBasePath = dir.file("Valley");
        request.records = &records;
        request.progress = c.cancel ? &cancel : nullptr;
        request.tuning.fileByteLimit = c.fileByteLimit;

        const PlacementResult result = BuildPlacementScript(request);
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(result.messages, c.messages);
        EXPECT_EQ(result.scriptPath, c.scriptNamed ? earlier : "");
        // Only a finished build replaces the earlier script.
        const bool replaced = c.outcome == BuildOutcome::Built;
        EXPECT_EQ(result.fileWritten, replaced);
        EXPECT_EQ(ReadFileBytes(earlier) == "earlier script\r\n", !replaced);
        EXPECT_EQ(result.objectCount, c.objects);
    }
}

} // namespace
} // namespace tes::test
