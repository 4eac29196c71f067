#include "form/process_command.h"
#include "script_fixture.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tes::test {
namespace {

constexpr int kFirstPositionLine = 12; // after the ten header lines, the comment and "max move"

bool HasLineStartingWith(const std::vector<std::string>& lines, std::string_view prefix) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& l) { return l.starts_with(prefix); });
}

std::string WithCrLf(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

class ListChangeCounter : public MainModelObserver {
public:
    void listChanged(ListId id) override { count += id == ListId::List2; }
    int count = 0;
};

using ScriptWriterTest = ScriptTest;

TEST_F(ScriptWriterTest, WritesTheWholeScriptIntoTheListAndTheFile) {
    set(TextField::txtObjectScale, "50");
    ctx.form.setCheck(CheckBox::chkUseObjectScale, kUnchecked); // 256 * 100 / 768
    set(TextField::txtRotationAngle, "45.0");
    addRecord("5,1920,0,1920");
    addRecord("05,1,2,3");
    addRecord("5,1620,10,2220,extra,fields");
    addRecord("12,1,2,3");

    BuildScript(ctx);

    const std::vector<std::string> expected = {
        "-- Tolvane Enviro Scripter for 3dsMax 3.1,  Version: 1.1",
        "-- Script File Name:  Valley_MainVeg_05.ms",
        "",
        "",
        "-- start of script",
        "clearlistener()",
        "",
        "-- perform merge on first object",
        R"(mergeMAXFile "C:\MODELS\TREE.MAX" #mergeDups #select #noredraw)",
        "",
        "-- move the first object into position",
        "max move",
        "$Tree.pos = [0.000000,0.000000,0.000000]",
        "rotate $Tree (angleaxis 45.0 [0,0,1])",
        "$Tree.scale = [0.33333333,0.33333333,0.33333333]",
        "",
        "-- make copies of the original object and move into postion",
        "",
        R"(copy $Tree isSelected:on name:"Tree01")",
        "$Tree01.pos = [100.000000,100.000000,3.333333]",
        "",
    };
    EXPECT_EQ(script(), expected);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(ctx.session.ScriptFilePath, scriptPath());
    EXPECT_EQ(ctx.form.text(TextField::txtObjectScale), "33.333333");
    EXPECT_EQ(ReadBytes(scriptPath()), WithCrLf(expected));
    EXPECT_EQ(folderEntries(), std::vector<std::string>{"Valley_MainVeg_05.ms"});
}

TEST_F(ScriptWriterTest, CentresTheChosenTileOnTheOrigin) {
    const struct {
        bool mainTile;
        int width;
        std::string H; // the tile's middle
        std::string T; // its span, which the grid size equals at an object scale of 100
        std::string fileName;
    } cases[] = {
        {true, 6, "2304", "1536", "Valley_MainVeg_05.ms"},
        {true, 5, "1920", "768", "Valley_MainVeg_05.ms"},
        {false, 3, "384", "768", "Valley_PerVeg_05.ms"},
        {false, 4, "1152", "768", "Valley_PerVeg_05.ms"},
    };
    for (const auto& c : cases) {
        ctx.form.setCheck(CheckBox::chkMainTile, c.mainTile ? kChecked : kUnchecked);
        ctx.session.TerrainWidth = c.width;
        ctx.form.list(ListId::List1).clear();
        addRecord("5,0,0,0");
        addRecord("5," + c.H + ",0," + c.H); // x = H, z = H

        BuildScript(ctx);

        const std::vector<std::string> lines = script();
        ASSERT_EQ(lines.size(), 19u) << c.width;
        EXPECT_EQ(lines[kFirstPositionLine], "$Tree.pos = [-" + c.H + ".000000," + c.H + ".000000,0.000000]");
        EXPECT_EQ(lines[17], "$Tree01.pos = [0.000000,0.000000,0.000000]") << c.width;
        EXPECT_EQ(ctx.form.text(TextField::txtGridSize), c.T) << c.width;
        EXPECT_EQ(ctx.session.ScriptFilePath, dir.file(c.fileName)) << c.width;
    }
}

TEST_F(ScriptWriterTest, GridSizeDecidesTheObjectScaleAndScalesEveryCoordinate) {
    ctx.form.setCheck(CheckBox::chkMainTile, kUnchecked);
    ctx.session.TerrainWidth = 4; // perimeter tile: H 1152, T 768
    ctx.form.setCheck(CheckBox::chkUseObjectScale, kUnchecked);
    set(TextField::txtObjectScale, "50");
    set(TextField::txtGridSize, "256");
    set(TextField::txtVerticalOffset, "3");
    addRecord("5,1152,0,1152");
    addRecord("5,852,0,1452");

    BuildScript(ctx);

    const std::vector<std::string> lines = script();
    EXPECT_EQ(ctx.form.text(TextField::txtObjectScale), "33.333333");
    EXPECT_EQ(ctx.form.text(TextField::txtGridSize), "256");
    EXPECT_EQ(lines[kFirstPositionLine], "$Tree.pos = [0.000000,0.000000,1.000000]"); // offset scaled too
    EXPECT_EQ(lines[kFirstPositionLine + 1], "$Tree.scale = [0.33333333,0.33333333,0.33333333]");
    EXPECT_EQ(lines[kFirstPositionLine + 6], "$Tree01.pos = [100.000000,100.000000,1.000000]");
}

TEST_F(ScriptWriterTest, ObjectScaleDecidesTheGridSizeRoundedHalfToEven) {
    const struct {
        std::string gridRes;
        std::string objectScale;
        std::string gridSize;
        std::string scaleLine; // empty: none
    } cases[] = {
        {"3", "50", "384", "$Tree.scale = [0.50000000,0.50000000,0.50000000]"},
        {"3", "100", "768", ""},
        // 0.5 goes to 0 and 1.5 to 2; the scale 0.001953125 is exact and rounds to even as well
        {"1", "0.1953125", "0", "$Tree.scale = [0.00195312,0.00195312,0.00195312]"},
        {"1", "0.5859375", "2", "?"},
    };
    for (const auto& c : cases) {
        set(TextField::txtGridRes, c.gridRes);
        set(TextField::txtObjectScale, c.objectScale);
        ctx.form.list(ListId::List1).clear();
        addRecord("5,0,0,0");

        BuildScript(ctx);

        const std::vector<std::string> lines = script();
        EXPECT_EQ(ctx.form.text(TextField::txtGridSize), c.gridSize) << c.objectScale;
        EXPECT_EQ(ctx.form.text(TextField::txtObjectScale), c.objectScale);
        if (c.scaleLine != "?") {
            EXPECT_EQ(lines[kFirstPositionLine + 1], c.scaleLine) << c.objectScale;
        }
        EXPECT_EQ(HasLineStartingWith(lines, "$Tree.scale"), !c.scaleLine.empty());
    }
}

TEST_F(ScriptWriterTest, RotatesTheFirstObjectOnlyByANonZeroAngle) {
    const struct {
        int rotate;
        std::string angle;
        std::string line; // empty: no rotate line
    } cases[] = {
        {kChecked, "45.0", "rotate $Tree (angleaxis 45.0 [0,0,1])"},
        {kChecked, "-26.6", "rotate $Tree (angleaxis -26.6 [0,0,1])"},
        {kChecked, "1e2", "rotate $Tree (angleaxis 1e2 [0,0,1])"},
        {kChecked, R"(45 [0,0,1]); deleteFile "x")", "rotate $Tree (angleaxis 45 [0,0,1])"},
        {kChecked, "30\r\ndeleteFile \"x\"", "rotate $Tree (angleaxis 30 [0,0,1])"},
        {kChecked, "0", ""},
        {kChecked, "0.000", ""},
        {kChecked, "none", ""},
        {kUnchecked, "45.0", ""},
    };
    for (const auto& c : cases) {
        ctx.form.setCheck(CheckBox::chkRotateObjects, c.rotate);
        set(TextField::txtRotationAngle, c.angle);
        ctx.form.list(ListId::List1).clear();
        addRecord("5,0,0,0");
        addRecord("5,0,0,0");

        BuildScript(ctx);

        const std::vector<std::string> lines = script();
        EXPECT_EQ(lines[kFirstPositionLine + 1], c.line.empty() ? "" : c.line) << c.angle;
        // Only the first object turns; the copies inherit it in 3ds Max.
        EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                                [](const std::string& l) { return l.starts_with("rotate"); }),
                  c.line.empty() ? 0 : 1);
    }
}

