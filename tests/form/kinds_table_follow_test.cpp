// The window's kinds table against its file: followed when it changes on disk, saved over nothing the
// window did not change, read again when a save fails; and a kind typed in the combo box.
#include "form/kinds_table_follow.h"
#include "form/max_file.h"
#include "form/process_all.h"
#include "form/process_command.h"
#include "program_fixture.h"
#include "support/file_size_limit.h"

namespace tes::test {
namespace {

constexpr const char* kTable = "[Vegetation_12]\r\nMaxFile=Birch.max\r\n";

// A project with kinds 5 and 12, and kind 12's row in the table beside it, loaded as the window
// loads it.
class KindsTableFileTest : public ProgramTest {
protected:
    KindsTableFileTest() {
        ctx.session.ProjectBasePath = dir.file("Valley");
        ctx.session.TerrainWidth = 5;
        set(TextField::txtGridRes, "3");
        ctx.form.addComboItem("Vegetation_5:  Pine");
        ctx.form.addComboItem("Vegetation_12:  Birch");
        ctx.kinds = {{"5", "Pine", {"5"}}, {"12", "Birch", {"12"}}};
        ctx.form.list(ListId::List1).append("12,600,1,700");
        ctx.kindsTablePath = dir.write("Valley.tes.ini", kTable);
        Messages notices;
        ctx.kindsTable = KindsTable::Read(ctx.kindsTablePath, notices);
        ctx.kindsTableStamp = KindsTableStampOf(ctx.kindsTablePath);
    }
    void set(TextField field, std::string_view value) { ctx.form.setText(field, value); }
    std::string maxFileLine() const { return ctx.form.list(ListId::List2).toVector().at(8); }
    // Browse or Process stores the Max file D:\M\Oak.max for kind 12 picked from the list.
    void storeOak(bool browse) {
        ctx.form.setComboText("");
        ctx.form.pickComboItem(1);
        platform.dialogAnswers.push_back("D:\\M\\Oak.max");
        if (browse)
            return btnBrowseMaxFile_Click(ctx);
        set(TextField::txtMaxFile, "D:\\M\\Oak.max");
        btnProcess_Click(ctx);
    }
};

TEST_F(KindsTableFileTest, AChangeOnDiskFillsTheFieldsTheUserHasNotEdited) {
    for (const bool edited : {false, true}) {
        SCOPED_TRACE(edited);
        dir.write("Valley.tes.ini", kTable);
        FollowKindsTable(ctx);
        ctx.form.pickComboItem(1);
        if (edited)
            set(TextField::txtMaxFile, "D:\\Mine.max");
        dir.write("Valley.tes.ini", "[Vegetation_12]\r\nMaxFile=D:\\M\\Seven.max\r\nTurn=abc\r\n");
        EXPECT_TRUE(FollowKindsTable(ctx));
        EXPECT_FALSE(FollowKindsTable(ctx)) << "unchanged since";
        EXPECT_EQ(text(TextField::txtMaxFile), edited ? "D:\\Mine.max" : "D:\\M\\Seven.max");
        EXPECT_EQ(text(TextField::txtMaxObjectName), edited ? "Mine" : "Seven");
        EXPECT_EQ(ctx.form.statusText(),
                  "Read Valley.tes.ini again (changed on disk); 1 value in Valley.tes.ini cannot be read");
    }
}

// A kind's key typed in the combo box takes its row's Max file, which Process then builds with.
TEST_F(KindsTableFileTest, ATypedKindIsTheKindItsRowDescribes) {
    for (const char* typed : {"Vegetation_12", "vegetation_12:  any name"}) {
        set(TextField::txtMaxFile, "");
        ctx.form.setComboText("");
        ctx.form.setComboText(typed);
        EXPECT_EQ(text(TextField::txtMaxFile), "Birch.max") << typed;
        EXPECT_TRUE(btnProcess_Click(ctx).empty()) << typed;
        EXPECT_NE(maxFileLine().find("BIRCH.MAX"), std::string::npos) << maxFileLine();
    }
}

// Browse and Process store their Max file into the file as it now is, whoever wrote it; and when
// that fails, the window takes the file's row (Process builds with it) and the field keeps the choice.
TEST_F(KindsTableFileTest, ASaveChangesOnlyItsKeyOrNothing) {
    const std::string note = "; note\r\n[Vegetation_7]\r\nMaxFile=S.max\r\n";
    const std::string oak = "[Vegetation_12]\r\nMaxFile=D:\\M\\Oak.max\r\n";
    const std::string hand = "[Vegetation_12]\r\nMaxFile=Hand.max\r\n";
    const struct {
        std::string onDisk, saved, status;
        bool fails;
    } cases[] = {
        {note + kTable + "Keep=100\r\n", note + oak + "Keep=100\r\n", "Saved Valley.tes.ini", false},
        {hand, oak,
         "Saved Valley.tes.ini; replaced what another program wrote: Vegetation_12: MaxFile=Hand.max", false},
        {note + hand, note + hand, "Could not write the kinds table " + ctx.kindsTablePath, true},
    };
    ctx.session.SaveToFile = false;
    for (const auto& c : cases) {
        for (const bool browse : {true, false}) {
            SCOPED_TRACE(c.onDisk + (browse ? " Browse" : " Process"));
            if (c.fails && !FileSizeLimit::kAvailable)
                continue; // nothing here makes a write fail
            Messages notices;
            ctx.kindsTable = KindsTable::Read(dir.write("Valley.tes.ini", kTable), notices);
            dir.write("Valley.tes.ini", c.onDisk);
            {
                const FileSizeLimit full(c.fails ? c.onDisk.size() : kNoFileSizeLimit);
                storeOak(browse);
            }
            EXPECT_EQ(ReadBytes(ctx.kindsTablePath), c.saved);
            EXPECT_TRUE(ctx.form.statusText().starts_with(browse ? c.status : "Built "))
                << ctx.form.statusText();
            EXPECT_EQ(text(TextField::txtMaxFile), "D:\\M\\Oak.max");
            EXPECT_EQ(ctx.kindsTable.find("12")->maxFile, c.fails ? "Hand.max" : "D:\\M\\Oak.max");
            EXPECT_TRUE(browse || maxFileLine().find(c.fails ? "HAND.MAX" : "OAK.MAX") != std::string::npos);
        }
    }
}

} // namespace
} // namespace tes::test
