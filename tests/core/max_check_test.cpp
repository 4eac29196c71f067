#include "core/check/max_check.h"
#include "lib/fields.h"
#include "support/maxscript_cursor.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <set>

namespace tes::test {
namespace {

std::vector<std::string> FileLines(const std::string& path) {
    std::vector<std::string> lines;
    const std::string text = ReadBytes(path);
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        start = end == std::string::npos ? text.size() : end + 2;
    }
    return lines;
}

class MaxCheckTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        dir = new TempDir;
        check = new MaxCheckResult(WriteMaxCheck(dir->file("check"))); // made by the check
    }
    static void TearDownTestSuite() {
        delete check;
        delete dir;
    }
    static inline TempDir* dir = nullptr;
    static inline MaxCheckResult* check = nullptr;
};

// Each check the test script makes prints one line or the other: "PASS <check>" or "FAIL <check>: why".
TEST_F(MaxCheckTest, TheTestScriptPassesOrFailsEachCheck) {
    ASSERT_TRUE(check->messages.empty()) << check->messages.front().text;
    ASSERT_FALSE(check->testScript.empty());
    std::string script;
    for (const std::string& line : FileLines(check->testScript))
        script += line + "\n";
    const char* const checks[] = {
        "empty scene",                            // nothing of the user's is touched
        "folder",                                 // the Max files go where the scripts look
        "models saved",                           // the test's own models
        "runs single MaxCheck_MainVeg_01.ms",     // a kind's own script runs to its end
        "reported single NoSuchObject",           // the missing object is named
        "count single Vegetation_1 (5 plants)",   // plant counts
        "count single Vegetation_3 (0 plants)",   // the missing object's kind places nothing
        "positions single Vegetation_1",          // pivots on the points
        "positions single Vegetation_2",          // a group, its variant and far model by X and Y
        "base single Vegetation_2",               // groups stand on the ground
        "base single Vegetation_4",               // the hidden member's model too
        "own material single Vegetation_5",       // materials named alike keep their looks
        "runs joined MaxCheck_MainVeg_All.ms",    // one kind's fault stops no other
        "reported joined NoSuchObject",           // and is named
        "count joined Vegetation_5 (5 plants)",   // the kinds after it are placed
        "count rerun Vegetation_2 (5 plants)",    // a second run replaces the first
        "runs utf8 MaxCheck_UTF8_MainVeg_All.ms", // the UTF-8 joined script
        "count utf8 Vegetation_4 (5 plants)",     // places every kind
        "positions utf8 Vegetation_5",            // where the others do
        "nothing hidden",                         // hidden members are shown
        "nothing left over",                      // nothing merged stays besides the plants
        "user's material kept",                   // a scene material of the same name is untouched
    };
    for (const char* name : checks) {
        EXPECT_NE(script.find("\"PASS " + std::string(name) + "\""), std::string::npos) << name;
        EXPECT_NE(script.find("\"FAIL " + std::string(name) + ": \""), std::string::npos) << name;
    }
}

// The form the scripts' reader takes: one statement a line, blocks opened and closed by lines of their
// own, data arrays opened at the end of their line; and the versions of the fast scripts it runs.
TEST_F(MaxCheckTest, TheTestScriptKeepsToOneStatementALine) {
    const std::vector<std::string> lines = FileLines(check->testScript);
    int depth = 0;
    for (const std::string& line : lines) {
        const int balance = ParenthesisBalance(line);
        if (line == "(" || line.ends_with("#("))
            ++depth;
        else if (line == ")")
            --depth;
        else
            EXPECT_EQ(balance, 0) << line;
        EXPECT_GE(depth, 0) << line;
    }
    EXPECT_EQ(depth, 0);
    const std::string fastFirst = FileLines(JoinPath(check->folder, "MaxCheck_MainVeg_01.ms")).front();
    const std::string versions =
        fastFirst.substr(fastFirst.find("3ds Max"), fastFirst.find(',') - fastFirst.find("3ds Max"));
    EXPECT_EQ(lines[1].find("-- For " + versions + ","), 0u) << lines[1];
}

// The plants the engine built take every model the test script makes: both objects of kind 2 near the
// camera and its far model, both of kind 5 (ShapeIndex, the last column of the point caches).
TEST_F(MaxCheckTest, ThePlantsTakeEveryModel) {
    const std::pair<const char*, std::set<std::string>> kinds[] = {
        {"MaxCheck_MainVeg_02.csv", {"0", "1", "2"}},
        {"MaxCheck_MainVeg_05.csv", {"0", "1"}},
    };
    for (const auto& [file, shapes] : kinds) {
        std::set<std::string> taken;
        const std::vector<std::string> lines = FileLines(JoinPath(check->folder, file));
        for (std::size_t i = 1; i < lines.size(); ++i)
            taken.insert(lines[i].substr(lines[i].rfind(',') + 1));
        EXPECT_EQ(taken, shapes) << file;
    }
}

// A folder the check cannot be written into is refused with why, and nothing is written.
TEST(MaxCheckFolder, IsRefusedWithWhyWhenItCannotTakeTheFiles) {
    TempDir dir;
    const std::string taken = dir.write("taken", "a file");
    const std::pair<std::string, std::string> cases[] = {
        {JoinPath(taken, "check"), "it cannot be made"},
        {taken, "it is a file"},
        // The scripts, Windows-1252, could not name the Max files there.
        {dir.file("\xE6\xA3\x80\xE6\x9F\xA5"), "characters that the scripts' code page (Windows-1252) lacks"},
    };
    for (const auto& [folder, why] : cases) {
        const MaxCheckResult check = WriteMaxCheck(folder);
        ASSERT_EQ(check.messages.size(), 1u) << folder;
        EXPECT_EQ(check.messages[0].kind, MessageKind::Refusal) << folder;
        EXPECT_TRUE(
            check.messages[0].text.starts_with("The 3ds Max check cannot be written into " + folder + ": "))
            << check.messages[0].text;
        EXPECT_NE(check.messages[0].text.find(why), std::string::npos) << check.messages[0].text;
        EXPECT_TRUE(check.files.empty()) << folder;
    }
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"taken"});
}

} // namespace
} // namespace tes::test
