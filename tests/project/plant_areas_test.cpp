// The [AreaN] sections of the kinds table: each value's reading with its reasons, an area that cannot
// be read kept as written and refusing the kinds it may act on, and saves that change only its lines.
#include "project/area_keys.h"
#include "project/kinds_table.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <string>

namespace tes::test {
namespace {

TEST(AreaKeys, ReadsOrSaysWhyNot) {
    const std::string many = [] {
        std::string text;
        for (int i = 0; i < 100000; ++i)
            text += std::to_string(i % 97) + "," + std::to_string(i % 89) + " ";
        return text;
    }();
    const struct {
        const char* section; // the lines after [Area1]
        const char* fault;   // the load's notice; empty: read
    } cases[] = {
        {"Points=0,0 10,0 10,10\r\nWidth=\r\nMode=Include\r\nKinds=01, 5\r\nFalloff=2.5\r\n", ""},
        {"Points=0,0  10,0\t10,10\r\nWidth=0\r\n", ""},
        {"Width=4\r\n", "Area1: Points= in T.tes.ini is not X,Y X,Y ..."},
        {"Points=0,0 10;0 10,10\r\n",
         "Area1: Points=0,0 10;0 10,10 in T.tes.ini has a point, \"10;0\", that is not X,Y"},
        {"Points=0,0 nan,0 10,10\r\n",
         "Area1: Points=0,0 nan,0 10,10 in T.tes.ini has a point, \"nan,0\", that is not X,Y"},
        {"Points=0,0 1e999,0 10,10\r\n",
         "Area1: Points=0,0 1e999,0 10,10 in T.tes.ini has a point, \"1e999,0\", that is not X,Y"},
        {"Points=0,0 10,0\r\nWidth=1e308\r\n",
         "Area1: Width=1e308 in T.tes.ini is not a number from 0 to 1000000000"},
        {"Points=0,0 10,0\r\nWidth=-1\r\n",
         "Area1: Width=-1 in T.tes.ini is not a number from 0 to 1000000000"},
        {"Points=0,0 10,0 5,5\r\nFalloff=abc\r\n",
         "Area1: Falloff=abc in T.tes.ini is not a number from 0 to 1000000000"},
        {"Points=0,0 10,0 5,5\r\nMode=inside\r\n",
         "Area1: Mode=inside in T.tes.ini is not exclude or include"},
        {"Points=0,0 10,0 5,5\r\nKinds=1,,5\r\n",
         "Area1: Kinds=1,,5 in T.tes.ini is not kind numbers apart by commas (1,5)"},
        {"Points=0,0 10,0\r\n",
         "Area1 in T.tes.ini: a closed area needs three points or more (give a Width for a line)"},
        {"Points=0,0 5,5 10,10 -2,-2\r\n",
         "Area1 in T.tes.ini: its points all lie on one line, so it encloses nothing"},
        {"Points=3,3\r\nWidth=2\r\n", "Area1 in T.tes.ini: a line needs two points or more"},
    };
    const TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.section);
        Messages messages;
        const KindsTable table =
            KindsTable::Read(dir.write("T.tes.ini", std::string("[Area1]\r\n") + c.section), messages);
        ASSERT_EQ(table.areaSections().size(), 1u);
        EXPECT_EQ(messages.empty() ? "" : messages.front().text, c.fault);
        EXPECT_EQ(table.areas().size(), *c.fault ? 0u : 1u);
    }
    Messages messages;
    const KindsTable first = KindsTable::Read(dir.write("T.tes.ini", "[Area1]\r\nPoints=0,0 10,0 10,10\r\n"
                                                                     "Mode=Include\r\nKinds=01, 5\r\n"),
                                              messages);
    EXPECT_EQ(first.areas().at(0),
              (PlantArea{{{0, 0}, {10, 0}, {10, 10}}, std::nullopt, AreaMode::include, {"1", "5"}, 0}));
    EXPECT_EQ(ReadAreaPoints(many).problem, "has 100000 points, more than 10000");
}

// An area that cannot be read refuses the kinds it may act on, and only those.
TEST(AreaKeys, AnUnreadableAreaRefusesItsKinds) {
    const TempDir dir;
    Messages messages;
    const KindsTable table = KindsTable::Read(
        dir.write("T.tes.ini",
                  "[Vegetation_5]\r\nMaxFile=a.max\r\n[Area1]\r\nPoints=0,0 1,0 x\r\nKinds=5\r\n"
                  "[Area2]\r\nPoints=0,0 1,0 1,1\r\nKinds=7\r\nWidth=-1\r\n[Area3]\r\nPoints=0,0\r\n"
                  "Kinds=8,x\r\n"),
        messages);
    EXPECT_EQ(messages.size(), 3u);
    EXPECT_EQ(table.unreadableKind("5"),
              "Area1: Points=0,0 1,0 x in T.tes.ini has a point, \"x\", that is not X,Y");
    EXPECT_EQ(table.unreadableKind("07"),
              "Area2: Width=-1 in T.tes.ini is not a number from 0 to 1000000000");
    // Kinds that cannot be read may name any kind.
    EXPECT_EQ(table.unreadableKind("9"),
              "Area3: Kinds=8,x in T.tes.ini is not kind numbers apart by commas (1,5)");
    EXPECT_EQ(table.faultCount(), 3u);
}

// Areas set and removed change only their own sections; the others stay as written, faulty ones too.
TEST(AreaKeys, ASaveChangesOnlyTheAreasChanged) {
    const TempDir dir;
    const std::string faulty = "[Area2]\r\n; the river\r\nPoints=0,0 x\r\nWidth=8\r\n";
    const std::string kept = "[Area10]\r\nPoints=0,0 5,0 5,5\r\n";
    const std::string path = dir.write("T.tes.ini", "[Area1]\r\nPoints=1,1 2,2 3,1\r\n" + faulty + kept);
    Messages messages;
    KindsTable table = KindsTable::Read(path, messages);
    ASSERT_EQ(table.areaSections().size(), 3u);
    table.removeArea(0);
    table.setArea(3, {{{-1.5, 0}, {4, 0}}, 6, AreaMode::include, {"3", "12"}, 2});
    table.write(path);
    const std::string added =
        "[Area11]\r\nPoints=-1.5,0 4,0\r\nWidth=6\r\nMode=include\r\nKinds=3,12\r\nFalloff=2\r\n";
    EXPECT_EQ(ReadBytes(path), faulty + kept + added);
    // Mending the faulty one writes its keys in place; the comment stays.
    table.setArea(0, {{{0, 0}, {9, 0}}, 8, AreaMode::exclude, {}, 0});
    table.write(path);
    EXPECT_EQ(ReadBytes(path),
              "[Area2]\r\n; the river\r\nPoints=0,0 9,0\r\nWidth=8\r\nMode=exclude\r\nFalloff=0\r\n" + kept +
                  added);
    table.removeAreas();
    table.write(path);
    EXPECT_EQ(ReadBytes(path), "");
}

} // namespace
} // namespace tes::test
