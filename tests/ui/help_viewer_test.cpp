#include "support/temp_dir.h"
#include "ui/help/help_viewer.h"
#include "ui/qt_platform.h"

#include <gtest/gtest.h>
#include <string>

#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>

namespace tes {
namespace {

// The program's own help window shows the file, follows a link within the page, and is raised, not
// doubled, when asked again.
TEST(HelpViewer, ShowsTheFileAndFollowsALinkWithinThePage) {
    test::TempDir dir;
    std::string page = "<title>Help</title><p><a href=\"#keys\">Keyboard</a></p>";
    for (int i = 0; i < 200; ++i)
        page += "<p>Some words.</p>";
    const std::string file = dir.write("TES_Help.html", page + "<h2 id=\"keys\">Keys</h2>");
    QtPlatform platform(QString::fromStdString(dir.file("settings.ini")));

    ASSERT_TRUE(platform.showHelpViewer(file));
    HelpViewer* viewer = platform.helpViewer();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(viewer));
    EXPECT_EQ(viewer->windowTitle(), QStringLiteral("Help"));
    QTextBrowser* browser = viewer->browser();
    QTextCursor link = browser->document()->find(QStringLiteral("Keyboard"));
    link.setPosition(link.selectionStart() + 2);
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, browser->cursorRect(link).center());
    EXPECT_GT(browser->verticalScrollBar()->value(), 0) << "scrolled down to the heading";

    ASSERT_TRUE(platform.showHelpViewer(file));
    EXPECT_EQ(platform.helpViewer(), viewer);
}

} // namespace
} // namespace tes
