#include "form/process_command.h"
#include "lib/file_access.h"
#include "script_fixture.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tes::test {
namespace {

class ProcessCommandTest : public ScriptTest {
protected:
    ProcessCommandTest() {
        addRecord("5,1,2,3");
        ctx.form.list(ListId::List2).append("the last script");
    }
};

TEST_F(ProcessCommandTest, ChecksTheInputsInOrderAndBuildsNothingOnAMistake) {
    const struct {
        std::string maxFile;
        std::string objectName;
        std::string comboText;
        std::string message;
    } cases[] = {
        {"", "", "", "Please specify a Max file"},
        {"", "Tree", "Vegetation_5:  Pine", "Please specify a Max file"},
        {"a.max", "", "", "Please specify a Max object name"},
        {"a.max", "Tree", "", "Please select a vegetation to process"},
        {"a.max", "Tree", "Vegetation_7:  Pine", "Please select only from the Vegetation List"},
        {"a.max", "Tree", "Vegetation_5 ", "Please select only from the Vegetation List"},
        {"a.max", "Tree", "Vegetation_", "Please select only from the Vegetation List"},
        {"a.max", "Tree", " Vegetation_5", "Please select only from the Vegetation List"},
    };
    for (const auto& c : cases) {
        set(TextField::txtMaxFile, c.maxFile);
        set(TextField::txtMaxObjectName, c.objectName);
        ctx.form.setComboText(c.comboText);
        platform.messages.clear();
        platform.waitCursorHistory.clear();

        btnProcess_Click(ctx);

        EXPECT_EQ(platform.messages, std::vector<std::string>{c.message}) << c.comboText;
        EXPECT_EQ(script(), std::vector<std::string>{"the last script"});
        EXPECT_EQ(platform.waitCursorHistory, std::vector<bool>{false});
    }
    EXPECT_TRUE(folderEntries().empty());
}

TEST_F(ProcessCommandTest, AcceptsTheKeyOfAListedVegetationInAnyLetterCase) {
    for (const char* text :
         {"Vegetation_5:  Pine", "vegetation_5", "VEGETATION_5:  something else", "Vegetation_12"}) {
        ctx.form.setComboText(text);
        platform.messages.clear();
        platform.waitCursorHistory.clear();
        ctx.form.list(ListId::List2).clear();

        btnProcess_Click(ctx);

        EXPECT_TRUE(platform.messages.empty()) << text;
        EXPECT_EQ(script().size(), 10u + (std::string(text).ends_with("12") ? 0u : 6u)) << text;
        EXPECT_EQ(platform.waitCursorHistory, (std::vector<bool>{true, false})) << text;
    }
}

TEST_F(ProcessCommandTest, BlankTextsAreNotEmpty) {
    set(TextField::txtMaxFile, " ");
    set(TextField::txtMaxObjectName, "Tree");
    btnProcess_Click(ctx);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(script().size(), 16u);
}

TEST_F(ProcessCommandTest, AnEmptyVegetationListAcceptsNothing) {
    ctx.form.clearComboItems();
    btnProcess_Click(ctx);
    EXPECT_EQ(platform.messages, std::vector<std::string>{"Please select only from the Vegetation List"});
}

TEST_F(ProcessCommandTest, TheDefaultPointerReturnsAfterAFailedBuild) {
    ctx.form.setCheck(CheckBox::chkUseObjectScale, kUnchecked);
    set(TextField::txtGridRes, "0");
    btnProcess_Click(ctx);
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.waitCursorHistory, (std::vector<bool>{true, false}));
    EXPECT_FALSE(platform.waitCursor);
}

// With an output folder the script goes there, and the status line names it.
TEST_F(ProcessCommandTest, AnOutputFolderTakesTheScript) {
    const std::string out = dir.file("out");
    std::filesystem::create_directory(out);
    ctx.outputFolder = out;
    btnProcess_Click(ctx);
    // The program joins the folder and the name with the system's separator.
    const std::string written = Utf8FromPath(PathFromUtf8(out) / "Valley_MainVeg_05.ms");
    EXPECT_TRUE(std::filesystem::exists(written));
    EXPECT_FALSE(std::filesystem::exists(scriptPath()));
    EXPECT_EQ(ctx.form.statusText(), "Wrote Valley_MainVeg_05.ms: 1 object (in " + out + ")");
}

// The status line says what failed, and where when it was the script's file.
TEST_F(ProcessCommandTest, TheStatusLineNamesAFailure) {
    ctx.form.setStatusText("Loaded Valley.prj");
    std::filesystem::create_directory(scriptPath());
    btnProcess_Click(ctx);
    EXPECT_EQ(ctx.form.statusText(), "Could not write " + scriptPath() + ": path/file access error");
    std::filesystem::remove(scriptPath());
    set(TextField::txtGridRes, "0");
    ctx.form.setCheck(CheckBox::chkUseObjectScale, kUnchecked);
    btnProcess_Click(ctx);
    EXPECT_EQ(ctx.form.statusText(), "Could not build the script: division by zero");
}

} // namespace
} // namespace tes::test
