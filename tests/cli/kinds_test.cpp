#include "cli_run.h"
#include "lib/file_access.h"
#include "project/kinds_table.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
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
    const std::string old = dir.write("P_MainVeg_05.ms", "old\r\n");
    const CliRun run = RunEnviroScript(args);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.err, c.err);
    if (std::find(c.scripts.begin(), c.scripts.end(), "05") == c.scripts.end()) {
        EXPECT_EQ(ReadBytes(old), "old\r\n") << "a kind not built keeps its script";
    }
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
                        "characters (the fast script takes a name with an apostrophe: --fast))\n",
                        1},
                    // A row with a value that cannot be read is not built until it is mended.
                    TableBuildCase{"UnreadableRow",
                                   kPine + "Turn=0:36O\r\n" + kOak,
                                   {},
                                   {"12"},
                                   {"max move"},
                                   "Vegetation_5: Turn=0:36O in P.tes.ini is not FROM:TO\nFailed "
                                   "Vegetation_5 (Turn=0:36O in P.tes.ini is not FROM:TO)\n",
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

const std::string kHeader =
    "number\tname\trecords\tmax file\tobject\tenabled\tturn\tscale\tweight\tvariants\tkeep\tthin "
    "beyond\tkeep far\tfar model\tfar from\tbox from\tstand\tmin height\tmax height\n";
// Every plant kept, as it is, standing by default, at any height.
const std::string kAll = "\t100\t0\t100\t\t0\t0\t\t\t\n";
const std::string kNoRows = "5\tPine\t2\t\t\t1\t\t\t1\t" + kAll + "12\tOak\t1\t\t\t1\t\t\t1\t" + kAll;

TEST(Kinds, ListsTheTilesKindsThenTheTablesOthers) {
    TempDir dir;
    const std::string prj = SmallProject().writeTo(dir);
    EXPECT_EQ(RunEnviroScript({"kinds", prj}).out, kHeader + kNoRows + "seed\t1\n");

    // What cannot be read shows as the file has it.
    dir.write("P.tes.ini", kOak + "Turn=-5:5\r\nVariant1=a.max||2\r\nVariant2=b.max\r\nWeight=x\r\n"
                                  "[Vegetation_09]\r\nMaxFile=D:\\Rock.max\r\nEnabled=0\r\nScale=50:70\r\n"
                                  "[Variation]\r\nSeed=-3\r\n");
    const CliRun run = RunEnviroScript({"kinds", prj});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, kHeader + "5\tPine\t2\t\t\t1\t\t\t1\t" + kAll +
                           "12\tOak\t1\tC:\\M\\Oak.max\tOld Oak\t1\t-5:5\t\tx\ta.max||2; b.max" + kAll +
                           "9\t\t0\tD:\\Rock.max\tRock\t0\t\t50:70\t1\t" + kAll + "seed\t-3\n");
}

using Row = std::tuple<std::string, std::string, std::string, bool>;

struct SetCase {
    const char* name;
    Strings options;
    std::vector<Row> rows; // the table afterwards: number, Max file, object, enabled
    std::string out;       // the row as `kinds` prints it
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
    EXPECT_EQ(run.out, GetParam().out);
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
                "7\t\t0\tC:\\M\\Fern.max\tFern\t1\t\t\t1\t" + kAll,
                "Kind 7 is not on this tile; its row is written for the tiles that have it.\n"},
        SetCase{"KeepsTheFile",
                {"05", "--object", "Tall Pine", "--disable"},
                {{"5", "C:\\M\\Pine.max", "Tall Pine", false}, kOakRow},
                "5\tPine\t2\tC:\\M\\Pine.max\tTall Pine\t0\t\t\t1\t" + kAll},
        SetCase{"NegativeTurn",
                {"5", "--turn", "-30:30"},
                {{"5", "C:\\M\\Pine.max", "Pine", true}, kOakRow},
                "5\tPine\t2\tC:\\M\\Pine.max\tPine\t1\t-30:30\t\t1\t" + kAll},
        SetCase{"NewFileKeepsTheObject",
                {"12", "--max-file", "C:\\M\\Elm.max"},
                {{"5", "C:\\M\\Pine.max", "Pine", true}, {"12", "C:\\M\\Elm.max", "Old Oak", true}},
                "12\tOak\t1\tC:\\M\\Elm.max\tOld Oak\t1\t\t\t1\t" + kAll}),
    [](const testing::TestParamInfo<SetCase>& info) { return info.param.name; });

