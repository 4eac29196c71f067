#include "main_window_fixture.h"
#include "ui/preview/preview_areas_panel.h"
#include "ui/preview/preview_canvas.h"
#include "ui/preview/preview_views_panel.h"
#include "ui/preview/preview_window.h"

#include <cstdlib>
#include <filesystem>

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace tes::test {
namespace {

// The example project loaded, and its preview opened with every record read.
class PreviewWindowTest : public LoadedProjectTest {
protected:
    PreviewWindow& openPreview() {
        platform.dialogAnswers.push_back(projectFile());
        QTest::mouseClick(button("btnBrowseProjectFile"), Qt::LeftButton);
        QTest::mouseClick(button("btnPreview"), Qt::LeftButton);
        PreviewWindow* preview = window().previewWindow();
        EXPECT_NE(preview, nullptr);
        preview->rebuildNow();
        return *preview;
    }
};

TEST_F(PreviewWindowTest, PreviewButtonOpensTheWindowWhoseButtonsForward) {
    PreviewWindow& preview = openPreview();
    EXPECT_TRUE(preview.isVisible());
    ASSERT_NE(preview.canvas()->scene(), nullptr);
    EXPECT_EQ(preview.canvas()->scene()->x.size(), ctx().form.list(ListId::List1).size());

    const PreviewView fitted = preview.canvas()->view();
    QWheelEvent wheel(QPointF(40, 40), preview.canvas()->mapToGlobal(QPointF(40, 40)), {}, {0, 120},
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(preview.canvas(), &wheel);
    EXPECT_GT(preview.canvas()->view().pixelsPerUnit, fitted.pixelsPerUnit);
    QTest::mouseClick(preview.fitButton(), Qt::LeftButton);
    EXPECT_EQ(preview.canvas()->view().pixelsPerUnit, fitted.pixelsPerUnit);

    // The keys: + zooms in, - out again, Right moves the view, 0 fits the tile again.
    QTest::keyClick(preview.canvas(), Qt::Key_Plus);
    EXPECT_GT(preview.canvas()->view().pixelsPerUnit, fitted.pixelsPerUnit);
    QTest::keyClick(preview.canvas(), Qt::Key_Minus);
    EXPECT_DOUBLE_EQ(preview.canvas()->view().pixelsPerUnit, fitted.pixelsPerUnit);
    QTest::keyClick(preview.canvas(), Qt::Key_Right);
    EXPECT_NE(preview.canvas()->view().centreX, fitted.centreX);
    QTest::keyClick(preview.canvas(), Qt::Key_0);
    EXPECT_EQ(preview.canvas()->view().centreX, fitted.centreX);

    // The record under the pointer is named beside it too, until the pointer leaves.
    emit preview.canvas()->hovered(0);
    EXPECT_TRUE(preview.canvas()->hoverText().startsWith(
        QString::fromStdString("Line " + std::to_string(ctx().recordLines.at(0)) + " of Valley.txt: ")));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(preview.canvas(), &leave);
    EXPECT_EQ(preview.canvas()->hoverText(), QString());
    EXPECT_FALSE(preview.statusText().startsWith(QStringLiteral("Line")));

    const std::string png = dir.file("view.png");
    platform.dialogAnswers.push_back(png);
    QTest::mouseClick(preview.saveButton(), Qt::LeftButton);
    EXPECT_EQ(QImage(QString::fromStdString(png)).size(), preview.canvas()->size());
}

// Where the kind's plants differ, the text beside the pointer also names the plant's look.
TEST_F(PreviewWindowTest, HoverNamesTheLookOfAPlantThatDiffers) {
    PreviewWindow& preview = openPreview();
    for (const char* number : {"1", "2", "5", "7", "12"}) {
        KindRow row{number, "D:\\M\\Tree.max", "", true};
        row.plants.turn = ValueRange{30, 30};
        ctx().kindsTable.set(row);
    }
    preview.rebuildNow();
    emit preview.canvas()->hovered(0);
    EXPECT_TRUE(preview.canvas()->hoverText().endsWith(QStringLiteral(", turn 30\u00B0")));
}

// The view mode's click and drag, Add, Remove and a field go to the kinds table through their handlers.
TEST_F(PreviewWindowTest, ViewModeAndPanelForwardToTheirHandlers) {
    PreviewWindow& preview = openPreview();
    PreviewViewsPanel& panel = *preview.viewsPanel();
    PreviewCanvas* canvas = preview.canvas();
    QTest::mouseClick(panel.modeButton(), Qt::LeftButton);
    ASSERT_TRUE(canvas->editMode());
    QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(300, 500));
    QTest::mouseMove(canvas, QPoint(320, 300));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(320, 300));
    const PreviewView& shown = canvas->view();
    ASSERT_EQ(ctx().kindsTable.views().size(), 1u);
    const PlantView set = ctx().kindsTable.views()[0];
    EXPECT_NEAR(set.camera.y, shown.sceneY(500), 1 / shown.pixelsPerUnit);
    EXPECT_NEAR(set.target.x, shown.sceneX(320), 1 / shown.pixelsPerUnit);
    EXPECT_TRUE(std::filesystem::exists(ctx().kindsTablePath));
    EXPECT_TRUE(canvas->scene()->kinds[0].filtered);

    QTest::mouseClick(panel.addButton(), Qt::LeftButton);
    EXPECT_EQ(ctx().kindsTable.views().size(), 2u);
    QTest::mouseClick(panel.removeButton(), Qt::LeftButton);
    EXPECT_EQ(ctx().kindsTable.views().size(), 1u);
    QLineEdit* fov = panel.field(ViewField::fov);
    fov->setText(QStringLiteral("60"));
    emit fov->editingFinished();
    EXPECT_EQ(ctx().kindsTable.views()[0].fov, 60);
}

// The view mode's hint names the view a click places, also after Remove; a load ends the mode.
TEST_F(PreviewWindowTest, TheViewModesHintFollowsRemoveAndALoadEndsTheMode) {
    PreviewWindow& preview = openPreview();
    PreviewViewsPanel& panel = *preview.viewsPanel();
    for (QPushButton* press : {panel.addButton(), panel.addButton(), panel.removeButton()})
        QTest::mouseClick(press, Qt::LeftButton);
    EXPECT_TRUE(preview.statusText().startsWith(QStringLiteral("Click to place View1's camera")));
    QTest::mouseClick(panel.removeButton(), Qt::LeftButton);
    EXPECT_TRUE(preview.statusText().startsWith(QStringLiteral("Click to place the camera of a new view")));
    platform.dialogAnswers.push_back(projectFile());
    QTest::mouseClick(button("btnBrowseProjectFile"), Qt::LeftButton);
    preview.rebuildNow();
    EXPECT_FALSE(preview.canvas()->editMode());
}

// A camera placed ends the view mode, so a later click moves no view; Ctrl+Z and Undo take the
// views' changes back; after Remove the status names the view now chosen. The preview is a window of
// its own, which closes with the main window.
TEST_F(PreviewWindowTest, PlacingACameraEndsTheModeAndUndoTakesTheChangesBack) {
    PreviewWindow& preview = openPreview();
    EXPECT_EQ(preview.parentWidget(), nullptr);
    PreviewViewsPanel& panel = *preview.viewsPanel();
    PreviewCanvas* canvas = preview.canvas();
    QTest::mouseClick(panel.modeButton(), Qt::LeftButton);
    QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(300, 500));
    ASSERT_EQ(ctx().kindsTable.views().size(), 1u);
    const PlantView placed = ctx().kindsTable.views()[0];
    EXPECT_FALSE(panel.modeButton()->isChecked());
    EXPECT_EQ(preview.statusText(),
              QStringLiteral("View1 placed and saved in Valley.tes.ini; press Set view to move it again"));
    if (const char* folder = std::getenv("TES_SCREENSHOT_DIR"))
        preview.grab().save(QString::fromLocal8Bit(folder) + QStringLiteral("/preview-view-placed.png"));
    QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(400, 300));
    EXPECT_EQ(ctx().kindsTable.views().at(0), placed);

    QTest::mouseClick(panel.addButton(), Qt::LeftButton);    // View2, chosen, and the mode on
    QTest::mouseClick(panel.modeButton(), Qt::LeftButton);   // off again
    QTest::mouseClick(panel.removeButton(), Qt::LeftButton); // View2
    EXPECT_EQ(preview.statusText(), QStringLiteral("View2 removed from Valley.tes.ini; View1 is chosen"));
    QApplication::setActiveWindow(&preview);
    QTest::keyClick(&preview, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(ctx().kindsTable.views().size(), 2u);
    EXPECT_TRUE(preview.statusText().startsWith(QStringLiteral("Undone: View2 removed")));
    QTest::mouseClick(panel.undoButton(), Qt::LeftButton); // View2 added
    QTest::mouseClick(panel.undoButton(), Qt::LeftButton); // View1 placed
    EXPECT_TRUE(ctx().kindsTable.views().empty());
    EXPECT_FALSE(panel.undoButton()->isEnabled());

    window().close();
    EXPECT_FALSE(preview.isVisible());
}