TEST_F(ScriptWriterTest, FollowsTheWorkedExample) {
    addRecord("5,1923,0.25,1932.5"); // X 12.5, Y -3, Z 0.25 on the main tile of width 5
    addRecord("5,1920,0,1920");

    BuildScript(ctx);

    const std::vector<std::string> lines = script();
    EXPECT_EQ(lines[kFirstPositionLine], "$Tree.pos = [12.500000,-3.000000,0.250000]");
    EXPECT_EQ(lines[kFirstPositionLine + 4], R"(copy $Tree isSelected:on name:"Tree01")");
    EXPECT_TRUE(lines[kFirstPositionLine + 5].starts_with("$Tree01.pos = ["));
}

TEST_F(ScriptWriterTest, MatchesTheVegetationNumberAsExactText) {
    addRecord("05,1,2,3");
    addRecord("5 ,1,2,3");
    addRecord("5,1,2,3");
    addRecord("15,1,2,3");
    addRecord("5");

    BuildScript(ctx);

    const std::vector<std::string> lines = script();
    // The first object and one copy (the line "5" without coordinates sits at x = z = y = 0).
    EXPECT_EQ(lines.size(), 10u + 6u + 3u);
    EXPECT_EQ(lines.back(), "");
    EXPECT_EQ(lines[lines.size() - 2], "$Tree01.pos = [-1920.000000,1920.000000,0.000000]");
}

