#include "cli_run.h"
#include "project/kinds_table.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <tuple>

namespace tes::test {
namespace {

using Strings = std::vector<std::string>;

// The small project's kinds 5 (2 records) and 12 (1 record), with P.tes.ini beside it.
struct TableBuildCase {
    const char* name;
    std::string table;
    Strings options;
    Strings scripts;  // the scripts printed, by their number
    Strings contains; // a line of each of them
    std::string err;
    int status;
};

class TableBuildTest : public testing::TestWithParam<TableBuildCase> {};

TEST_P(TableBuildTest, EachKindTakesItsRow) {
    const TableBuildCase& c = GetParam();
    TempDir dir;
    Strings args{"build", SmallProject().writeTo(dir), "--all"};
    dir.write("P.tes.ini", c.table);
    dir.write("other.ini", "[Vegetation_12]\r\nMaxFile=C:\\M\\Elm.max\r\n");
    for (const std::string& option : c.options)
        args.push_back(option == "other.ini" ? dir.file(option) : option);
    const CliRun run = RunEnviroScript(args);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.err, c.err);
    std::string printed;
    for (std::size_t i = 0; i < c.scripts.size(); ++i) {
        const std::string script = dir.file("P_MainVeg_" + c.scripts[i] + ".ms");
        printed += script + "\n";
        EXPECT_NE(ReadBytes(script).find("\r\n" + c.contains[i] + "\r\n"), std::string::npos)
            << c.contains[i];
    }
    EXPECT_EQ(run.out, printed);
}

const std::string kPine = "[Vegetation_5]\r\nMaxFile=C:\\M\\Pine.max\r\n";
const std::string kOak = "[Vegetation_12]\r\nMaxFile=C:\\M\\Oak.max\r\nObjectName=Old Oak\r\n";

INSTANTIATE_TEST_SUITE_P(
    Rows, TableBuildTest,
    testing::Values(TableBuildCase{"Rows",
                                   kPine + kOak,
                                   {"--max-file", "C:\\M\\Fern.max"},
                                   {"05", "12"},
                                   {"mergeMAXFile \"C:\\M\\PINE.MAX\" #mergeDups #select #noredraw",
                                    "$'Old Oak'.pos = [-110.000000,120.000000,0.000000]"},
                                   "",
                                   0},
                    TableBuildCase{"TypedFileAndObjectForARowWithoutFile",
                                   kPine + "[Vegetation_12]\r\nObjectName=Old Oak\r\n",
                                   {"--max-file", "C:\\M\\Fern.max", "--object", "Frond"},
                                   {"05", "12"},
                                   {"$Pine.pos = [60.000000,40.000000,10.000000]",
                                    "$Frond.pos = [-110.000000,120.000000,0.000000]"},
                                   "",
                                   0},
                    TableBuildCase{"OtherTable",
                                   kPine,
                                   {"--kinds", "other.ini"},
                                   {"12"},
                                   {"$Elm.pos = [-110.000000,120.000000,0.000000]"},
                                   "Skipped Vegetation_5 (no Max file)\n",
                                   0},
                    TableBuildCase{"Skipped",
                                   kPine + "Enabled=0\r\n",
                                   {"--max-file", "C:\\M\\Fern.max"},
                                   {"12"},
                                   {"mergeMAXFile \"C:\\M\\FERN.MAX\" #mergeDups #select #noredraw"},
                                   "Skipped Vegetation_5 (disabled)\n",
                                   0},
                    // One kind's refusal ends only that kind.
                    TableBuildCase{
                        "Failed",
                        "[Vegetation_5]\r\nMaxFile=C:\\M\\Pine.max\r\nObjectName=Pine's\r\n" + kOak,
                        {},
                        {"12"},
                        {"max move"},
                        "Failed Vegetation_5 (Please specify a Max object name without quotes or control "
                        "characters)\n",
                        1}),
    [](const testing::TestParamInfo<TableBuildCase>& info) { return info.param.name; });

// Not saved, each script's lines are printed in the list's order.
TEST(TableBuild, NoSavePrintsTheLines) {
    TempDir dir;
    const std::string prj = SmallProject().writeTo(dir);
    dir.write("P.tes.ini", kPine + kOak);
    const CliRun run = RunEnviroScript({"build", prj, "--all", "--no-save"});
    EXPECT_EQ(run.status, 0) << run.err;
    const Strings lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 20u + 17u);
    EXPECT_EQ(lines[1], "-- Script File Name:  P_MainVeg_05.ms");
    EXPECT_EQ(lines[21], "-- Script File Name:  P_MainVeg_12.ms");
    EXPECT_EQ(dir.entries(), (Strings{"P.est", "P.prj", "P.scn", "P.tes.ini", "P.txt"}));
}

