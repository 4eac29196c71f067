#include "form/load_command.h"
#include "lib/fields.h"
#include "lib/file_access.h"
#include "program_fixture.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

namespace tes::test {
namespace {

using Texts = std::vector<std::string>;

const std::string kExampleFolder = std::string(TES_EXAMPLES_DIR) + "/Valley";
const std::string kExampleProject = kExampleFolder + "/Valley.prj";

// The example's records on a tile, found by a plain reading of its lines (independent of the reader).
Texts ExampleRecordsWithin(double low, double high) {
    std::ifstream in(kExampleFolder + "/Valley.txt", std::ios::binary);
    Texts kept;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const double x = std::stod(std::string(GetElement(line, ",", 1)));
        const double z = std::stod(std::string(GetElement(line, ",", 3)));
        if (low <= x && x <= high && low <= z && z <= high)
            kept.push_back(line);
    }
    return kept;
}

auto SessionFields(const Session& s) {
    return std::tie(s.AppTitle, s.DefaultDir, s.ObjectDir, s.ProjectDir, s.ProjectBasePath,
                    s.EnvironmentFilePath, s.SceneFilePath, s.VegetationFilePath, s.ScriptFilePath,
                    s.TerrainWidth, s.SaveToFile, s.Pi);
}

// Everything a load may change in the window.
struct WindowState {
    std::array<std::string, static_cast<std::size_t>(TextField::Count)> texts;
    bool projectPathEnabled;
    Texts list1, list3, comboItems;
    std::string comboText;
    bool processEnabled;

