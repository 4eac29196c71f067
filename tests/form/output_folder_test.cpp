// Script Options' Output folder: checked when chosen, remembered, named in the status line.
#include "form/output_folder.h"
#include "program_fixture.h"

namespace tes::test {
namespace {

using OutputFolderTest = ProgramTest;

TEST_F(OutputFolderTest, AFolderThatCannotTakeTheScriptsIsNamedWithWhy) {
    const std::string gone = dir.file("gone");
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"", std::nullopt}, // beside the project
        {dir.path().string(), std::nullopt},
#ifdef _WIN32
        {"out", "The Output folder out is not a whole path: type it from its drive (C:\\...), or choose it "
                "with Browse..."},
#else
        {"out", "The Output folder out is not a whole path: type it from the root (/...), or choose it with "
                "Browse..."},
#endif
        {gone, "The Output folder " + gone + " does not exist. Create it, or choose another with Browse..."},
    };
    for (const auto& [folder, problem] : cases)
        EXPECT_EQ(OutputFolderProblem(folder), problem) << folder;
    EXPECT_FALSE(CheckOutputFolder(ctx, gone));
    EXPECT_EQ(platform.messageKinds, std::vector<MessageKind>{MessageKind::Refusal});
}

// Kept for the next start, which says where the scripts go; Browse starts in the project's folder.
TEST_F(OutputFolderTest, IsRememberedAndSaidInTheStatusLine) {
    SetOutputFolder(ctx, "/data/out");
    Context next{platform};
    StartSession(next);
    EXPECT_EQ(next.outputFolder, "/data/out");
    EXPECT_EQ(next.form.statusText(), "Scripts go to /data/out");
    SetOutputFolder(next, "");
    EXPECT_EQ(next.form.statusText(), "Scripts go beside the project");

    ctx.session.ProjectDir = "/data/Valley";
    EXPECT_EQ(btnBrowseOutputFolder_Click(ctx, ""), "") << "cancelled";
    EXPECT_EQ(platform.dialogRequests.at(0).initialFolder, "/data/Valley");
}

} // namespace
} // namespace tes::test
