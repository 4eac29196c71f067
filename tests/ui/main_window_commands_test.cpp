#include "main_window_fixture.h"
#include "support/temp_dir.h"
#include "ui/combiner/combiner_launcher.h"
#include "ui/combiner/combiner_window.h"
#include "ui/line_list_view.h"
#include "ui/main/output_pane.h"

#include <filesystem>

#include <QDropEvent>
#include <QMimeData>
#include <QStatusBar>
#include <QUrl>

namespace tes::test {
namespace {

TEST_F(LoadedProjectTest, BrowseLoadsTheProjectIntoTheWindow) {
    platform.dialogAnswers.push_back(projectFile());
    QTest::mouseClick(button("btnBrowseProjectFile"), Qt::LeftButton);

    EXPECT_TRUE(platform.messages.empty()) << (platform.messages.empty() ? "" : platform.messages.front());
    EXPECT_EQ(text(TextField::txtProjectFilePath), QString::fromStdString(projectFile()));
    EXPECT_TRUE(field(TextField::txtProjectFilePath)->isEnabled());
    EXPECT_TRUE(button("btnProcess")->isEnabled());
    EXPECT_EQ(text(TextField::txtNumberOfTiles), QStringLiteral("5 x 5"));
    EXPECT_EQ(text(TextField::txtGridRes), QStringLiteral("3.0"));
    EXPECT_EQ(window().list(ListId::List1)->model()->rowCount(),
              static_cast<int>(ctx().form.list(ListId::List1).size()));
    EXPECT_GT(window().list(ListId::List1)->model()->rowCount(), 0);
    QComboBox* combo = find<QComboBox>("comboSelectVegetation");
    EXPECT_EQ(static_cast<std::size_t>(combo->count()), ctx().form.comboItems().size());
    EXPECT_GT(combo->count(), 0);
    EXPECT_EQ(combo->currentText(), QString()) << "no entry chosen after a load";
    EXPECT_EQ(find<QLabel>("lblRecordCount")->text(), QString::fromStdString(ctx().form.recordCountText()));
    EXPECT_TRUE(
        find<QLabel>("lblRecordCount")->text().endsWith(QStringLiteral("records on the main tile, 5 kinds")));
}

TEST_F(LoadedProjectTest, ProcessWritesTheScriptIntoTheOutputPane) {
    platform.dialogAnswers.push_back(projectFile());
    QTest::mouseClick(button("btnBrowseProjectFile"), Qt::LeftButton);
    pickVegetation(0);
    typeInto(field(TextField::txtMaxFile), QStringLiteral("D:\\Models\\Pine.max"));
    QTest::mouseClick(button("btnProcess"), Qt::LeftButton);

    EXPECT_TRUE(platform.messages.empty()) << (platform.messages.empty() ? "" : platform.messages.front());
    const int rows = window().list(ListId::List2)->model()->rowCount();
    EXPECT_GT(rows, 0);
    EXPECT_EQ(static_cast<std::size_t>(rows), ctx().form.list(ListId::List2).size());
    EXPECT_TRUE(std::filesystem::is_regular_file(ctx().session.ScriptFilePath))
        << ctx().session.ScriptFilePath;
    EXPECT_EQ(window().statusLine()->currentMessage(), QString::fromStdString(ctx().form.statusText()));
    // The output pane opens the script's folder through the platform.
    window().outputPane()->openContainingFolder();
    ASSERT_FALSE(platform.openedDocuments.empty());
    EXPECT_EQ(std::filesystem::path(platform.openedDocuments.back()), dir.path());
    EXPECT_TRUE(window().statusLine()->currentMessage().startsWith(QStringLiteral("Wrote Valley_MainVeg_")));
    EXPECT_EQ(std::filesystem::path(ctx().session.ScriptFilePath).parent_path(), dir.path());
}

TEST_F(LoadedProjectTest, AValueTypedJustBeforeProcessIsCheckedFirst) {
    platform.dialogAnswers.push_back(projectFile());
    QTest::mouseClick(button("btnBrowseProjectFile"), Qt::LeftButton);
    typeInto(field(TextField::txtGridSize), QStringLiteral("2.5"));
    // No Max file: Process stops with its first message; the grid size was corrected before it ran.
    std::string gridSizeWhenProcessRan;
    platform.onMessage = [&](const std::string&) {
        gridSizeWhenProcessRan = ctx().form.text(TextField::txtGridSize);
    };
    QTest::mouseClick(button("btnProcess"), Qt::LeftButton);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0], "Please specify a Max file");
    EXPECT_EQ(gridSizeWhenProcessRan, "2");
}