// The picture the README and the help show. Runs only when TES_SCREENSHOT_DIR names the folder to
// write preview.png into.
TEST_F(PreviewWindowTest, ScreenshotOfThePreview) {
    const char* folder = std::getenv("TES_SCREENSHOT_DIR");
    if (folder == nullptr)
        GTEST_SKIP() << "set TES_SCREENSHOT_DIR to draw the picture";
    PreviewWindow& preview = openPreview();
    preview.resize(720, 680);
    preview.canvas()->fit();
    while (preview.canvas()->drawing())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_TRUE(preview.grab().save(QString::fromLocal8Bit(folder) + QStringLiteral("/preview.png")));
}

// A view the table holds that cannot be read is listed, marked, and said over the picture.
TEST_F(PreviewWindowTest, AViewThatCannotBeReadIsListedAndSaidOverThePicture) {
    dir.write("Valley.tes.ini", "[View1]\r\nCamera=0,-300\r\nTarget=0,0\r\nFov=abc\r\n");
    PreviewWindow& preview = openPreview();
    EXPECT_EQ(preview.viewsPanel()->selector()->itemText(0), QStringLiteral("View1 (cannot be read)"));
    EXPECT_TRUE(preview.canvas()->notice().startsWith(QStringLiteral("View1: Fov=abc in Valley.tes.ini")));
    if (const char* folder = std::getenv("TES_SCREENSHOT_DIR")) {
        preview.resize(720, 680);
        preview.canvas()->fit();
        while (preview.canvas()->drawing())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        preview.grab().save(QString::fromLocal8Bit(folder) + QStringLiteral("/preview-unreadable-view.png"));
    }
}

