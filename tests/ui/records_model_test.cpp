#include "lib/line_list.h"
#include "ui/main/records_model.h"

#include <array>
#include <gtest/gtest.h>
#include <limits>
#include <string_view>

#include <QAbstractItemModelTester>

namespace tes {
namespace {

struct SplitCase {
    std::string_view line;
    std::array<std::string_view, RecordsModel::ColumnCount> columns; // Kind, X, Y, Z, More
};

TEST(RecordColumn, SplitsAtTheCommasAndKeepsTheRestAfterZ) {
    const SplitCase cases[] = {
        {"7,1914.988528,90.718407,3150.864711", {"7", "1914.988528", "90.718407", "3150.864711", ""}},
        {"1,2,3,4,name,more,fields", {"1", "2", "3", "4", "name,more,fields"}},
        {"5,,-2,", {"5", "", "-2", "", ""}},
        {"12,3.5", {"12", "3.5", "", "", ""}},
        {"", {"", "", "", "", ""}},
    };
    for (const SplitCase& c : cases) {
        for (int column = 0; column < RecordsModel::ColumnCount; ++column)
            EXPECT_EQ(RecordColumn(c.line, column), c.columns[static_cast<std::size_t>(column)])
                << c.line << " column " << column;
    }
}

TEST(RecordsModel, ShowsEachLineAsOneRowOfFiveColumnsUnderTheirNames) {
    LineList lines;
    lines.append("7,1.5,2.5,3.5");
    lines.append("8,4,5,6,a\nb");
    RecordsModel model(lines, nullptr);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);

    QStringList names;
    for (int column = 0; column < model.columnCount(); ++column)
        names << model.headerData(column, Qt::Horizontal).toString();
    EXPECT_EQ(names.join(QLatin1Char(' ')), QStringLiteral("Kind X Y Z More"));
    EXPECT_EQ(model.index(0, RecordsModel::Y).data().toString(), QStringLiteral("2.5"));
    EXPECT_EQ(model.index(1, RecordsModel::More).data().toString(), QStringLiteral("a b")) << "one line high";
}

TEST(RecordsModel, LetsTheRowsInABatchAtATime) {
    LineList lines;
    for (int i = 0; i < 5; ++i)
        lines.append("7,1,2,3");
    RecordsModel model(lines, nullptr);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.reload(2);
    EXPECT_EQ(model.rowCount(), 2);
    EXPECT_TRUE(model.showMoreRows(2));
    EXPECT_EQ(model.rowCount(), 4);
    EXPECT_FALSE(model.showMoreRows(std::numeric_limits<std::size_t>::max()));
    EXPECT_EQ(model.rowCount(), 5);
}

} // namespace
} // namespace tes