// The row's values become those given, and their faults are gone: the same options again leave the
// same bytes.
TEST(Kinds, SetTwiceWritesTheSameTable) {
    TempDir dir;
    const std::string prj = SmallProject().writeTo(dir);
    const std::string table =
        dir.write("P.tes.ini", kPine + "Variant1=c.max||1\r\n" + kOak + "Variant1=c.max||1\r\nScale=x\r\n");
    const Strings five{"kinds",     prj,         "--set",    "5", "--variant", "a.max||0",
                       "--variant", "b.max|B|3", "--weight", "0", "--turn",    "0:360"};
    const Strings twelve{"kinds", prj, "--set", "12", "--clear-variants", "--scale", "80:120", "--disable"};
    Strings bytes;
    for (int run = 0; run < 2; ++run) {
        EXPECT_EQ(RunEnviroScript(five).status + RunEnviroScript(twelve).status, 0);
        bytes.push_back(ReadBytes(table));
    }
    EXPECT_EQ(bytes[0], bytes[1]);
    EXPECT_EQ(RunEnviroScript({"kinds", prj}).out,
              kHeader + "5\tPine\t2\tC:\\M\\Pine.max\tPine\t1\t0:360\t\t0\ta.max||0; b.max|B|3" + kAll +
                  "12\tOak\t1\tC:\\M\\Oak.max\tOld Oak\t0\t\t80:120\t1\t" + kAll + "seed\t1\n");
}

// An --set that changes nothing leaves the file untouched (the same inode and time, set an hour back so
// that a rewrite shows) and prints the row as the first run did.
TEST(Kinds, IdenticalSetLeavesTheFileUntouched) {
    TempDir dir;
    const std::string prj = SmallProject().writeTo(dir);
    const std::string table = dir.write("P.tes.ini", kPine + "; my note\r\n" + kOak);
    const Strings args{"kinds", prj, "--set", "12", "--keep", "30"};
    const CliRun first = RunEnviroScript(args);
    EXPECT_EQ(first.out, "12\tOak\t1\tC:\\M\\Oak.max\tOld Oak\t1\t\t\t1\t\t30\t0\t100\t\t0\t0\t\t\t\n");
    const auto past = std::filesystem::last_write_time(PathFromUtf8(table)) - std::chrono::hours(1);
    std::filesystem::last_write_time(PathFromUtf8(table), past);
    struct stat before {
    }, after{};
    ::stat(table.c_str(), &before);
    EXPECT_EQ(RunEnviroScript(args).out, first.out);
    ::stat(table.c_str(), &after);
    EXPECT_EQ(std::filesystem::last_write_time(PathFromUtf8(table)), past);
    EXPECT_EQ(after.st_ino, before.st_ino);
}

// Views and thinning set from the command line: the same options again leave the same bytes, and
// `kinds` prints them.
TEST(Kinds, ViewsAndThinningTwiceWriteTheSameTable) {
    TempDir dir;
    const std::string prj = SmallProject().writeTo(dir);
    const std::string table = dir.write("P.tes.ini", kPine + "Keep=x\r\n[View3]\r\nFov=1000\r\n");
    const std::vector<Strings> runs = {
        {"kinds", prj, "--set", "12", "--far-model", "F.max", "--far-from", "300", "--box-from", "5e2"},
        {"kinds", prj, "--set", "12", "--far-model", "C:\\F.max|Oak far"},
        {"kinds", prj, "--no-view"},
        {"kinds", prj, "--view", "-10.5,0:0,20", "--fov", "60", "--far", "900"},
        {"kinds", prj, "--add-view", "1,1:2,1", "--margin", "0", "--keep-radius", "50"},
        {"kinds", prj, "--set", "5", "--keep", "60", "--thin-beyond", "400", "--keep-far", "20"},
    };
    Strings bytes;
    for (int run = 0; run < 2; ++run) {
        for (const Strings& args : runs)
            EXPECT_EQ(RunEnviroScript(args).status, 0);
        bytes.push_back(ReadBytes(table));
    }
    EXPECT_EQ(bytes[0], bytes[1]);
    EXPECT_EQ(
        RunEnviroScript({"kinds", prj}).out,
        kHeader +
            "5\tPine\t2\tC:\\M\\Pine.max\tPine\t1\t\t\t1\t\t60\t400\t20\t\t0\t0\t\t\t\n12\tOak\t1\t\t\t1"
            "\t\t\t1\t\t100\t0\t100\tC:\\F.max|Oak far\t300\t500\t\t\t\n"
            "seed\t1\nview\t1\t-10.5,0:0,20\tfov 60\tmargin 10\tkeep radius 0\tfar 900\n"
            "view\t2\t1,1:2,1\tfov 45\tmargin 0\tkeep radius 50\tfar 0\n");
}