    explicit WindowState(const MainModel& form)
        : projectPathEnabled(form.field(TextField::txtProjectFilePath).enabled),
          list1(form.list(ListId::List1).toVector()), list3(form.list(ListId::List3).toVector()),
          comboItems(form.comboItems()), comboText(form.comboText()), processEnabled(form.processEnabled()) {
        for (std::size_t i = 0; i < texts.size(); ++i)
            texts[i] = form.text(static_cast<TextField>(i));
    }
    bool operator==(const WindowState&) const = default;
};

class LoadCommandTest : public ProgramTest {
protected:
    void load(const std::string& projectFile) {
        platform.dialogAnswers.push_back(projectFile);
        btnBrowseProjectFile_Click(ctx);
    }
    // A project of our own in the temporary folder.
    std::string writeProject(const std::string& base, const std::string& scene,
                             const std::string& environment) {
        dir.write(base + ".scn", scene);
        dir.write(base + ".est", "[Vegetation_3]\r\nName=Larch\r\n");
        dir.write(base + ".txt", environment);
        return dir.write(base + ".prj", "Tolvane project\r\n");
    }
};

TEST_F(LoadCommandTest, TheExampleProjectFillsEveryStore) {
    load(kExampleProject);

    ASSERT_EQ(platform.dialogRequests.size(), 1u);
    ExpectOpenDialog(platform.dialogRequests[0], "Open Tolvane Project File (PRJ)", "/home/user/Documents",
                     "PRJ File (*.prj)|*.prj");

    const Session& s = ctx.session;
    EXPECT_EQ(s.ProjectDir, kExampleFolder);
    EXPECT_EQ(s.DefaultDir, kExampleFolder);
    // Joined with the system's own separator.
    EXPECT_EQ(s.ProjectBasePath, JoinPath(kExampleFolder, "Valley"));
    EXPECT_EQ(s.EnvironmentFilePath, JoinPath(kExampleFolder, "Valley.txt"));
    EXPECT_EQ(s.SceneFilePath, JoinPath(kExampleFolder, "Valley.scn"));
    EXPECT_EQ(s.VegetationFilePath, JoinPath(kExampleFolder, "Valley.est"));
    EXPECT_EQ(s.TerrainWidth, 5);
    EXPECT_EQ(platform.settingWrites,
              (Texts{"DefaultDir=" + kExampleFolder, "ObjectDir=/home/user/Documents"}));

    EXPECT_EQ(text(TextField::txtProjectFilePath), kExampleProject);
    EXPECT_TRUE(ctx.form.field(TextField::txtProjectFilePath).enabled);
    EXPECT_EQ(text(TextField::txtNumberOfTiles), "5 x 5");
    EXPECT_EQ(text(TextField::txtGridRes), "3.0");
    EXPECT_EQ(text(TextField::txtHeading), "143.1");
    EXPECT_EQ(text(TextField::txtPitch), "45");
    EXPECT_EQ(text(TextField::txtObjectScale), "33.333333");
    EXPECT_EQ(text(TextField::txtRotationAngle), "126.9");
    EXPECT_EQ(list(ListId::List1), ExampleRecordsWithin(1536, 2304));
    EXPECT_EQ(list(ListId::List3), (Texts{"01", "02", "05", "07", "12"}));
    EXPECT_EQ(ctx.form.comboItems(),
              (Texts{"Vegetation_1:  Pine", "Vegetation_2:  Birch", "Vegetation_5:  Oak Tree",
                     "Vegetation_7:  ", "Vegetation_12:  Fern"}));
    EXPECT_EQ(ctx.form.comboText(), "");
    EXPECT_TRUE(ctx.form.processEnabled());
    EXPECT_EQ(platform.waitCursorHistory, (std::vector<bool>{true, false}));
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(LoadCommandTest, ASecondLoadRereadsWithTheNewTileChoice) {
    load(kExampleProject);
    ctx.form.click(CheckBox::chkPerimeterTile);
    ctx.form.setText(TextField::txtOverlap, "10");
    ctx.form.list(ListId::List2).append("-- the script of the last load");
    ctx.session.ScriptFilePath = dir.file("Valley_MainVeg_05.ms");
    load(kExampleProject);
    EXPECT_EQ(list(ListId::List1), ExampleRecordsWithin(758, 1546));
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(list(ListId::List2).empty()) << "the last script goes with its load";
    EXPECT_EQ(ctx.session.ScriptFilePath, "");
}

TEST_F(LoadCommandTest, AProjectWithoutEnvironmentFileLeavesThePreviousOne) {
    load(kExampleProject);
    const Session before = ctx.session;
    const WindowState window(ctx.form);
    const std::string lonely = dir.write("Lonely.prj", "Tolvane project\r\n");
    load(lonely);
    EXPECT_EQ(platform.messages, Texts{"No Tolvane TXT environment file found!!"});
    EXPECT_EQ(ctx.form.statusText(), "Could not load Lonely.prj: Lonely.txt is missing");
    EXPECT_EQ(ctx.session.EnvironmentFilePath, dir.file("Lonely.txt"));
    Session expected = before;
    expected.EnvironmentFilePath = dir.file("Lonely.txt");
    EXPECT_EQ(SessionFields(ctx.session), SessionFields(expected));
    EXPECT_TRUE(WindowState(ctx.form) == window);
    EXPECT_FALSE(platform.waitCursor);
}

TEST_F(LoadCommandTest, ACancelledDialogChangesNothing) {
    load(kExampleProject);
    const Session before = ctx.session;
    const WindowState window(ctx.form);
    platform.waitCursorHistory.clear();
    btnBrowseProjectFile_Click(ctx); // no answer queued: the user cancels
    EXPECT_EQ(SessionFields(ctx.session), SessionFields(before));
    EXPECT_TRUE(WindowState(ctx.form) == window);
    EXPECT_EQ(platform.waitCursorHistory, std::vector<bool>{false});
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(LoadCommandTest, CancellingTheReadPutsEverythingBack) {
    load(kExampleProject);
    ctx.form.pickComboItem(2);
    const Session before = ctx.session;
    const WindowState window(ctx.form);

    std::string big;
    while (big.size() < (6u << 20))
        big += "3,100.000000,1.000000,100.000000\r\n";
    const std::string prj = writeProject("Big",
                                         "[Environment]\r\nTerrainWidth=3\r\nTerrainWidthScale=2.0\r\n"
                                         "[Light2]\r\nTargetPosition=1801,199,801\r\n",
                                         big);
    platform.cancelAtReport = 1;
    const std::size_t settingWritesBefore = platform.settingWrites.size();
    load(prj);

    EXPECT_EQ(SessionFields(ctx.session), SessionFields(before));
    EXPECT_TRUE(WindowState(ctx.form) == window);
    EXPECT_EQ(platform.settingWrites.back(), "ObjectDir=/home/user/Documents");
    EXPECT_EQ(platform.settingWrites.size(), settingWritesBefore); // not even written and put back
    EXPECT_EQ(platform.settings["Software\\Tolvane Enviro Scripter|DefaultDir"], kExampleFolder);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_FALSE(platform.waitCursor);
    EXPECT_EQ(platform.ended, 2);
}

TEST_F(LoadCommandTest, AFailingReaderDoesNotStopTheLoad) {
    const std::string prj =
        writeProject("Huge", "[Environment]\r\nTerrainWidth=3000000000\r\nTerrainWidthScale=2.0\r\n",
                     "3,0,0,0\r\n3,500,0,500\r\n");
    load(prj);
    EXPECT_EQ(platform.messages, Texts{"Unexpected error in GetProjectInfo: Overflow ( 6)"});
    EXPECT_EQ(ctx.session.TerrainWidth, 0);
    EXPECT_EQ(list(ListId::List1), Texts{"3,0,0,0"}); // tile count 0: the region around the origin
    EXPECT_EQ(ctx.form.comboItems(), Texts{"Vegetation_3:  Larch"});
    EXPECT_TRUE(ctx.form.processEnabled());
}

// The kinds table's values that cannot be read are named in one warning and counted in the status line.
TEST_F(LoadCommandTest, TheKindsTablesUnreadableValuesAreNamedOnce) {
    const std::string prj = writeProject("P", "[Environment]\r\nTerrainWidth=1\r\n", "3,0,0,0\r\n");
    dir.write("P.tes.ini", "[Vegetation_3]\r\nTurn=0:36O\r\nEnabled=false\r\n");
    load(prj);
    ASSERT_FALSE(platform.messages.empty());
    EXPECT_EQ(
        platform.messages.back(),
        std::string("Some values in P.tes.ini cannot be read:\n"
                    "Vegetation_3: Enabled=false in P.tes.ini is not 1 or 0\n"
                    "Vegetation_3: Turn=0:36O in P.tes.ini is not FROM:TO\n\n"
                    "Their kinds are not built until the values are mended (Kinds... or the file itself)."));
    EXPECT_EQ(platform.messageKinds.back(), MessageKind::Refusal);
    EXPECT_TRUE(ctx.form.statusText().ends_with("; 2 values in P.tes.ini cannot be read"));
}

// The installed example is loaded from the user's copy, which the window and the status line name.
TEST_F(LoadCommandTest, TheInstalledExampleLoadsFromTheUsersCopy) {
    platform.programFolderPath = dir.file("program");
    platform.documentsFolderPath = dir.file("Documents");
    const std::string installed = dir.file("program/examples/Valley");
    std::filesystem::create_directories(PathFromUtf8(installed));
    std::filesystem::copy(PathFromUtf8(kExampleFolder), PathFromUtf8(installed));
    load(JoinPath(installed, "Valley.prj"));

    const std::string shown = JoinPath(JoinPath("Documents", "Tolvane Enviro Scripter"), "Valley");
    EXPECT_EQ(text(TextField::txtProjectFilePath), JoinPath(dir.file(shown), "Valley.prj"));
    EXPECT_TRUE(ctx.form.statusText().starts_with("Opened the example from " + shown +
                                                  " (the installed copy stays as it was): "));
}

} // namespace
} // namespace tes::test
