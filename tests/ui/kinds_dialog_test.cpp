// The Kinds dialog and Process All in the window, on the example project (kinds 1, 2, 5, 7 and 12).
#include "lib/file_access.h"
#include "main_window_fixture.h"
#include "ui/main/fault_marks.h"
#include "ui/main/kinds_dialog.h"

#include <cstdlib>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QStatusBar>
#include <QTableView>

namespace tes::test {
namespace {

class KindsDialogTest : public LoadedProjectTest {
protected:
    KindsDialogTest() {
        platform.dialogAnswers.push_back(projectFile());
        QTest::mouseClick(button("btnBrowseProjectFile"), Qt::LeftButton);
    }

    std::string tableFile() const { return dir.file("Valley.tes.ini"); }

    // Opens the dialog with its button and lets `act` play the user on it.
    void withDialog(const std::function<void(KindsDialog&)>& act) {
        int opened = 0;
        window().setDialogRunner([&](QDialog& dialog) {
            ++opened;
            dialog.show();
            QApplication::setActiveWindow(&dialog);
            EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
            act(static_cast<KindsDialog&>(dialog));
            return dialog.result();
        });
        QApplication::setActiveWindow(&window());
        QTest::keyClick(&window(), Qt::Key_K, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return opened == 1; }, 2000));
    }

    static QString cell(KindsDialog& dialog, int row, int column) {
        return dialog.table()->model()->index(row, column).data().toString();
    }
    static bool checked(KindsDialog& dialog, int row, int column) {
        return dialog.table()->model()->index(row, column).data(Qt::CheckStateRole).toInt() == Qt::Checked;
    }
    // On the cell: F2, the text in place of the old one, Enter.
    static void typeIntoCell(KindsDialog& dialog, int row, int column, const QString& text) {
        QTableView* table = dialog.table();
        table->setCurrentIndex(table->model()->index(row, column));
        QTest::keyClick(table, Qt::Key_F2);
        QWidget* editor = QApplication::focusWidget();
        ASSERT_NE(editor, table) << "F2 opens the cell's editor";
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        // The editor hands its text over once the event loop runs.
        EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == table; }, 2000));
    }
};

// From the keyboard: a Max file typed (the object follows it), an object name typed (it no longer
// follows), a Max file chosen by Browse, Enabled switched off with Space, the join box reached with Tab.
// Enter keeps it all and writes the table; Escape changes nothing.
TEST_F(KindsDialogTest, TheDialogEditsTheRowsAndOnlyOkKeepsThem) {
    const struct {
        const char* name;
        Qt::Key end;
        bool kept;
    } cases[] = {{"Escape", Qt::Key_Escape, false}, {"Enter", Qt::Key_Return, true}};
    using C = KindsModel::Column;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        platform.settingWrites.clear();
        withDialog([&](KindsDialog& dialog) {
            ASSERT_EQ(dialog.table()->model()->rowCount(), 5);
            EXPECT_EQ(cell(dialog, 0, C::Records), QStringLiteral("49"));
            typeIntoCell(dialog, 0, C::MaxFile, QStringLiteral("D:\\M\\Pine.max"));
            EXPECT_EQ(cell(dialog, 0, C::ObjectName), QStringLiteral("Pine"));
            typeIntoCell(dialog, 0, C::ObjectName, QStringLiteral("Tall Pine"));
            EXPECT_FALSE(checked(dialog, 0, C::UseFileName));

            dialog.table()->setCurrentIndex(dialog.table()->model()->index(1, C::MaxFile));
            platform.dialogAnswers.push_back("/models/Birch.max");
            QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("btnBrowseKindMaxFile")),
                              Qt::LeftButton);
            EXPECT_EQ(cell(dialog, 1, C::ObjectName), QStringLiteral("Birch"));

            dialog.table()->setCurrentIndex(dialog.table()->model()->index(2, C::Enabled));
            dialog.table()->setFocus(); // Browse kept it
            QTest::keyClick(dialog.table(), Qt::Key_Space);
            EXPECT_FALSE(checked(dialog, 2, C::Enabled));

            // Tab leaves the table for Browse, then the join box.
            QTest::keyClick(dialog.table(), Qt::Key_Tab);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            ASSERT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("chkJoinAllScripts"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
            dialog.table()->setFocus();
            QTest::keyClick(dialog.table(), c.end);
        });
        if (!c.kept) {
            EXPECT_FALSE(std::filesystem::exists(tableFile()));
            EXPECT_TRUE(ctx().kindsTable.empty());
            EXPECT_FALSE(ctx().joinAllScripts);
            EXPECT_TRUE(platform.settingWrites.empty());
            continue;
        }
        EXPECT_EQ(ReadFileBytes(tableFile()),
                  "[Vegetation_1]\r\nMaxFile=D:\\M\\Pine.max\r\nObjectName=Tall Pine\r\n"
                  "Enabled=1\r\n[Vegetation_2]\r\nMaxFile=/models/Birch.max\r\n"
                  "Enabled=1\r\n[Vegetation_5]\r\nMaxFile=\r\nEnabled=0\r\n");
        EXPECT_EQ(ctx().kindsTable.rows().size(), 3u);
        EXPECT_TRUE(ctx().joinAllScripts);
        EXPECT_EQ(platform.settingWrites,
                  (std::vector<std::string>{"DefaultDir=" + dir.path().string(), "ObjectDir=/models",
                                            "JoinAllScripts=1"}));
    }
}

