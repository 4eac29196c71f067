#include "form/context.h"
#include "form/help_launch.h"
#include "lib/file_access.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <stdexcept>

namespace tes {
namespace {

struct HelpCase {
    const char* name;
    const char* programFolder;
    bool opens; // the desktop opens the file
    bool views; // the program's own viewer shows it
    const char* expectedPath;
    std::vector<std::string> viewed; // asked of the viewer
    std::vector<std::string> messages;
};

class HelpLaunch : public ::testing::TestWithParam<HelpCase> {};

TEST_P(HelpLaunch, OpensTheHelpFromTheProgramFolderOrViewsItAndReportsAFailureOnce) {
    const HelpCase& c = GetParam();
    test::FakePlatform platform;
    platform.programFolderPath = c.programFolder;
    platform.openDocumentSucceeds = c.opens;
    platform.helpViewerSucceeds = c.views;
    Context ctx(platform);

    btnViewHelp_Click(ctx);

    EXPECT_EQ(platform.openedDocuments, std::vector<std::string>{c.expectedPath});
    EXPECT_EQ(platform.viewedDocuments, c.viewed);
    EXPECT_EQ(platform.messages, c.messages);
    EXPECT_TRUE(platform.waitCursorHistory.empty()) << "nothing waits for the browser";
}

// The program's folder as each system writes it.
#ifdef _WIN32
constexpr const char* kFolder = R"(C:\tes)";
constexpr const char* kFolderWithSeparator = R"(C:\tes\)";
constexpr const char* kHelp = R"(C:\tes\TES_Help.html)";
#else
constexpr const char* kFolder = "/opt/tes";
constexpr const char* kFolderWithSeparator = "/opt/tes/";
constexpr const char* kHelp = "/opt/tes/TES_Help.html";
#endif
constexpr const char* kLaunchError = "Error launching help file.";

INSTANTIATE_TEST_SUITE_P(
    , HelpLaunch,
    ::testing::Values(HelpCase{"Opened", kFolder, true, true, kHelp, {}, {}},
                      // A folder given with its closing separator still gets only one.
                      HelpCase{"FolderWithSeparator", kFolderWithSeparator, true, true, kHelp, {}, {}},
                      HelpCase{
                          "NoAssociatedProgramSoTheViewerShowsIt", kFolder, false, true, kHelp, {kHelp}, {}},
                      HelpCase{"NeitherCanShowIt", kFolder, false, false, kHelp, {kHelp}, {kLaunchError}}),
    [](const auto& info) { return std::string(info.param.name); });

// Which help file an installed copy (program in bin/, data in share/tolvane-enviro-scripter/) and a
// build tree (help beside the program) open.
struct HelpPlace {
    const char* name;
    std::vector<std::string> files; // relative to the scratch folder
    const char* expected;
};

class HelpPlaces : public ::testing::TestWithParam<HelpPlace> {};

TEST_P(HelpPlaces, LooksBesideTheProgramFirstThenInTheInstalledDataFolder) {
    const test::TempDir dir;
    for (const std::string& file : GetParam().files) {
        std::filesystem::create_directories((dir.path() / file).parent_path());
        dir.write(file, "<title>Help</title>");
    }
    std::filesystem::create_directories(dir.path() / "bin");
    test::FakePlatform platform;
    platform.programFolderPath = dir.file("bin");
    platform.openDocumentSucceeds = true;
    Context ctx(platform);

    btnViewHelp_Click(ctx);

    const std::string expected = Utf8FromPath((dir.path() / GetParam().expected).make_preferred());
    EXPECT_EQ(platform.openedDocuments, std::vector<std::string>{expected});
}

constexpr const char* kInstalledHelp = "share/tolvane-enviro-scripter/TES_Help.html";

INSTANTIATE_TEST_SUITE_P(, HelpPlaces,
                         ::testing::Values(HelpPlace{"BuildTree", {"bin/TES_Help.html"}, "bin/TES_Help.html"},
                                           HelpPlace{"Installed", {kInstalledHelp}, kInstalledHelp},
                                           HelpPlace{"BothPreferTheProgramFolder",
                                                     {"bin/TES_Help.html", kInstalledHelp},
                                                     "bin/TES_Help.html"},
                                           HelpPlace{
                                               "NeitherNamesTheProgramFolder", {}, "bin/TES_Help.html"}),
                         [](const auto& info) { return std::string(info.param.name); });

// A platform whose shell launch itself breaks: the launch swallows it and shows nothing.
class ThrowingShell : public test::FakePlatform {
public:
    bool openDocument(const std::string&) override { throw std::runtime_error("shell gone"); }
};

TEST(HelpLaunchFailure, IgnoresAnyOtherFailure) {
    ThrowingShell platform;
    Context ctx(platform);
    EXPECT_NO_THROW(LaunchHelpFile(ctx, "/nowhere/TES_Help.html"));
    EXPECT_TRUE(platform.messages.empty());
}

TEST(OpenContainingFolder, SaysSoWhenTheDesktopCannotShowTheFolder) {
    for (const bool opens : {true, false}) {
        test::FakePlatform platform;
        platform.openDocumentSucceeds = opens;
        Context ctx{platform};
        ctx.form.setStatusText("Wrote Valley_MainVeg_05.ms: 34 objects");
        OpenContainingFolder(ctx, "/data/Valley");
        EXPECT_EQ(platform.openedDocuments, std::vector<std::string>{"/data/Valley"});
        EXPECT_EQ(ctx.form.statusText(), opens ? "Wrote Valley_MainVeg_05.ms: 34 objects"
                                               : "Could not open /data/Valley: no program to show folders "
                                                 "was found");
    }
}

} // namespace
} // namespace tes
