#include "form/combiner_state.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"
#include "ui/combiner/combiner_window.h"
#include "ui/line_list_view.h"

#include <cstdlib>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPixmap>
#include <QPushButton>

namespace tes {
namespace {

// A placement script as Process writes it, for a kind with two positions.
std::string PlacementScript(const std::string& file, const std::string& maxFile, const std::string& path,
                            const std::string& name) {
    return "-- Tolvane Enviro Scripter for 3dsMax 3.1,  Version: 1.1\r\n"
           "-- Script File Name:  " +
           file +
           "\r\n\r\n\r\n-- start of script\r\nclearlistener()\r\n\r\n-- perform merge on first object\r\n"
           "mergeMAXFile \"" +
           maxFile +
           "\" #mergeDups #select #noredraw\r\n\r\n-- move the first object into position\r\nmax move\r\n" +
           path + ".pos = [84.558077,41.602219,51.579078]\r\nrotate " + path +
           " (angleaxis 126.9 [0,0,1])\r\n\r\n-- make copies of the original object and move into "
           "postion\r\n\r\n"
           "copy " +
           path + " isSelected:on name:\"" + name + "01\"\r\n" + path +
           "01.pos = [-88.391183,85.675760,27.144017]\r\n\r\n";
}

// Draws the window with two scripts added into the picture the help and the README show. Runs only
// when TES_SCREENSHOT_DIR names the folder to write combiner.png into.
TEST(CombinerScreenshot, TwoScriptsAdded) {
    const char* folder = std::getenv("TES_SCREENSHOT_DIR");
    if (folder == nullptr)
        GTEST_SKIP() << "set TES_SCREENSHOT_DIR to draw the picture";

    test::TempDir dir;
    test::FakePlatform platform;
    const std::string scriptFolder = dir.path().string();
    CombinerState state(platform, scriptFolder);
    platform.dialogAnswers = {
        dir.write("Valley_MainVeg_01.ms",
                  PlacementScript("Valley_MainVeg_01.ms", "D:\\MODELS\\PINE.MAX", "$Pine", "Pine")),
        dir.write("Valley_MainVeg_02.ms",
                  PlacementScript("Valley_MainVeg_02.ms", "D:\\MODELS\\BIRCH.MAX", "$Birch", "Birch")),
    };
    CombinerWindow window(state, nullptr);
    window.show();
    window.findChild<QPushButton*>(QStringLiteral("btnAddFile"))->click();
    window.findChild<QPushButton*>(QStringLiteral("btnAddFile"))->click();
    // Show where the first script ends and the second begins.
    const QAbstractItemModel* model = window.list()->model();
    window.list()->scrollTo(model->index(16, 0), QAbstractItemView::PositionAtTop);
    QCoreApplication::processEvents();

    const QString path = QString::fromLocal8Bit(folder) + QStringLiteral("/combiner.png");
    EXPECT_TRUE(window.grab().save(path));
}

} // namespace
} // namespace tes
