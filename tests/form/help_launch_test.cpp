#include "form/context.h"
#include "form/help_launch.h"
#include "support/fake_platform.h"

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

#ifndef _WIN32
constexpr const char* kHelp = "/opt/tes/TES_Help.html";
constexpr const char* kLaunchError = "Error launching help file.";

INSTANTIATE_TEST_SUITE_P(
    , HelpLaunch,
    ::testing::Values(
        HelpCase{"Opened", "/opt/tes", true, true, kHelp, {}, {}},
        // A folder given with its closing separator still gets only one.
        HelpCase{"FolderWithSeparator", "/opt/tes/", true, true, kHelp, {}, {}},
        HelpCase{"NoAssociatedProgramSoTheViewerShowsIt", "/opt/tes", false, true, kHelp, {kHelp}, {}},
        HelpCase{"NeitherCanShowIt", "/opt/tes", false, false, kHelp, {kHelp}, {kLaunchError}}),
    [](const auto& info) { return std::string(info.param.name); });
#endif

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

} // namespace
} // namespace tes