// --stand writes the stand in lower case and auto removes it; `kinds` prints it, and another word is
// refused, naming the option, before the table is touched.
TEST(Kinds, StandIsSetPrintedAndRefused) {
    TempDir dir;
    const std::string prj = SmallProject().writeTo(dir);
    const std::string table = dir.write("P.tes.ini", kPine + kOak);
    const struct {
        const char* word;
        int status;
        std::string file;    // the table afterwards
        const char* printed; // kind 5's stand
    } cases[] = {{"Base", 0, kPine + "Stand=base\r\n" + kOak, "base"},
                 {"upright", 2, kPine + "Stand=base\r\n" + kOak, "base"},
                 {"auto", 0, kPine + kOak, ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.word);
        const CliRun run = RunEnviroScript({"kinds", prj, "--set", "5", "--stand", c.word});
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.err.starts_with("enviro-script: --stand: upright is not pivot, base or auto\n"),
                  c.status == 2);
        EXPECT_EQ(ReadBytes(table), c.file);
        // The stand's column, the third from the end.
        std::string five = Lines(RunEnviroScript({"kinds", prj}).out).at(1);
        for (int column = 0; column < 2; ++column)
            five.resize(five.rfind('\t'));
        EXPECT_EQ(five.substr(five.rfind('\t') + 1), c.printed);
    }
}

// --view and --no-view stand for the table's views in one run, a faulty one too, and leave the table
// as it is.
TEST(TableBuild, ViewsOfTheRunReplaceTheTables) {
    TempDir dir;
    const std::string prj = SmallProject().writeTo(dir);
    const std::string before = kPine + "[View1]\r\nCamera=0,0\r\nTarget=1,0\r\nFov=200\r\n";
    const std::string table = dir.write("P.tes.ini", before);
    const struct {
        Strings options;
        int status;
        int plants; // of kind 5 in its script
    } cases[] = {{{}, 1, 0}, {{"--view", "0,0:60,40", "--fov", "10"}, 0, 1}, {{"--no-view"}, 0, 2}};
    for (const auto& c : cases) {
        Strings args{"build", prj, "--all", "--fast"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        dir.write("P_MainVeg_05.ms", "");
        EXPECT_EQ(RunEnviroScript(args).status, c.status) << c.plants;
        const std::string script = ReadBytes(dir.file("P_MainVeg_05.ms"));
        EXPECT_EQ(script.find("[60.000000,40.000000,10") != std::string::npos, c.plants >= 1) << script;
        EXPECT_EQ(script.find("[-40.000000,-60.000000,2.5") != std::string::npos, c.plants == 2) << script;
        EXPECT_EQ(ReadBytes(table), before);
    }
}

// A table that cannot be read is not replaced by the one row.
// Records written 5 and 05 are one kind here, as in the Kinds dialog; the window's list, and so
// info, offers it twice.
TEST(Kinds, AKindWrittenTwoWaysIsOneRow) {
    TempDir dir;
    SmallProject project;
    project.txt += "05,650,0,650\r\n";
    const std::string prj = project.writeTo(dir);
    EXPECT_EQ(RunEnviroScript({"kinds", prj}).out, kHeader + kNoRows + "seed\t1\n");
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