TEST_F(ScriptWriterTest, NumbersCopiesBeyondTwoDigitsAndSixteenBits) {
    for (int i = 0; i < 32769; ++i)
        addRecord("5,1920,0,1920");

    BuildScript(ctx);

    const std::vector<std::string> lines = script();
    ASSERT_EQ(lines.size(), 10u + 6u + 3u * 32768u);
    EXPECT_EQ(lines[16], R"(copy $Tree isSelected:on name:"Tree01")");
    EXPECT_EQ(lines[16 + 3 * 99], R"(copy $Tree isSelected:on name:"Tree100")"); // the 101st record
    EXPECT_EQ(lines[lines.size() - 3], R"(copy $Tree isSelected:on name:"Tree32768")");
    EXPECT_EQ(lines[lines.size() - 2], "$Tree32768.pos = [0.000000,0.000000,0.000000]");
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ScriptWriterTest, AVegetationTextWithoutNumberChangesNothing) {
    ctx.form.list(ListId::List2).append("the last script");
    ctx.session.ScriptFilePath = "last.ms";
    addRecord("5,1,2,3");
    for (const char* text : {"Vegetation:  Pine", "Vegetation_:  Pine", "Pine"}) {
        ctx.form.setComboText(text);
        platform.messages.clear();

        BuildScript(ctx);

        EXPECT_EQ(platform.messages, std::vector<std::string>{"Invalid Vegetation Number"}) << text;
        EXPECT_EQ(script(), std::vector<std::string>{"the last script"});
        EXPECT_EQ(ctx.session.ScriptFilePath, "last.ms");
    }
    EXPECT_TRUE(folderEntries().empty());
}

TEST_F(ScriptWriterTest, WithoutTheSaveFlagOnlyTheListIsFilled) {
    ctx.session.SaveToFile = false;
    addRecord("5,1,2,3");
    BuildScript(ctx);
    EXPECT_EQ(script().size(), 16u);
    EXPECT_TRUE(folderEntries().empty());
}

// Each failure shows the routine's message once; the lines listed so far stay, an earlier script on
// disk stays as it was, and no temporary file is left.
TEST(ScriptWriterFailures, AreReportedAndKeepWhatWasDone) {
    const struct {
        const char* name;
        void (*arrange)(ScriptProject&);
        std::string message; // the whole message, or its start when it ends in two line feeds
        std::size_t listed;
    } cases[] = {
        {"zero tile size",
         [](ScriptProject& p) {
             p.ctx.form.setCheck(CheckBox::chkUseObjectScale, kUnchecked);
             p.set(TextField::txtGridRes, "0");
         },
         "Unexpected error in BuildScript \n\n 11 - Division by zero", 0},
        {"overflow",
         [](ScriptProject& p) {
             p.set(TextField::txtVerticalScale, "1e300");
             p.addRecord("5,0,1e300,0");
         },
         "Unexpected error in BuildScript \n\n 6 - Overflow", 16},
        {"disk full", [](ScriptProject& p) { p.ctx.tuning.fileByteLimit = 100; },
         "Unexpected error in BuildScript \n\n", 16},
    };
    for (const auto& c : cases) {
        ScriptProject p;
        p.dir.write("Valley_MainVeg_05.ms", "earlier script\r\n");
        p.ctx.form.list(ListId::List2).append("the last script");
        p.addRecord("5,0,0,0");
        c.arrange(p);
        ListChangeCounter counter;
        p.ctx.form.setObserver(&counter);

        BuildScript(p.ctx);

        ASSERT_EQ(p.platform.messages.size(), 1u) << c.name;
        if (c.message.ends_with("\n\n")) {
            EXPECT_TRUE(p.platform.messages[0].starts_with(c.message)) << p.platform.messages[0];
        } else {
            EXPECT_EQ(p.platform.messages[0], c.message);
        }
        EXPECT_EQ(p.script().size(), c.listed) << c.name;
        EXPECT_EQ(counter.count, 1) << c.name;
        EXPECT_EQ(ReadBytes(p.scriptPath()), "earlier script\r\n") << c.name;
        EXPECT_EQ(p.folderEntries(), std::vector<std::string>{"Valley_MainVeg_05.ms"}) << c.name;
    }
}