TEST(Kinds, ListsTheTilesKindsThenTheTablesOthers) {
    TempDir dir;
    const std::string prj = SmallProject().writeTo(dir);
    const std::string header = "number\tname\trecords\tmax file\tobject\tenabled\n";
    EXPECT_EQ(RunEnviroScript({"kinds", prj}).out, header + "5\tPine\t2\t\t\t1\n12\tOak\t1\t\t\t1\n");

    dir.write("P.tes.ini", kOak + "[Vegetation_09]\r\nMaxFile=D:\\Rock.max\r\nEnabled=0\r\n");
    const CliRun run = RunEnviroScript({"kinds", prj});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, header + "5\tPine\t2\t\t\t1\n12\tOak\t1\tC:\\M\\Oak.max\tOld Oak\t1\n"
                                "9\t\t0\tD:\\Rock.max\tRock\t0\n");
}

using Row = std::tuple<std::string, std::string, std::string, bool>;

struct SetCase {
    const char* name;
    Strings options;
    std::vector<Row> rows; // the table afterwards: number, Max file, object, enabled
    std::string err = {};
};

class KindsSetTest : public testing::TestWithParam<SetCase> {};

TEST_P(KindsSetTest, ChangesOneRowAndWritesTheTable) {
    TempDir dir;
    Strings args{"kinds", SmallProject().writeTo(dir), "--set"};
    args.insert(args.end(), GetParam().options.begin(), GetParam().options.end());
    dir.write("P.tes.ini", kPine + kOak);
    const CliRun run = RunEnviroScript(args);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, GetParam().err);
    Messages messages;
    std::vector<Row> rows;
    const KindsTable table = KindsTable::Read(dir.file("P.tes.ini"), messages);
    for (const KindRow& row : table.rows())
        rows.emplace_back(row.number, row.maxFile, row.object(), row.enabled);
    EXPECT_EQ(rows, GetParam().rows);
}

const Row kOakRow{"12", "C:\\M\\Oak.max", "Old Oak", true};

INSTANTIATE_TEST_SUITE_P(
    Rows, KindsSetTest,
    testing::Values(
        SetCase{"NewRow",
                {"7", "--max-file", "C:\\M\\Fern.max"},
                {{"5", "C:\\M\\Pine.max", "Pine", true}, kOakRow, {"7", "C:\\M\\Fern.max", "Fern", true}},
                "Kind 7 is not on this tile; its row is written for the tiles that have it.\n"},
        SetCase{"KeepsTheFile",
                {"05", "--object", "Tall Pine", "--disable"},
                {{"5", "C:\\M\\Pine.max", "Tall Pine", false}, kOakRow}},
        SetCase{"NewFileKeepsTheObject",
                {"12", "--max-file", "C:\\M\\Elm.max"},
                {{"5", "C:\\M\\Pine.max", "Pine", true}, {"12", "C:\\M\\Elm.max", "Old Oak", true}}}),
    [](const testing::TestParamInfo<SetCase>& info) { return info.param.name; });

// A table that cannot be read is not replaced by the one row.
// Records written 5 and 05 are one kind here, as in the Kinds dialog; the window's list, and so
// info, offers it twice.
TEST(Kinds, AKindWrittenTwoWaysIsOneRow) {
    TempDir dir;
    SmallProject project;
    project.txt += "05,650,0,650\r\n";
    const std::string prj = project.writeTo(dir);
    EXPECT_EQ(RunEnviroScript({"kinds", prj}).out,
              "number\tname\trecords\tmax file\tobject\tenabled\n5\tPine\t2\t\t\t1\n12\tOak\t1\t\t\t1\n");
    const std::vector<std::string> info = Lines(RunEnviroScript({"info", prj}).out);
    EXPECT_EQ(std::count(info.begin(), info.end(), "vegetation: Vegetation_5:  Pine"), 2);
}

TEST(Kinds, SetLeavesADamagedTableAlone) {
    TempDir dir;
    const std::string prj = SmallProject().writeTo(dir);
    const std::string damaged = dir.write("P.tes.ini", "[Vegetation_5]\r\nnot a key\r\n");
    const CliRun run = RunEnviroScript({"kinds", prj, "--set", "5", "--max-file", "a.max"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(ReadBytes(damaged), "[Vegetation_5]\r\nnot a key\r\n");
}

} // namespace
} // namespace tes::test
