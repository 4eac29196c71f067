#include "main_window_fixture.h"
#include "ui/combiner/combiner_launcher.h"
#include "ui/combiner/combiner_window.h"
#include "ui/window_centring.h"

#include <QScreen>

namespace tes::test {
namespace {

TEST(WindowCentring, HalfTheDifferenceNeverNegative) {
    struct Case {
        QRect screen;
        QRect window;
        QPoint expected; // after vertical, then horizontal centring
    };
    const Case cases[] = {
        {QRect(0, 0, 1024, 768), QRect(50, 60, 593, 511), QPoint(216, 128)}, // 215.5 px rounds to even 216
        {QRect(0, 0, 1920, 1080), QRect(0, 0, 600, 500), QPoint(660, 290)},
        {QRect(0, 0, 800, 600), QRect(10, 10, 800, 600), QPoint(0, 0)},        // as large as the screen
        {QRect(0, 0, 640, 480), QRect(10, 10, 900, 700), QPoint(0, 0)},        // larger: the top left corner
        {QRect(1920, 0, 1280, 1024), QRect(0, 0, 280, 24), QPoint(2420, 500)}, // a second screen
        {QRect(0, 0, 1024, 768), QRect(0, 0, 1023, 767),
         QPoint(0, 0)}, // half a pixel: 7.5 twips rounds to 0 px
    };
    for (const Case& c : cases) {
        const QRect moved = CenterFormHorizontally(c.screen, CenterFormVertically(c.screen, c.window));
        EXPECT_EQ(moved.topLeft(), c.expected) << c.window.width() << "x" << c.window.height();
        EXPECT_EQ(moved.size(), c.window.size());
    }
    // Each function moves only its own edge.
    EXPECT_EQ(CenterFormVertically(QRect(0, 0, 100, 100), QRect(7, 0, 10, 10)).left(), 7);
    EXPECT_EQ(CenterFormHorizontally(QRect(0, 0, 100, 100), QRect(0, 7, 10, 10)).top(), 7);
}

TEST_F(MainWindowTest, StartUpShowsTheCentredWindowWithTheSessionReady) {
    EXPECT_TRUE(window().isVisible());
    EXPECT_NE(program.combiner().window(), nullptr) << "the combiner is loaded";
    EXPECT_FALSE(program.combiner().window()->isVisible()) << "and hidden";
    const Session& session = ctx().session;
    EXPECT_EQ(session.AppTitle, "Tolvane Enviro Scripter");
    EXPECT_TRUE(session.SaveToFile);
    // No saved folders: both start in the user's documents.
    EXPECT_EQ(session.DefaultDir, platform.documentsFolderPath);
    EXPECT_EQ(session.ObjectDir, platform.documentsFolderPath);
    EXPECT_FALSE(button("btnProcess")->isEnabled());
}

TEST(ProgramStart, SavedFoldersAreTakenAndTheWindowIsCentred) {
    WatchingPlatform platform;
    platform.settings["Software\\Tolvane Enviro Scripter|DefaultDir"] = "/data/projects";
    platform.settings["Software\\Tolvane Enviro Scripter|ObjectDir"] = "";
    Program program(platform);
    program.setQuit([] {});
    program.start();
    EXPECT_EQ(program.context().session.DefaultDir, "/data/projects");
    EXPECT_EQ(program.context().session.ObjectDir, platform.documentsFolderPath)
        << "an empty value counts as missing";

    QWidget& window = program.mainWindow();
    const QRect screen = window.screen()->geometry();
    const QRect frame = window.frameGeometry();
    EXPECT_EQ(frame.topLeft(), CenterFormHorizontally(screen, CenterFormVertically(screen, frame)).topLeft());
}

} // namespace
} // namespace tes::test
