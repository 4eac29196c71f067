#include "form/combiner_state.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"
#include "ui/combiner/combiner_window.h"
#include "ui/line_list_view.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QCoreApplication>
#include <QFontInfo>
#include <QGroupBox>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>

namespace tes {
namespace {

using Lines = std::vector<std::string>;

// One combiner window on a fake platform whose dialogs answer from a queue.
class CombinerWindowTest : public ::testing::Test {
protected:
    CombinerWindowTest() { window = std::make_unique<CombinerWindow>(state, nullptr); }

    QPushButton* button(const char* name) const {
        auto* b = window->findChild<QPushButton*>(QString::fromLatin1(name));
        EXPECT_NE(b, nullptr) << name;
        return b;
    }
    void addFile(const std::string& answer) {
        platform.dialogAnswers.push_back(answer);
        button("btnAddFile")->click();
    }
    void saveAs(const std::string& answer) {
        platform.dialogAnswers.push_back(answer);
        button("btnSaveAs")->click();
    }
    // What the list shows, row by row.
    Lines shown() const {
        Lines rows;
        const auto* model = window->list()->model();
        for (int row = 0; row < model->rowCount(); ++row)
            rows.push_back(model->index(row, 0).data().toString().toStdString());
        return rows;
    }

    test::TempDir dir;
    test::FakePlatform platform;
    std::string folder = dir.path().string();
    CombinerState state{platform, folder};
    std::unique_ptr<CombinerWindow> window;
};

struct AddCase {
    const char* name;
    std::string bytes;    // the script file on disk
    int times;            // how often it is added
    Lines rows;           // what the list then shows
    std::string combined; // the file Save As writes
    bool saveOverInput = false;
};

class CombinerAddAndSave : public CombinerWindowTest, public ::testing::WithParamInterface<AddCase> {};

TEST_P(CombinerAddAndSave, ListsEveryLineAndWritesThemBackWithCrLf) {
    const AddCase& c = GetParam();
    QAbstractItemModelTester tester(window->list()->model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    const std::string script = dir.write("part.ms", c.bytes);
    for (int i = 0; i < c.times; ++i)
        addFile(script);
    EXPECT_EQ(shown(), c.rows);

    const std::string target = c.saveOverInput ? script : dir.file("all.ms");
    saveAs(target);
    EXPECT_EQ(test::ReadBytes(target), c.combined);
    EXPECT_EQ(shown(), c.rows) << "saving leaves the list as it was";
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_FALSE(platform.waitCursor);
    EXPECT_EQ(platform.waitCursorHistory.size(), 2u * (c.times + 1)) << "set and reset for each command";
}

INSTANTIATE_TEST_SUITE_P(
    , CombinerAddAndSave,
    ::testing::Values(
        AddCase{"ThreeLinesGiveFiveItems",
                "a\r\nb\r\nc\r\n",
                1,
                {"a", "b", "c", "", ""},
                "a\r\nb\r\nc\r\n\r\n\r\n"},
        AddCase{"SameFileTwice",
                "x\r\ny\r\n",
                2,
                {"x", "y", "", "", "x", "y", "", ""},
                "x\r\ny\r\n\r\n\r\nx\r\ny\r\n\r\n\r\n"},
        AddCase{"EmptyFileAddsTheTwoEmptyItems", "", 1, {"", ""}, "\r\n\r\n"},
        AddCase{"SavedOverTheAddedFile", "a\r\nb\r\n", 1, {"a", "b", "", ""}, "a\r\nb\r\n\r\n\r\n", true},
        // A line feed alone does not end a line: the whole text is one item, shown on one row.
        AddCase{"LineFeedsOnlyMakeOneItem", "a\nb\nc\n", 1, {"a b c ", "", ""}, "a\nb\nc\n\r\n\r\n\r\n"},
        AddCase{"LastLineWithoutTerminator", "a\r\nlast", 1, {"a", "last", "", ""}, "a\r\nlast\r\n\r\n\r\n"},
        AddCase{"LeadingTabsAndBlanksKept",
                "\tmax move\r\n   $Tree.pos = [0,0,0]\r\n",
                1,
                {"\tmax move", "   $Tree.pos = [0,0,0]", "", ""},
                "\tmax move\r\n   $Tree.pos = [0,0,0]\r\n\r\n\r\n"},
        // Script files are Windows-1252: an accented letter is shown as itself and written back as it was.
        AddCase{"CodePageLettersRoundTrip",
                "-- Caf\xE9\r\n",
                1,
                {"-- Caf\xC3\xA9", "", ""},
                "-- Caf\xE9\r\n\r\n\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

struct CancelCase {
    const char* name;
    const char* button;
};

class CombinerCancel : public CombinerWindowTest, public ::testing::WithParamInterface<CancelCase> {};

TEST_P(CombinerCancel, ChangesNeitherTheListNorAnyFile) {
    const std::string script = dir.write("veg.ms", "keep\r\n");
    addFile(script);
    platform.waitCursorHistory.clear();

    button(GetParam().button)->click(); // no answer queued: the dialog is cancelled

    EXPECT_EQ(shown(), (Lines{"keep", "", ""}));
    EXPECT_EQ(test::ReadBytes(script), "keep\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_FALSE(platform.waitCursor);
    EXPECT_EQ(platform.waitCursorHistory, std::vector<bool>{false}) << "a cancel shows no wait pointer";
}

INSTANTIATE_TEST_SUITE_P(, CombinerCancel,
                         ::testing::Values(CancelCase{"AddFile", "btnAddFile"},
                                           CancelCase{"SaveAs", "btnSaveAs"}),
                         [](const auto& info) { return std::string(info.param.name); });

// An access key moves the focus to its button, as a click does, before the command runs.
TEST_F(CombinerWindowTest, AccessKeysTakeTheFocusFirst) {
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    for (const auto& [key, name] : {std::pair{Qt::Key_A, "btnAddFile"}, std::pair{Qt::Key_S, "btnSaveAs"}}) {
        QTest::keyClick(window.get(), key, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return platform.dialogRequests.size() == (key == Qt::Key_A ? 1u : 2u); }, 2000));
        EXPECT_EQ(QApplication::focusWidget(), button(name));
    }
}

TEST_F(CombinerWindowTest, AFailedSaveReportsOnceAndKeepsTheList) {
    addFile(dir.write("a.ms", "new line\r\n"));
    const std::string folder = dir.file("folder.ms");
    std::filesystem::create_directory(folder);
    saveAs(folder);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].rfind("Unexpected error in btnSaveAs \n\n", 0), 0u)
        << platform.messages[0];
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_EQ(shown(), (Lines{"new line", "", ""}));
    EXPECT_FALSE(platform.waitCursor);
}

// No cap on the number of lines: a script of a million lines is listed whole and saved whole.
TEST_F(CombinerWindowTest, AMillionLinesAddFine) {
    constexpr int kLines = 1'000'000;
    std::string bytes;
    bytes.reserve(kLines * 12);
    for (int i = 0; i < kLines; ++i)
        bytes += "$T" + std::to_string(i) + "\r\n";
    addFile(dir.write("big.ms", bytes));
    const QAbstractItemModel* model = window->list()->model();
    ASSERT_EQ(model->rowCount(), kLines + 2);
    EXPECT_EQ(model->index(kLines - 1, 0).data().toString().toStdString(), "$T999999");

    saveAs(dir.file("big-out.ms"));
    EXPECT_EQ(test::ReadBytes(dir.file("big-out.ms")), bytes + "\r\n\r\n");
    EXPECT_TRUE(platform.messages.empty());
    // The status line says what Save As did.
    auto* status = window->findChild<QStatusBar*>(QStringLiteral("statusLine"));
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->currentMessage().toStdString(), "Wrote " + dir.file("big-out.ms"));
}

TEST_F(CombinerWindowTest, LaysOutTheControlsInTwips) {
    EXPECT_EQ(window->objectName(), QStringLiteral("frmScriptCompiler"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Combine Scripts"));
    EXPECT_EQ(window->size(), QSize(553, 315)); // 8295 x 4425 twips and the status line
    EXPECT_EQ(window->minimumSize(), window->size()) << "drawn at its least size";

    struct Expected {
        const char* name;
        QString caption;
        QRect geometry;
    };
    const Expected buttons[] = {
        {"btnDone", QStringLiteral("&Done"), QRect(240, 264, 73, 25)},
        {"btnAddFile", QStringLiteral("&Add File"), QRect(88, 264, 73, 25)},
        {"btnSaveAs", QStringLiteral("&Save As"), QRect(392, 264, 73, 25)},
    };
    for (const Expected& e : buttons) {
        EXPECT_EQ(button(e.name)->text(), e.caption) << e.name;
        EXPECT_EQ(button(e.name)->geometry(), e.geometry) << e.name;
    }
    auto* frame = window->findChild<QGroupBox*>(QStringLiteral("frameCompiledMaxScript"));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->title(), QStringLiteral("Combine MAX Scripts into a Single Script"));
    EXPECT_EQ(frame->geometry(), QRect(8, 8, 537, 241));
    QListView* list = window->list();
    EXPECT_EQ(list->objectName(), QStringLiteral("lstMaxScripts"));
    EXPECT_EQ(list->parentWidget(), frame);
    EXPECT_EQ(list->geometry(), QRect(8, 16, 521, 214));

    // Larger by 100 x 40, the list takes the room and the buttons keep under it, spread as before.
    window->show();
    window->resize(653, 355);
    EXPECT_EQ(list->geometry(), QRect(8, 16, 621, 254));
    EXPECT_EQ(button("btnAddFile")->geometry(), QRect(88, 304, 73, 25));
    EXPECT_EQ(button("btnDone")->geometry(), QRect(290, 304, 73, 25));
    EXPECT_EQ(button("btnSaveAs")->geometry(), QRect(492, 304, 73, 25));
    EXPECT_TRUE(list->uniformItemSizes());
    EXPECT_EQ(list->font().pointSize(), 9);
    EXPECT_TRUE(QFontInfo(list->font()).fixedPitch());
}

TEST_F(CombinerWindowTest, TabsFromDoneThroughTheListToTheOtherButtons) {
    // The focus chain also holds widgets that never take the focus (the group box); skip them.
    std::vector<QWidget*> order;
    QWidget* w = button("btnDone");
    do {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled())
            order.push_back(w);
        w = w->nextInFocusChain();
    } while (w != button("btnDone"));
    EXPECT_EQ(order, (std::vector<QWidget*>{button("btnDone"), window->list(), button("btnAddFile"),
                                            button("btnSaveAs")}));
    EXPECT_EQ(window->focusWidget(), button("btnDone"));
}

TEST_F(CombinerWindowTest, LongLinesScrollSideways) {
    addFile(
        dir.write("long.ms", "mergeMAXFile \"" + std::string(300, 'X') + ".MAX\" #mergeDups #select\r\n"));
    window->show();
    QCoreApplication::processEvents();
    EXPECT_GT(window->list()->horizontalScrollBar()->maximum(), 0);
}

} // namespace
} // namespace tes