// The area mode's clicks and Enter add an area, a drag moves its point on release, a typed Width and
// Delete go to the kinds table; the area mode and the view mode are one at a time.
TEST_F(PreviewWindowTest, AreaModeForwardsItsGesturesToTheTable) {
    PreviewWindow& preview = openPreview();
    PreviewAreasPanel& panel = *preview.areasPanel();
    PreviewCanvas* canvas = preview.canvas();
    QTest::mouseClick(preview.viewsPanel()->modeButton(), Qt::LeftButton);
    QTest::mouseClick(panel.modeButton(), Qt::LeftButton);
    EXPECT_FALSE(preview.viewsPanel()->modeButton()->isChecked());
    ASSERT_TRUE(canvas->editMode());
    for (const QPoint at : {QPoint(200, 200), QPoint(400, 200), QPoint(300, 400)})
        QTest::mouseClick(canvas, Qt::LeftButton, {}, at);
    EXPECT_TRUE(ctx().kindsTable.areas().empty()); // not before it ends
    QTest::keyClick(canvas, Qt::Key_Return);
    ASSERT_EQ(ctx().kindsTable.areas().size(), 1u);
    const PreviewView& shown = canvas->view();
    EXPECT_NEAR(ctx().kindsTable.areas()[0].points[1].x, shown.sceneX(400), 1 / shown.pixelsPerUnit);

    QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(401, 201));
    QTest::mouseMove(canvas, QPoint(450, 250));
    EXPECT_NEAR(ctx().kindsTable.areas()[0].points[1].x, shown.sceneX(400), 1 / shown.pixelsPerUnit);
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(450, 250));
    EXPECT_NEAR(ctx().kindsTable.areas()[0].points[1].y, shown.sceneY(250), 1 / shown.pixelsPerUnit);
    if (const char* folder = std::getenv("TES_SCREENSHOT_DIR")) {
        preview.rebuildNow();
        while (canvas->drawing())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        preview.grab().save(QString::fromLocal8Bit(folder) + QStringLiteral("/preview-area-mode.png"));
    }

    panel.field(AreaField::width)->setText(QStringLiteral("12"));
    emit panel.field(AreaField::width)->editingFinished();
    EXPECT_EQ(ctx().kindsTable.areas().at(0).width, 12.0);
    QTest::mouseClick(panel.deleteButton(), Qt::LeftButton);
    EXPECT_TRUE(ctx().kindsTable.areaSections().empty());
    QTest::mouseClick(preview.viewsPanel()->undoButton(), Qt::LeftButton);
    EXPECT_EQ(ctx().kindsTable.areas().at(0).width, 12.0);
    EXPECT_NE(ReadBytes(ctx().kindsTablePath).find("[Area1]\r\nPoints="), std::string::npos);
}

} // namespace
} // namespace tes::test
