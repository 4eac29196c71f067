#include "lib/line_list.h"
#include "ui/line_list_view.h"
#include "ui/main/records_table.h"

#include <gtest/gtest.h>
#include <string>

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QHeaderView>
#include <QTest>

namespace tes {
namespace {

class RecordsTableTest : public ::testing::Test {
protected:
    RecordsTableTest() {
        for (int i = 0; i < 1000; ++i)
            records.append(std::to_string(i % 10) + ",1.5,2.5,3.5");
        records.append("12,-123456.123456,2.5,3.5,a tree with a long name");
        table.resize(400, 200);
        table.show();
        table.refresh();
    }

    LineList records;
    RecordsTable table{records, nullptr};
};

TEST_F(RecordsTableTest, ColumnsWidenToTheLongestTextOfTheRowsShown) {
    table.scrollToBottom();
    EXPECT_GE(table.horizontalHeader()->sectionSize(RecordsModel::More),
              table.fontMetrics().horizontalAdvance(QStringLiteral("a tree with a long name")));
}

TEST_F(RecordsTableTest, TheColumnsTakeTheWidthOfAWiderTable) {
    table.resize(1600, 200);
    QCoreApplication::processEvents();
    EXPECT_GE(table.horizontalHeader()->length(), table.viewport()->width());
}

TEST_F(RecordsTableTest, ClicksSelectWholeRowsAndCtrlCCopiesTheirLinesInRowOrder) {
    const auto click = [&](int row, Qt::KeyboardModifiers modifiers) {
        const QRect cell = table.visualRect(table.model()->index(row, RecordsModel::Y));
        QTest::mouseClick(table.viewport(), Qt::LeftButton, modifiers, cell.center());
    };
    click(2, Qt::NoModifier);
    click(0, Qt::ControlModifier);
    EXPECT_TRUE(table.selectionModel()->isRowSelected(0) && table.selectionModel()->isRowSelected(2));
    QTest::keyClick(&table, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("0,1.5,2.5,3.5\r\n2,1.5,2.5,3.5"));
}

// A million rows and more come in batches between events; selecting all waits for none of them.
TEST(RecordsTable, SelectAllTakesRowsNotYetLetIn) {
    LineList records;
    for (int i = 0; i < 1'500'000; ++i)
        records.append("7,1,2,3");
    RecordsTable table(records, nullptr);
    table.refresh();
    ASSERT_LT(table.model()->rowCount(), 1'500'000);
    table.selectAll();
    EXPECT_EQ(table.model()->rowCount(), 1'500'000);
    EXPECT_TRUE(table.selectionModel()->isRowSelected(1'499'999));
}

// Qt resizes rows one by one when their common height changes: a hundred thousand took seconds.
TEST(RecordsTable, RowsAreAsHighAsAListBoxsInTheSameFontAlsoAfterItChanges) {
    LineList records;
    for (int i = 0; i < 100'000; ++i)
        records.append("7,1,2,3");
    RecordsTable table(records, nullptr);
    table.refresh();
    QFont font = table.font();
    font.setPointSize(font.pointSize() * 2);
    QElapsedTimer clock;
    clock.start();
    table.setFont(font);
    EXPECT_LT(clock.elapsed(), 1000);

    LineListView list(records, nullptr);
    list.setFont(font);
    list.refresh();
    EXPECT_EQ(table.rowHeight(99'999), list.visualRect(list.model()->index(0, 0)).height());
}

} // namespace
} // namespace tes
