// Help's "Write a 3ds Max check..." forwards to its routine, which first asks for a folder.
#include "main_window_fixture.h"

#include <QAction>

namespace tes::test {
namespace {

using MaxCheckMenuTest = MainWindowTest;

TEST_F(MaxCheckMenuTest, TheHelpMenuItemAsksForTheCheckFolder) {
    QAction* item = find<QAction>("mnuWriteMaxCheck");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), QStringLiteral("Write a 3ds Max check..."));
    item->trigger();
    ASSERT_EQ(platform.dialogRequests.size(), 1u);
    EXPECT_TRUE(platform.dialogRequests[0].title.starts_with("Write a 3ds Max check"));
}

} // namespace
} // namespace tes::test
