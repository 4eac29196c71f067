#include "main_window_fixture.h"
#include "support/temp_dir.h"

#include <cstdlib>
#include <filesystem>

#include <QPixmap>

namespace tes::test {
namespace {

// Draws the window after loading the example project and processing one vegetation kind, and again
// enlarged: the pictures the README shows. Runs only when TES_SCREENSHOT_DIR names the folder to write
// main-window.png and main-window-wide.png into.
TEST_F(MainWindowTest, ScreenshotAfterLoadingTheExample) {
    const char* folder = std::getenv("TES_SCREENSHOT_DIR");
    if (folder == nullptr)
        GTEST_SKIP() << "set TES_SCREENSHOT_DIR to draw the picture";

    TempDir dir;
    const std::filesystem::path example = std::filesystem::path(TES_EXAMPLES_DIR) / "Valley";
    for (const char* ext : {".prj", ".txt", ".scn", ".est"})
        std::filesystem::copy_file(example / (std::string("Valley") + ext),
                                   dir.path() / (std::string("Valley") + ext));
    // Show a short, plain folder instead of the temporary one.
    const std::string project = dir.file("Valley.prj");
    platform.dialogAnswers.push_back(project);
    QTest::mouseClick(button("btnBrowseProjectFile"), Qt::LeftButton);
    QComboBox* combo = find<QComboBox>("comboSelectVegetation");
    combo->setCurrentIndex(0);
    emit combo->activated(0);
    typeInto(field(TextField::txtMaxFile), QStringLiteral("D:\\Models\\Pine.max"));
    QTest::mouseClick(button("btnProcess"), Qt::LeftButton);
    ctx().form.setText(TextField::txtProjectFilePath, "C:\\Tolvane\\Valley\\Valley.prj");
    QCoreApplication::processEvents();

    const QString path = QString::fromLocal8Bit(folder) + QStringLiteral("/main-window.png");
    EXPECT_TRUE(window().grab().save(path));
    // The same window made larger: the lists take the room.
    window().resize(window().size() + QSize(260, 200));
    QCoreApplication::processEvents();
    EXPECT_TRUE(
        window().grab().save(QString::fromLocal8Bit(folder) + QStringLiteral("/main-window-wide.png")));
}

} // namespace
} // namespace tes::test
