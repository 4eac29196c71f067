// A project's files that change under the program: a file that vanishes or turns into a folder after
// the environment file was found, and files another program holds open. Each reader reports in its
// own form and the load goes on.
#include "reliability_fixture.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <utility>

namespace tes::test {
namespace {

const std::string kIniFolderMessage = "Unexpected error in GetINIString. \nPath/File access error ( 75)";

// Lets `change` run once, as another program that removes or replaces a file at that very moment
// would. The environment and definitions files change as the environment read begins, after the load
// found the environment file; the scene file is read right after that look, with no call to the
// platform between, so it changes as the load begins (the look concerns the environment file alone).
class RacingPlatform : public ProgressPlatform {
public:
    enum class Moment { LoadBegins, EnvironmentReadBegins };

    void setWaitCursor(bool wait) override {
        ProgressPlatform::setWaitCursor(wait);
        if (wait)
            runChangeAt(Moment::LoadBegins);
    }
    void beginProgress(const std::string& label) override {
        ProgressPlatform::beginProgress(label);
        runChangeAt(Moment::EnvironmentReadBegins);
    }

    Moment moment = Moment::EnvironmentReadBegins;
    std::function<void()> change;

private:
    void runChangeAt(Moment now) {
        if (change && now == moment)
            std::exchange(change, nullptr)();
    }
};

class ChangingProject : public ::testing::Test {
protected:
    ChangingProject() { StartSession(ctx); }

    RacingPlatform platform;
    std::unique_ptr<Context> program = CreateProgram(platform);
    Context& ctx = *program;
    TempDir dir;
};

enum class Change { Removed, MadeAFolder };

struct ChangeCase {
    const char* extension;
    Change change;
    Texts messages;
    Texts records;
    Texts vegetation;
};

TEST_F(ChangingProject, AFileThatChangesAfterTheCheckIsReportedByItsReader) {
    const ChangeCase cases[] = {
        {".txt",
         Change::Removed,
         {"Unexpected error in ReadEnvironmentFile \n\n 53 - File not found"},
         {},
         {}},
        {".txt",
         Change::MadeAFolder,
         {"Unexpected error in ReadEnvironmentFile \n\n 75 - Path/File access error"},
         {},
         {}},
        {".scn",
         Change::Removed,
         {kWidthMessage, kScaleMessage, kSunMessage},
         {"3,0,0,0"},
         {"Vegetation_3:  Larch"}},
        {".scn",
         Change::MadeAFolder,
         {kIniFolderMessage, kWidthMessage, kIniFolderMessage, kScaleMessage, kIniFolderMessage, kSunMessage},
         {"3,0,0,0"},
         {"Vegetation_3:  Larch"}},
        {".est", Change::Removed, {}, {"3,0,0,0"}, {"Vegetation_3:  "}},
        {".est", Change::MadeAFolder, {kIniFolderMessage}, {"3,0,0,0"}, {"Vegetation_3:  "}},
    };
    for (const auto& c : cases) {
        const std::string changed = dir.file(std::string("P") + c.extension);
        dir.write("P.txt", "3,0,0,0\r\n");
        dir.write(
            "P.scn",
            "[Environment]\r\nTerrainWidth=1\r\nTerrainWidthScale=1\r\n[Light2]\r\nTargetPosition=1,0,1\r\n");
        dir.write("P.est", kPlainDefinitions);
        platform.moment = std::string(c.extension) == ".scn" ? RacingPlatform::Moment::LoadBegins
                                                             : RacingPlatform::Moment::EnvironmentReadBegins;
        platform.change = [&] {
            std::filesystem::remove(changed);
            if (c.change == Change::MadeAFolder)
                std::filesystem::create_directory(changed);
        };
        platform.messages.clear();
        platform.dialogAnswers.push_back(dir.write("P.prj", "project"));

        btnBrowseProjectFile_Click(ctx);

        const std::string name =
            std::string(c.extension) + (c.change == Change::Removed ? " removed" : " a folder");
        EXPECT_EQ(platform.messages, c.messages) << name;
        EXPECT_EQ(ctx.form.list(ListId::List1).toVector(), c.records) << name;
        EXPECT_EQ(ctx.form.comboItems(), c.vegetation) << name;
        EXPECT_TRUE(ctx.form.processEnabled()) << name;
        EXPECT_FALSE(platform.waitCursor) << name;
        platform.change = nullptr;
        std::filesystem::remove_all(changed);
    }
}

// Nothing on Linux locks a file that another program has open for writing: the project loads.
TEST_F(ProjectRun, FilesOpenElsewhereForWritingAreRead) {
    const std::string prj = writeProject("Open", "3,300,0,300\r\n");
    std::ofstream environment(dir.file("Open.txt"), std::ios::binary | std::ios::app);
    std::ofstream scene(dir.file("Open.scn"), std::ios::binary | std::ios::app);
    std::ofstream definitions(dir.file("Open.est"), std::ios::binary | std::ios::app);
    environment << "3,301,0,301"; // not flushed: the reader sees the file as it is on disk

    load(prj);

    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(list(ListId::List1), Texts{"3,300,0,300"});
    EXPECT_EQ(ctx.form.comboItems(), Texts{"Vegetation_3:  Larch"});
}

} // namespace
} // namespace tes::test