// Alt+P reaches Process as a click does: the field being left is checked before the command runs.
TEST_F(LoadedProjectTest, AnAccessKeyChecksTheFieldBeingLeftFirst) {
    platform.dialogAnswers.push_back(projectFile());
    QTest::mouseClick(button("btnBrowseProjectFile"), Qt::LeftButton);
    QTest::mouseClick(box(CheckBox::chkUseObjectScale), Qt::LeftButton); // the object scale is typed
    QTest::mouseClick(box(CheckBox::chkUseObjectScale), Qt::LeftButton);
    const struct {
        TextField field;
        bool useObjectScale;
        const char* typed;
        std::string checked;
    } cases[] = {
        {TextField::txtGridSize, false, "0", "1"},
        {TextField::txtObjectScale, true, "0", "0.100000"},
        {TextField::txtHeading, false, "400", "359.9"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        if (box(CheckBox::chkUseObjectScale)->isChecked() != c.useObjectScale)
            QTest::mouseClick(box(CheckBox::chkUseObjectScale), Qt::LeftButton);
        platform.messages.clear();
        typeInto(field(c.field), QString::fromLatin1(c.typed));
        std::string whenProcessRan;
        platform.onMessage = [&](const std::string&) { whenProcessRan = ctx().form.text(c.field); };
        QTest::keyClick(field(c.field), Qt::Key_P, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !platform.messages.empty(); }, 2000));
        EXPECT_EQ(platform.messages, std::vector<std::string>{"Please specify a Max file"});
        EXPECT_EQ(whenProcessRan, c.checked);
        EXPECT_EQ(QApplication::focusWidget(), button("btnProcess"));
    }
}

TEST_F(LoadedProjectTest, CancelledBrowseKeepsTheLoadedProject) {
    platform.dialogAnswers.push_back(projectFile());
    QTest::mouseClick(button("btnBrowseProjectFile"), Qt::LeftButton);
    const int rows = window().list(ListId::List1)->model()->rowCount();
    QTest::mouseClick(button("btnBrowseProjectFile"), Qt::LeftButton); // the fake answers with a cancel
    EXPECT_EQ(window().list(ListId::List1)->model()->rowCount(), rows);
    EXPECT_TRUE(button("btnProcess")->isEnabled());
    EXPECT_EQ(text(TextField::txtProjectFilePath), QString::fromStdString(projectFile()));
}

TEST_F(LoadedProjectTest, DroppingAProjectFileLoadsIt) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(projectFile()))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window(), &drop);
    QTRY_VERIFY(button("btnProcess")->isEnabled());
    EXPECT_EQ(text(TextField::txtProjectFilePath), QString::fromStdString(projectFile()));
    EXPECT_TRUE(platform.dialogRequests.empty()) << "the dropped file is loaded without a dialog";

    QMimeData other;
    other.setUrls({QUrl::fromLocalFile(QString::fromStdString(dir.file("Valley.txt")))});
    QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &other, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window(), &refused);
    EXPECT_FALSE(refused.isAccepted()) << "only project files are taken";
}

TEST_F(MainWindowTest, HelpOpensTheHelpFileFromTheProgramFolder) {
    QTest::mouseClick(button("btnViewHelp"), Qt::LeftButton);
    QApplication::setActiveWindow(&window());
    QTest::keyClick(&window(), Qt::Key_F1);
    ASSERT_EQ(platform.openedDocuments.size(), 2u) << "View Help, then F1";
    EXPECT_NE(platform.openedDocuments[0].find("TES_Help.html"), std::string::npos);
    EXPECT_EQ(platform.openedDocuments[1], platform.openedDocuments[0]);
}

TEST_F(MainWindowTest, ExitAndClosingEndTheProgramOnce) {
    for (bool byExit : {true, false}) {
        WatchingPlatform fresh;
        Program other(fresh);
        int ends = 0;
        other.setQuit([&] { ++ends; });
        other.start();
        if (byExit)
            QTest::mouseClick(other.mainWindow().findChild<QPushButton*>(QStringLiteral("btnExit")),
                              Qt::LeftButton);
        else
            other.mainWindow().close();
        EXPECT_TRUE(other.context().ended);
        EXPECT_FALSE(other.mainWindow().isVisible());
        EXPECT_TRUE(other.combiner().window() == nullptr || !other.combiner().window()->isVisible());
        other.endProgram(); // a second end does nothing
        EXPECT_EQ(ends, 1);
        EXPECT_TRUE(fresh.messages.empty());
        EXPECT_TRUE(fresh.settingWrites.empty()) << "nothing is saved at the end";
    }
}

} // namespace
} // namespace tes::test
