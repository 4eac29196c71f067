// How the engine's use cases end when the input or the user stops them: the outcome, the messages
// and their kinds, and what is left on disk.
#include "core/load_project.h"
#include "core/script/placement_script.h"
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
    const char* kindNumber; // empty: none
    const char* objectName;
    const char* gridRes;
    std::uint64_t fileByteLimit;
    bool cancel;
    BuildOutcome outcome;
    Messages messages;
    bool scriptNamed;
    std::uint64_t objects; // placed in the lines made
    PlantStand stand = PlantStand::Auto;
};

TEST(PlacementScriptOutcome, EndsAsTheInputAndTheUserSay) {
    const BuildCase cases[] = {
        {"done", "5", "Tree", "3", kNoByteLimit, false, BuildOutcome::Built, {}, true, 2},
        {"no number",
         "",
         "Tree",
         "3",
         kNoByteLimit,
         false,
         BuildOutcome::Refused,
         {Refusal("Invalid Vegetation Number")},
         false,
         0},
        {"quoted name",
         "5",
         "Tree's",
         "3",
         kNoByteLimit,
         false,
         BuildOutcome::Refused,
         {Refusal("Please specify a Max object name without quotes or control characters (the fast script "
                  "takes a name with an apostrophe: Script Options)")},
         false,
         0},
        {"overflow",
         "5",
         "Tree",
         "1E308",
         kNoByteLimit,
         false,
         BuildOutcome::Failed,
         {{MessageKind::Failure, "Unexpected error in BuildScript \n\n 6 - Overflow"}},
         true,
         0},
        {"full disk",
         "5",
         "Tree",
         "3",
         100,
         false,
         BuildOutcome::Failed,
         {{MessageKind::Failure, "Unexpected error in BuildScript \n\n 61 - Disk full\n\nFile: "}},
         true,
         2},
        {"cancelled", "5", "Tree", "3", kNoByteLimit, true, BuildOutcome::Cancelled, {}, true, 0},
        {"base in the classic script",
         "5",
         "Tree",
         "3",
         kNoByteLimit,
         false,
         BuildOutcome::Refused,
         {Refusal("Plants standing on their base need the fast script (Script Options)")},
         false,
         0,
         PlantStand::Base},
        {"pivot in the classic script",
         "5",
         "Tree",
         "3",
         kNoByteLimit,
         false,
         BuildOutcome::Built,
         {},
         true,
         2,
         PlantStand::Pivot},
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
        request.options.kindNumber = c.kindNumber;
        request.options.maxFile = R"(C:\Models\Tree.max)";
        request.options.objectName = c.objectName;
        request.options.terrainWidth = 5;
        request.options.gridRes = LeadingNumberValue(c.gridRes);
        request.options.plants.stand = c.stand;
        request.options.projectBasePath = dir.file("Valley");
        request.records = &records;
        request.progress = c.cancel ? &cancel : nullptr;
        request.tuning.fileByteLimit = c.fileByteLimit;

        const PlacementResult result = BuildPlacementScript(request);
        EXPECT_EQ(result.outcome, c.outcome);
        Messages expected = c.messages;
        // A file that could not be written is named.
        if (c.fileByteLimit != kNoByteLimit)
            expected.front().text += earlier;
        EXPECT_EQ(result.messages, expected);
        EXPECT_EQ(result.scriptPath, c.scriptNamed ? earlier : "");
        // Only a finished build replaces the earlier script.
        const bool replaced = c.outcome == BuildOutcome::Built;
        EXPECT_EQ(result.fileWritten, replaced);
        EXPECT_EQ(ReadFileBytes(earlier) == "earlier script\r\n", !replaced);
        EXPECT_EQ(result.objectCount, c.objects);
    }
}

// A number 3ds Max cannot hold (beyond a 32-bit float) is refused, naming where it comes from, and the
// refused build changes nothing: no derived field, no lines, no file.
TEST(PlacementScriptOutcome, RefusesNumbersBeyondWhat3dsMaxHolds) {
    const struct {
        const char* verticalOffset;
        const char* rotationAngle;
        const char* objectScale;
        std::string message;
    } cases[] = {
        {"-1e300", "45", "100",
         "The position of the record \"5,1920,0,1920\" lies beyond the numbers 3ds Max can hold"},
        {"0", "1e300", "100", "The rotation angle lies beyond the numbers 3ds Max can hold"},
        {"0", "45", "1e41", "The object scale lies beyond the numbers 3ds Max can hold"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        TempDir dir;
        const std::string earlier = dir.write("Valley_MainVeg_05.ms", "earlier script\r\n");
        LineList records;
        records.append("5,1920,0,1920");
        PlacementRequest request;
        request.options.kindNumber = "5";
        request.options.maxFile = R"(C:\Models\Tree.max)";
        request.options.objectName = "Tree";
        request.options.terrainWidth = 5;
        request.options.verticalOffset = LeadingNumberValue(c.verticalOffset);
        request.options.rotationAngle = c.rotationAngle;
        request.options.objectScale = LeadingNumberValue(c.objectScale);
        request.options.useObjectScale = true;
        request.options.projectBasePath = dir.file("Valley");
        request.records = &records;
        const PlacementResult result = BuildPlacementScript(request);
        EXPECT_EQ(result.outcome, BuildOutcome::Refused);
        EXPECT_EQ(result.messages, (Messages{Refusal(c.message)}));
        EXPECT_FALSE(result.gridSize.has_value());
        EXPECT_TRUE(result.lines.empty());
        EXPECT_EQ(ReadFileBytes(earlier), "earlier script\r\n");
    }
}

// The fast script's points stand in arrays of at most a thousand, each point but an array's last
// followed by a comma.
TEST(FastScript, WritesThePointsInArraysOfAThousand) {
    LineList records;
    for (int i = 0; i < 2002; ++i) // the first places the object, 2001 points follow
        records.append("5,1920,0,1920");
    PlacementRequest request;
    request.options.kindNumber = "5";
    request.options.maxFile = R"(C:\Models\Tree.max)";
    request.options.objectName = "Tree";
    request.options.saveToFile = false;
    request.options.style.shape = ScriptShape::Fast;
    request.records = &records;
    const PlacementResult result = BuildPlacementScript(request);
    ASSERT_EQ(result.outcome, BuildOutcome::Built);
    EXPECT_EQ(result.objectCount, 2002u);
    std::vector<std::size_t> arraySizes;
    for (std::size_t row = 0; row < result.lines.size(); ++row) {
        const std::string_view line = result.lines[row];
        if (line == "append points #(")
            arraySizes.push_back(0);
        else if (line.starts_with("[")) {
            ++arraySizes.back();
            const bool last = result.lines[row + 1] == ")";
            EXPECT_EQ(line.ends_with(","), !last) << row;
        }
    }
    EXPECT_EQ(arraySizes, (std::vector<std::size_t>{1000, 1000, 1}));
}

} // namespace
} // namespace tes::test