// Keys only, as the dialog opens on the first Max file: Down, Right three times (the Enabled box),
// F2 and a path. The current cell alone is marked, the path goes to the row's Max file, the first
// Enter ends the edit and the second closes the dialog and keeps it.
TEST_F(KindsDialogTest, TypingOnACheckBoxEditsTheMaxFileAndEnterEndsTheEditFirst) {
    bool visibleAfterEdit = false;
    withDialog([&](KindsDialog& dialog) {
        QTableView* table = dialog.table();
        for (Qt::Key key : {Qt::Key_Down, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right})
            QTest::keyClick(table, key);
        EXPECT_EQ(table->selectionModel()->selectedIndexes(), QModelIndexList{table->currentIndex()});
        QTest::keyClick(table, Qt::Key_F2);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("D:\\M\\Fern.max"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::qWait(0);
        visibleAfterEdit = dialog.isVisible();
        EXPECT_EQ(cell(dialog, 1, KindsModel::MaxFile), QStringLiteral("D:\\M\\Fern.max"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    EXPECT_TRUE(visibleAfterEdit);
    EXPECT_NE(ReadFileBytes(tableFile()).find("MaxFile=D:\\M\\Fern.max"), std::string::npos);
}

// The dialog opens on the kind chosen in the main window; a key typed after a cancelled Browse leaves
// its Max file as it was.
TEST_F(KindsDialogTest, OpensOnTheChosenKindAndACancelledBrowseKeepsItsPath) {
    ctx().kindsTable.set({"5", "D:\\M\\Oak.max", "", true});
    emit window().findChild<QComboBox*>(QStringLiteral("comboSelectVegetation"))->activated(2);
    withDialog([&](KindsDialog& dialog) {
        EXPECT_EQ(dialog.table()->currentIndex(), dialog.table()->model()->index(2, KindsModel::MaxFile));
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("btnBrowseKindMaxFile")),
                          Qt::LeftButton);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z);
        dialog.accept();
    });
    EXPECT_EQ(ctx().kindsTable.find("5")->maxFile, "D:\\M\\Oak.max");
}

// The variation fields of the selected kind and the seed reach the table; a wrong field keeps the
// dialog open with its refusal shown.
TEST_F(KindsDialogTest, TheVariationFieldsAndTheSeedReachTheTable) {
    const auto field = [](KindsDialog& dialog, const char* name) {
        return dialog.findChild<QLineEdit*>(QString::fromUtf8(name));
    };
    bool keptOpen = false;
    withDialog([&](KindsDialog& dialog) {
        dialog.table()->setCurrentIndex(dialog.table()->model()->index(2, KindsModel::MaxFile));
        for (const auto& [name, text] : {std::pair{"txtTurnFrom", "0"},
                                         {"txtTurnTo", "360"},
                                         {"txtScaleFrom", "x"},
                                         {"txtScaleTo", "120"},
                                         {"txtKindWeight", "2"},
                                         {"txtFarModel", "D:\\M\\Far.max"},
                                         {"txtFarFrom", "400"}})
            field(dialog, name)->setText(QString::fromUtf8(text));
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("btnAddVariant")), Qt::LeftButton);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("D:\\M\\Oak.max"));
        dialog.findChild<QComboBox*>(QStringLiteral("cmbStand"))->setCurrentIndex(2);
        field(dialog, "txtSeed")->setText(QStringLiteral("42"));
        QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                          Qt::LeftButton);
        keptOpen = dialog.isVisible() && QApplication::focusWidget() == field(dialog, "txtScaleFrom");
        field(dialog, "txtScaleFrom")->setText(QStringLiteral("80"));
        QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                          Qt::LeftButton);
    });
    EXPECT_TRUE(keptOpen);
    EXPECT_EQ(platform.messages,
              std::vector<std::string>{"Kind 5, scale from: the scale has a FROM that is not a number."});
    EXPECT_EQ(ReadFileBytes(tableFile()),
              "[Variation]\r\nSeed=42\r\n[Vegetation_5]\r\nMaxFile=\r\nEnabled=1\r\n"
              "Turn=0:360\r\nScale=80:120\r\nWeight=2\r\n"
              "FarModel=D:\\M\\Far.max\r\nFarFrom=400\r\nStand=base\r\nVariant1=D:\\M\\Oak.max||1\r\n");
}