TEST_F(ScriptWriterTest, AFolderInTheScriptsPlaceIsReported) {
    std::filesystem::create_directory(scriptPath());
    addRecord("5,1,2,3");
    BuildScript(ctx);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].starts_with("Unexpected error in BuildScript \n\n"))
        << platform.messages[0];
    EXPECT_EQ(folderEntries(), std::vector<std::string>{"Valley_MainVeg_05.ms"});
}

TEST_F(ScriptWriterTest, CancellingLeavesTheLastScriptAsItWas) {
    for (const int cancelAt : {1, 2}) { // while building, while writing
        ScriptTest::platform.cancelAtReport = cancelAt;
        platform.reports = 0;
        dir.write("Valley_MainVeg_05.ms", "earlier script\r\n");
        ctx.form.list(ListId::List2).clear();
        ctx.form.list(ListId::List2).append("the last script");
        ctx.session.ScriptFilePath = "last.ms";
        ctx.form.list(ListId::List1).clear();
        addRecord("5,1,2,3");

        BuildScript(ctx);

        EXPECT_EQ(platform.reports, cancelAt);
        EXPECT_TRUE(platform.messages.empty());
        EXPECT_EQ(script(), std::vector<std::string>{"the last script"}) << cancelAt;
        EXPECT_EQ(ctx.session.ScriptFilePath, "last.ms");
        EXPECT_EQ(ReadBytes(scriptPath()), "earlier script\r\n");
        EXPECT_EQ(folderEntries(), std::vector<std::string>{"Valley_MainVeg_05.ms"});
        EXPECT_EQ(platform.begun, platform.ended);
    }
}

// The progress display names the script: the file being written, or the one the list stands for.
TEST_F(ScriptWriterTest, ProgressNamesTheScript) {
    addRecord("5,1,2,3");
    BuildScript(ctx);
    ctx.session.SaveToFile = false;
    BuildScript(ctx);
    EXPECT_EQ(platform.labels,
              (std::vector<std::string>{"Writing Valley_MainVeg_05.ms", "Building Valley_MainVeg_05.ms"}));
}

TEST_F(ScriptWriterTest, QuotesNamesThatAreNotPlainIdentifiers) {
    set(TextField::txtMaxObjectName, "Oak Tree");
    set(TextField::txtObjectScale, "50");
    set(TextField::txtRotationAngle, "45.0");
    addRecord("5,1920,0,1920");
    addRecord("5,1920,0,1920");

    BuildScript(ctx);

    const std::vector<std::string> lines = script();
    EXPECT_EQ(lines[kFirstPositionLine], "$'Oak Tree'.pos = [0.000000,0.000000,0.000000]");
    EXPECT_EQ(lines[kFirstPositionLine + 1], "rotate $'Oak Tree' (angleaxis 45.0 [0,0,1])");
    EXPECT_EQ(lines[kFirstPositionLine + 2], "$'Oak Tree'.scale = [0.50000000,0.50000000,0.50000000]");
    EXPECT_EQ(lines[kFirstPositionLine + 6], R"(copy $'Oak Tree' isSelected:on name:"Oak Tree01")");
    EXPECT_EQ(lines[kFirstPositionLine + 7], "$'Oak Tree01'.pos = [0.000000,0.000000,0.000000]");
}

TEST_F(ScriptWriterTest, RefusesNamesNoPathNameCanCarry) {
    ctx.form.list(ListId::List2).append("the last script");
    addRecord("5,1,2,3");
    for (const char* name : {"O'Hara", "Tree\r\ndeleteFile \"x\"", "Tab\tTree", "Del\x7F"}) {
        platform.messages.clear();
        set(TextField::txtMaxObjectName, name);

        BuildScript(ctx);

        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_TRUE(platform.messages[0].starts_with(
            "Please specify a Max object name without quotes or control characters"));
        EXPECT_EQ(script(), std::vector<std::string>{"the last script"});
    }
    EXPECT_TRUE(folderEntries().empty());
}

TEST_F(ScriptWriterTest, KeepsTheMaxFilePathIntactInsideItsString) {
    for (const auto& [typed, line] : {
             std::pair{R"(\\server\share\tree.max)",
                       R"(mergeMAXFile "\\\\SERVER\SHARE\TREE.MAX" #mergeDups #select #noredraw)"},
             std::pair{"x.max\" #select\r\ndeleteFile \"C:\\y",
                       R"(mergeMAXFile "X.MAX\" #SELECT\r\nDELETEFILE \"C:\Y" #mergeDups #select #noredraw)"},
         }) {
        set(TextField::txtMaxFile, typed);
        BuildScript(ctx);
        EXPECT_EQ(script()[8], line) << typed;
    }
}

} // namespace
} // namespace tes::test
