#include "form/chosen_kind.h"
#include "main_window_fixture.h"

#include <QSignalSpy>

namespace tes::test {
namespace {

// The window looks at its kinds table by itself: a row written on disk reaches the chosen kind's fields.
TEST_F(LoadedProjectTest, AKindsTableChangedOnDiskReachesTheFields) {
    platform.dialogAnswers.push_back(projectFile());
    QTest::mouseClick(button("btnBrowseProjectFile"), Qt::LeftButton);
    pickVegetation(0);
    QSignalSpy followed(&window(), &MainWindow::kindsTableFollowed);
    dir.write("Valley.tes.ini", "[Vegetation_" + ChosenKindNumber(ctx().form.comboText()) +
                                    "]\r\nMaxFile=D:\\M\\Seven.max\r\n");
    EXPECT_TRUE(QTest::qWaitFor(
        [this] { return text(TextField::txtMaxFile) == QStringLiteral("D:\\M\\Seven.max"); }, 1500));
    EXPECT_EQ(followed.count(), 1);
}

} // namespace
} // namespace tes::test
