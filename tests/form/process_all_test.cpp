// Process All as the window runs it, and the Max file the main window's Browse gives the kind picked.
#include "form/max_file.h"
#include "form/output_folder.h"
#include "form/process_all.h"
#include "form/process_command.h"
#include "lib/fields.h"
#include "lib/file_access.h"
#include "script_fixture.h"

#include <filesystem>

namespace tes::test {
namespace {

// Three records each of kinds 5 and 12, both with a Max file in the kinds table.
class ProcessAllTest : public ScriptTest {
protected:
    ProcessAllTest() {
        for (const char* kind : {"5", "12"})
            for (const char* y : {"1", "2", "3"})
                addRecord(std::string(kind) + ",600," + y + ",700");
        ctx.kindsTablePath = dir.file("Valley.tes.ini");
        ctx.kindsTable.set({"5", "Pine.max", "", true});
        ctx.kindsTable.set({"12", "Birch.max", "", true});
    }
};

// Cancel while kind 5 is built: it is finished, kind 12 is not begun, and the one summary says so.
TEST_F(ProcessAllTest, ACancelEndsInOneSummaryInTheStatusLineAndAMessage) {
    platform.cancelAtReport = 2;
    const Messages returned = btnProcessAll_Click(ctx);
    const std::string summary = "Wrote 1 script, 3 objects. Stopped before the other kinds.";
    const std::string box =
        "Wrote 1 script, 3 objects.\nFolder: " + FolderOfPath(scriptPath()) +
        "\n\nVegetation_5: 3 objects, Valley_MainVeg_05.ms\n\nStopped before the other kinds.";
    EXPECT_EQ(platform.messages, std::vector<std::string>{box});
    EXPECT_EQ(ctx.form.statusText(), summary);
    EXPECT_EQ(returned, (Messages{{MessageKind::Notice, box}}));
    EXPECT_EQ(platform.begun, 1) << "one progress display over all kinds";
    EXPECT_EQ(platform.ended, 1);
    EXPECT_EQ(platform.waitCursorHistory, (std::vector<bool>{true, false}));
    EXPECT_EQ(ctx.session.ScriptFilePath, scriptPath());
    EXPECT_EQ(script().size(), ctx.form.list(ListId::List2).size());
    EXPECT_FALSE(script().empty());
}

// With an output folder the scripts go there, the kinds table stays beside the project, and the
// summary names the folder.
TEST_F(ProcessAllTest, AnOutputFolderTakesTheScriptsAndIsNamed) {
    const std::string out = dir.file("out");
    std::filesystem::create_directory(out);
    ctx.outputFolder = out;
    btnProcessAll_Click(ctx);
    EXPECT_TRUE(std::filesystem::exists(dir.file("out/Valley_MainVeg_12.ms")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("Valley_MainVeg_12.ms")));
    EXPECT_EQ(ctx.form.statusText(), "Wrote 2 scripts, 6 objects. Folder: " + out + ".");
    EXPECT_EQ(ctx.kindsTablePath, dir.file("Valley.tes.ini"));
}

// Scripts that cannot be written: the box has a line per kind, the folder once, and the way out.
TEST_F(ProcessAllTest, TheBoxNamesEachKindsFailureAndWhatToDo) {
    ctx.outputFolder = dir.write("gone", "");
    btnProcessAll_Click(ctx);
    const std::string failed =
        ": failed (Unexpected error in BuildScript 76 - Path not found), Valley_MainVeg_";
    EXPECT_EQ(platform.messages.back(), "Wrote 0 scripts, 0 objects.\nFolder: " + ctx.outputFolder +
                                            "\n\nVegetation_5" + failed + "05.ms\nVegetation_12" + failed +
                                            "12.ms\n\nThe folder " + ctx.outputFolder +
                                            " is a file, not a folder.\n" + kChooseOutputFolder);
    EXPECT_EQ(platform.messageKinds.back(), MessageKind::Failure);
}

// A missing Output folder is offered to be made: Yes makes it and builds, No builds nothing, and a
// folder that cannot be made is named with why.
TEST_F(ProcessAllTest, AMissingOutputFolderIsOfferedToBeMade) {
    dir.write("afile", ""); // a file where a folder would have to be made
    const struct {
        std::string folder;
        bool yes;
        bool built;
        std::string message; // the start of what is shown after the question
    } cases[] = {
        {dir.file("new/out"), true, true, "Wrote 2 scripts"},
        {dir.file("declined"), false, false, ""},
        {dir.file("afile/out"), true, false,
         "Could not create the Output folder " + dir.file("afile/out") + ": "},
    };
    for (const auto& c : cases) {
        platform.messages.clear();
        platform.questions.clear();
        platform.answerYes = c.yes;
        ctx.outputFolder = c.folder;
        btnProcessAll_Click(ctx);
        EXPECT_EQ(platform.questions,
                  std::vector<std::string>{"The Output folder " + c.folder + " does not exist. Create it?"});
        EXPECT_EQ(std::filesystem::exists(PathFromUtf8(c.folder) / "Valley_MainVeg_12.ms"), c.built)
            << c.folder;
        if (c.message.empty())
            EXPECT_TRUE(platform.messages.empty()) << c.folder;
        else
            EXPECT_TRUE(platform.messages.size() == 1 && platform.messages[0].starts_with(c.message))
                << c.folder;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("declined")));
}

// Only a kind the tile offers takes the Max file; a damaged table is never written over.
TEST_F(ProcessAllTest, BrowseGivesTheMaxFileToTheKindPicked) {
    const struct {
        const char* name;
        const char* comboText;
        bool damaged;
        const char* table; // the file afterwards; empty: not written
    } cases[] = {
        {"picked", "Vegetation_12:  Birch", false,
         "[Vegetation_5]\r\nMaxFile=Pine.max\r\nEnabled=1\r\n[Vegetation_12]\r\nMaxFile=D:\\M\\Oak.max\r\n"
         "Enabled=1\r\n"},
        {"typed, not offered", "Vegetation_3", false, ""},
        {"damaged table", "Vegetation_12:  Birch", true, "not a table\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir folder;
        ctx.kindsTablePath = folder.file("Valley.tes.ini");
        Messages notices;
        if (c.damaged)
            ctx.kindsTable = KindsTable::Read(folder.write("Valley.tes.ini", "not a table\r\n"), notices);
        ctx.form.setComboText(c.comboText);
        platform.dialogAnswers.push_back("D:\\M\\Oak.max");
        btnBrowseMaxFile_Click(ctx);
        EXPECT_EQ(ctx.form.text(TextField::txtMaxFile), "D:\\M\\Oak.max");
        EXPECT_EQ(IsRegularFile(ctx.kindsTablePath), *c.table != '\0');
        if (*c.table) {
            EXPECT_EQ(ReadFileBytes(ctx.kindsTablePath), c.table);
        }
        if (!c.damaged && *c.table) {
            EXPECT_EQ(ctx.form.statusText(), "Saved Valley.tes.ini");
        }
        EXPECT_TRUE(platform.messages.empty());
    }
}

// Process builds a kind with a row as Process All does, whatever Max file the fields held before:
// the fields' file becomes the row's, and a row without one takes the fields'.
TEST_F(ProcessAllTest, ProcessAndProcessAllWriteTheSameScriptForAKindWithARow) {
    ctx.scriptStyle.shape = ScriptShape::Fast;
    const struct {
        const char* name;
        KindRow row;
        const char* typedFile;
    } cases[] = {
        {"the row's file in the fields", {"5", "Pine.max", "", true}, "Pine.max"},
        {"another file typed", {"5", "Pine.max", "", true}, "D:\\M\\Fir.max"},
        {"a row without a file", {"5", "", "", true}, "D:\\M\\Fir.max"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        KindRow row = c.row;
        row.plants.turn = ValueRange{0, 360};
        ctx.kindsTable.set(row);
        ctx.form.setComboText("Vegetation_5:  Pine");
        set(TextField::txtMaxFile, c.typedFile);
        set(TextField::txtMaxObjectName, GetBaseFileName(c.typedFile));
        btnProcess_Click(ctx);
        const std::string processed = ReadBytes(scriptPath());
        btnProcessAll_Click(ctx);
        EXPECT_EQ(ReadBytes(scriptPath()), processed);
        EXPECT_NE(processed.find(UpperCase(GetFileNameFromPath(c.typedFile))), std::string::npos);
        EXPECT_NE(processed.find("rotate c"), std::string::npos) << "the row's turn";
    }
}

// A kind whose row has a value that cannot be read is not built, by Process or Process All; its old
// script stays, and the other kinds are built.
TEST_F(ProcessAllTest, AKindWithAnUnreadableValueIsNotBuilt) {
    Messages notices;
    ctx.kindsTable =
        KindsTable::Read(dir.write("Valley.tes.ini", "[Vegetation_5]\r\nMaxFile=Pine.max\r\nTurn=0:36O\r\n"
                                                     "[Vegetation_12]\r\nMaxFile=Birch.max\r\n"),
                         notices);
    dir.write("Valley_MainVeg_05.ms", "old");
    const std::string reason = "Vegetation_5: Turn=0:36O in Valley.tes.ini is not FROM:TO";
    set(TextField::txtMaxFile, "Pine.max");
    set(TextField::txtMaxObjectName, "Pine");
    EXPECT_EQ(btnProcess_Click(ctx).front().text,
              reason + "\n\nMend it in Kinds... or in the file, then Process again.");
    EXPECT_EQ(ctx.form.statusText(), "Not built: " + reason);
    btnProcessAll_Click(ctx);
    EXPECT_EQ(ctx.form.statusText(), "Wrote 1 script, 3 objects. Failed: Vegetation_5 (Turn=0:36O in "
                                     "Valley.tes.ini is not FROM:TO).");
    EXPECT_EQ(ReadBytes(scriptPath()), "old");
    EXPECT_TRUE(std::filesystem::exists(dir.file("Valley_MainVeg_12.ms")));
}

} // namespace
} // namespace tes::test