// A value the table could not read shows in its field as written, marked, with why in its tooltip.
TEST_F(KindsDialogTest, AValueTheTableCouldNotReadIsShownMarked) {
    KindRow oak{"5", "D:\\M\\Oak.max", "", true};
    oak.faults = {{"Turn", "0:36O", "is not FROM:TO", 0}};
    oak.plants.thinning.keep = 60;
    ctx().kindsTable.set(oak);
    withDialog([&](KindsDialog& dialog) {
        dialog.table()->setCurrentIndex(dialog.table()->model()->index(2, KindsModel::MaxFile));
        const auto* to = dialog.findChild<QLineEdit*>(QStringLiteral("txtTurnTo"));
        EXPECT_EQ(to->text(), QStringLiteral("36O"));
        EXPECT_TRUE(to->toolTip().startsWith(QStringLiteral("Turn=0:36O is not FROM:TO.")))
            << to->toolTip().toStdString();
        EXPECT_EQ(to->palette().color(QPalette::Base), FaultBackground());
        EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("txtKeep"))->text(), QStringLiteral("60"));
        dialog.reject();
    });
}

// OK stores before the dialog closes: a table that cannot be written keeps the dialog open with the
// message and the window's table as it was; once it can, the same OK closes the dialog.
TEST_F(KindsDialogTest, OkStoresBeforeClosingAndStaysOpenWhenTheTableCannotBeWritten) {
    const std::string path = ctx().kindsTablePath;
    ctx().kindsTablePath = dir.file("missing") + "/Valley.tes.ini";
    bool keptOpen = false;
    withDialog([&](KindsDialog& dialog) {
        dialog.findChild<QLineEdit*>(QStringLiteral("txtSeed"))->setText(QStringLiteral("42"));
        QPushButton* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        QTest::mouseClick(ok, Qt::LeftButton);
        keptOpen = dialog.isVisible() && platform.messages.size() == 1 && ctx().kindsTable.seed() == 1;
        ctx().kindsTablePath = path;
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    EXPECT_TRUE(keptOpen) << ::testing::PrintToString(platform.messages);
    EXPECT_EQ(ctx().kindsTable.seed(), 42);
    EXPECT_EQ(ReadFileBytes(tableFile()), "[Variation]\r\nSeed=42\r\n");
}

// The open dialog shows the table the window read again: a kind the user left takes the table's value,
// marked, and one the user edited keeps the user's.
TEST_F(KindsDialogTest, TheDialogFollowsTheTableTheWindowReadAgain) {
    using C = KindsModel::Column;
    withDialog([&](KindsDialog& dialog) {
        typeIntoCell(dialog, 0, C::MaxFile, QStringLiteral("D:\\M\\Pine.max"));
        ctx().kindsTable.set({"1", "D:\\M\\Fir.max", "", true});
        ctx().kindsTable.set({"2", "D:\\M\\Birch.max", "", true});
        emit window().kindsTableFollowed();
        EXPECT_EQ(cell(dialog, 0, C::MaxFile), QStringLiteral("D:\\M\\Pine.max"));
        EXPECT_EQ(cell(dialog, 1, C::MaxFile), QStringLiteral("D:\\M\\Birch.max"));
        const QModelIndex number = dialog.table()->model()->index(1, C::Number);
        EXPECT_TRUE(number.data(Qt::ToolTipRole)
                        .toString()
                        .startsWith(QStringLiteral("Changed in Valley.tes.ini while this dialog was open")));
        EXPECT_FALSE(dialog.table()->model()->index(2, C::Number).data(Qt::ToolTipRole).isValid());
        dialog.reject();
    });
}

// Process All forwards to its handler: the summary in the status line and in one message box.
TEST_F(KindsDialogTest, ProcessAllShowsItsSummaryOnce) {
    ctx().kindsTable.set({"1", "D:\\M\\Pine.max", "", true});
    ctx().kindsTable.set({"2", "D:\\M\\Birch.max", "", true});
    ctx().kindsTable.set({"12", "D:\\M\\Fern.max", "", false});
    QTest::mouseClick(button("btnProcessAll"), Qt::LeftButton);
    const std::string summary = "Wrote 2 scripts, 93 objects. Skipped: Vegetation_5 (no Max file), "
                                "Vegetation_7 (no Max file), Vegetation_12 (disabled).";
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].ends_with("\nVegetation_12: skipped (disabled)"))
        << platform.messages[0];
    EXPECT_EQ(window().statusLine()->currentMessage(), QString::fromStdString(summary));
    EXPECT_TRUE(std::filesystem::exists(dir.file("Valley_MainVeg_02.ms")));
}

