#include "lib/line_list.h"
#include "ui/combiner/line_list_model.h"
#include "ui/main/output_pane.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QItemSelection>
#include <QTest>

namespace tes {
namespace {

struct JoinCase {
    std::vector<std::pair<int, int>> ranges; // first and last row, in the order selected
    const char* text;
};

TEST(JoinedLines, GivesEachSelectedRowOnceInRowOrderJoinedByCrLf) {
    LineList lines;
    for (const char* line : {"a", "b", "", "d"})
        lines.append(line);
    LineListModel model(lines, nullptr);
    const JoinCase cases[] = {
        {{}, ""},
        {{{3, 3}, {0, 1}}, "a\r\nb\r\nd"},
        {{{0, 2}, {1, 3}}, "a\r\nb\r\n\r\nd"},
        {{{2, 2}}, ""},
    };
    for (const JoinCase& c : cases) {
        QItemSelection selection;
        for (const auto& [first, last] : c.ranges)
            selection.select(model.index(first), model.index(last));
        EXPECT_EQ(JoinedLines(lines, selection).toStdString(), c.text);
    }
}

class OutputPaneTest : public ::testing::Test {
protected:
    OutputPaneTest() {
        for (const char* line : {"first", "second", "third"})
            lines.append(line);
        pane.refresh();
        pane.show();
    }
    QAction* action(const char* text) const {
        for (QAction* a : pane.actions())
            if (a->text() == QLatin1String(text))
                return a;
        ADD_FAILURE() << "no menu item " << text;
        return nullptr;
    }

    LineList lines;
    OutputPane pane{lines, nullptr};
};

TEST_F(OutputPaneTest, CopyAllNeedsNoSelectionAndCtrlAThenCtrlCCopiesTheSame) {
    const QString all = QStringLiteral("first\r\nsecond\r\nthird");
    EXPECT_FALSE(action("Copy")->isEnabled()) << "nothing selected";
    action("Copy All")->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), all);
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(&pane, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&pane, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), all);
}

TEST_F(OutputPaneTest, OpenContainingFolderOpensTheFolderSetThroughTheOwner) {
    std::vector<std::string> opened;
    pane.setFolderOpener([&](const std::string& folder) { opened.push_back(folder); });
    EXPECT_FALSE(action("Open Containing Folder")->isEnabled()) << "no folder yet";
    pane.setContainingFolder("C:\\Projects\\Valley");
    action("Open Containing Folder")->trigger();
    EXPECT_EQ(opened, std::vector<std::string>{"C:\\Projects\\Valley"});
}

// An empty pane draws no current line, so the focus must show some other way.
TEST(OutputPaneFocus, AnEmptyPaneShowsThatItHasTheFocus) {
    LineList none;
    QWidget window;
    OutputPane pane(none, &window);
    auto* other = new QWidget(&window);
    other->setFocusPolicy(Qt::StrongFocus);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    other->setFocus();
    const QImage without = pane.grab().toImage();
    QTest::keyClick(other, Qt::Key_Tab);
    ASSERT_TRUE(pane.hasFocus());
    EXPECT_NE(pane.grab().toImage(), without);
}

} // namespace
} // namespace tes
