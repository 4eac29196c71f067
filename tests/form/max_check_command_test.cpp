// Help's "Write a 3ds Max check...": the folder asked for, the check written into its own folder.
#include "form/max_check_command.h"
#include "lib/fields.h"
#include "lib/file_access.h"
#include "program_fixture.h"

namespace tes::test {
namespace {

using MaxCheckCommandTest = ProgramTest;

TEST_F(MaxCheckCommandTest, WritesIntoAFolderOfItsOwnOrNothingWhenCancelled) {
    ctx.session.ProjectDir = dir.path().string();
    EXPECT_TRUE(mnuWriteMaxCheck_Click(ctx).files.empty()) << "cancelled";
    EXPECT_EQ(platform.dialogRequests.at(0).initialFolder, ctx.session.ProjectDir);
    EXPECT_TRUE(platform.messages.empty());

    platform.dialogAnswers.push_back(dir.path().string());
    const MaxCheckResult check = mnuWriteMaxCheck_Click(ctx);
    const std::string folder = JoinPath(dir.path().string(), kMaxCheckFolder);
    EXPECT_EQ(check.testScript, JoinPath(folder, "MaxCheck_Test.ms"));
    EXPECT_TRUE(IsRegularFile(check.testScript));
    EXPECT_EQ(platform.messageKinds, std::vector<MessageKind>{MessageKind::Notice});
    EXPECT_TRUE(platform.messages.at(0).starts_with("Wrote the 3ds Max check into " + folder + "."))
        << platform.messages.at(0);
}

} // namespace
} // namespace tes::test