// The picture of the dialog the help and the README show: three kinds with three Max files. Runs only
// when TES_SCREENSHOT_DIR names the folder to write kinds.png into.
TEST_F(KindsDialogTest, ScreenshotOfTheKindsDialog) {
    const char* folder = std::getenv("TES_SCREENSHOT_DIR");
    if (folder == nullptr)
        GTEST_SKIP() << "set TES_SCREENSHOT_DIR to draw the picture";
    ctx().kindsTable.set({"1", "D:\\Models\\Pine.max", "", true});
    ctx().kindsTable.set({"2", "D:\\Models\\Birch.max", "", true});
    KindRow oak{"5", "D:\\Models\\Trees.max", "Oak_01", true};
    oak.plants.turn = ValueRange{0, 360};
    oak.plants.scale = ValueRange{80, 120};
    oak.plants.variants = {{"D:\\Models\\Trees.max", "Oak_02", 1}, {"D:\\Models\\Old Oak.max", "", 2}};
    oak.plants.thinning = {60, 400, 30};
    oak.plants.detail = {"D:\\Models\\Oak far.max", "", 400, 1200};
    ctx().kindsTable.set(oak);
    ctx().kindsTable.set({"7", "", "", false});
    ctx().joinAllScripts = true;
    withDialog([&](KindsDialog& dialog) {
        dialog.table()->setCurrentIndex(dialog.table()->model()->index(2, KindsModel::MaxFile));
        QCoreApplication::processEvents();
        EXPECT_TRUE(dialog.grab().save(QString::fromLocal8Bit(folder) + QStringLiteral("/kinds.png")));
        dialog.reject();
    });
}

} // namespace
} // namespace tes::test
