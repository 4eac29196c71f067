#include "project/kinds_table.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

namespace tes::test {
namespace {

using namespace std::string_literals;

// A row as the tests compare it: number, Max file, the object it stands for, enabled.
using Row = std::tuple<std::string, std::string, std::string, bool>;

std::vector<Row> RowsOf(const KindsTable& table) {
    std::vector<Row> rows;
    for (const KindRow& row : table.rows())
        rows.emplace_back(row.number, row.maxFile, row.object(), row.enabled);
    return rows;
}

struct ReadCase {
    const char* name;
    std::string bytes;
    std::vector<Row> rows;
};

TEST(KindsTableRead, RowsComeInFileOrderWithTheObjectFollowingTheMaxFile) {
    const ReadCase cases[] = {
        {"file order, other sections aside",
         "[Vegetation_12]\r\nMaxFile=C:\\M\\Oak.max\r\nObjectName=Big Oak\r\n[Options]\r\nX=1\r\n"
         "[Vegetation_5]\r\nMaxFile=C:\\M\\Pine.max\r\n",
         {{"12", "C:\\M\\Oak.max", "Big Oak", true}, {"5", "C:\\M\\Pine.max", "Pine", true}}},
        {"empty object name",
         "[Vegetation_5]\nMaxFile=C:\\M\\Pine.max\nObjectName=\n",
         {{"5", "C:\\M\\Pine.max", "Pine", true}}},
        {"disabled", "[Vegetation_5]\r\nMaxFile=a.max\r\nEnabled=0\r\n", {{"5", "a.max", "a", false}}},
        {"leading zeros",
         "; mine\r\n[Vegetation_05]\r\nMaxFile=a.max\r\nEnabled=1\r\n",
         {{"5", "a.max", "a", true}}},
        {"row without a file", "[Vegetation_7]\r\n", {{"7", "", "", true}}},
        {"no kinds", "[Options]\r\nX=1\r\n", {}},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        Messages messages;
        const KindsTable table = KindsTable::Read(dir.write("P.tes.ini", c.bytes), messages);
        EXPECT_EQ(RowsOf(table), c.rows);
        EXPECT_TRUE(messages.empty());
    }
}

TEST(KindsTableRead, AMissingFileIsAnEmptyTableAndADamagedOneIsNamedInANotice) {
    const struct {
        const char* name;
        std::string bytes; // empty: a folder stands in the file's place
        const char* why;
    } damaged[] = {
        {"folder", "", "("},
        {"NUL bytes", "[Vegetation_5]\r\nMaxFile=a\0.max\r\n"s, "(it holds a NUL byte)"},
        {"no INI line", "[Vegetation_5]\r\nMaxFile=a.max\r\njust some words\r\n",
         "(line 3, \"just some words\", is no section, key=value or comment)"},
    };
    TempDir dir;
    Messages messages;
    EXPECT_TRUE(KindsTable::Read(dir.file("P.tes.ini"), messages).empty());
    EXPECT_TRUE(messages.empty());
    for (const auto& c : damaged) {
        SCOPED_TRACE(c.name);
        TempDir damagedDir;
        const std::string path = damagedDir.file("P.tes.ini");
        if (c.bytes.empty())
            std::filesystem::create_directory(path);
        else
            damagedDir.write("P.tes.ini", c.bytes);
        Messages notices;
        const KindsTable table = KindsTable::Read(path, notices);
        EXPECT_TRUE(table.empty());
        EXPECT_TRUE(table.damaged()) << "never to be written over";
        ASSERT_EQ(notices.size(), 1u);
        EXPECT_EQ(notices[0].kind, MessageKind::Notice);
        EXPECT_NE(notices[0].text.find("P.tes.ini cannot be read " + std::string(c.why)), std::string::npos)
            << notices[0].text;
    }
}

struct WriteCase {
    const char* name;
    std::string before; // the file as the table was read from it
    std::vector<KindRow> set;
    std::string after;
};

// A key that changed is written in the place of its line, or after the section's last key; everything
// else stays where it stood, and rows of kinds the file lacks follow as new sections.
TEST(KindsTableWrite, KeepsWhatItDoesNotOwnInWindowsLines) {
    const WriteCase cases[] = {
        {"edit and append",
         "; chosen by "
         "hand\n[Options]\nUser=Ann\n\n[Vegetation_05]\nColour=green\nMaxFile=old.max\nEnabled=1\n",
         {{"5", "C:\\M\\Pine.max", "Tree", false}, {"12", "C:\\M\\Oak.max", "", true}},
         "; chosen by hand\r\n[Options]\r\nUser=Ann\r\n\r\n[Vegetation_05]\r\nColour=green\r\n"
         "MaxFile=C:\\M\\Pine.max\r\nEnabled=0\r\nObjectName=Tree\r\n[Vegetation_12]\r\nMaxFile=C:\\M\\Oak."
         "max\r\n"
         "Enabled=1\r\n"},
        {"Windows-1252",
         "",
         {{"5", "C:\\Bäume\\Fichte.max", "Fichte Ø", true}},
         "[Vegetation_5]\r\nMaxFile=C:\\B\xE4ume\\Fichte.max\r\nObjectName=Fichte \xD8\r\nEnabled=1\r\n"},
        // A stand read in any letter case; set to the default, its line goes.
        {"stand",
         "[Vegetation_5]\r\nMaxFile=a.max\r\nStand=PIVOT\r\nEnabled=1\r\n",
         {{"5", "a.max", "", true}},
         "[Vegetation_5]\r\nMaxFile=a.max\r\nEnabled=1\r\n"},
        {"UTF-8 only when a name needs it",
         "[Options]\r\nUser=\xC5sa\r\n",
         {{"5", "C:\\M\\Дуб.max", "", true}},
         "\xEF\xBB\xBF[Options]\r\nUser=Åsa\r\n[Vegetation_5]\r\nMaxFile=C:\\M\\Дуб.max\r\nEnabled=1\r\n"},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string path = dir.write("P.tes.ini", c.before);
        Messages messages;
        KindsTable table = KindsTable::Read(path, messages);
        for (const KindRow& row : c.set)
            table.set(row);
        table.write(path);
        EXPECT_EQ(ReadBytes(path), c.after);
        EXPECT_EQ(RowsOf(KindsTable::Read(path, messages)), RowsOf(table)) << "the round trip";
        EXPECT_TRUE(messages.empty());
    }
}

// Every value that cannot be read is named, file, kind, key and text, and stays in the file byte for
// byte through a save that changes another kind; variants count past a gap in their numbers.
TEST(KindsTableRead, NamesWhatItCannotReadAndASaveKeepsIt) {
    const std::string typos = "[Variation]\r\nSeed=12x\r\n"
                              "[Vegetation_1]\r\nMaxFile=a.max\r\n"
                              "[Vegetation_5]\r\nMaxFile=b.max\r\nTurn=0:36O\r\n MyNote = mine\r\n"
                              "Enabled=false\r\nWeight=1O\r\nVariant1=c.max|C|2\r\n"
                              "Variant2=C:\\b.max|B|1O\r\nVariant4=d.max||3\r\n\r\n";
    TempDir dir;
    const std::string path = dir.write("Valley.tes.ini", typos);
    Messages messages;
    KindsTable table = KindsTable::Read(path, messages);
    const std::string kMend = "; mend it in the Preview window's views or in Valley.tes.ini";
    std::vector<std::string> texts;
    for (const Message& message : messages)
        texts.push_back(message.text);
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "Variation: Seed=12x in Valley.tes.ini is not a whole number from "
                         "-9223372036854775808 to 9223372036854775807",
                         "Vegetation_5: Enabled=false in Valley.tes.ini is not 1 or 0",
                         "Vegetation_5: Turn=0:36O in Valley.tes.ini is not FROM:TO",
                         "Vegetation_5: Weight=1O in Valley.tes.ini is not a whole number from 0 to 1000000",
                         "Vegetation_5: Variant2=C:\\b.max|B|1O in Valley.tes.ini has a weight that is not a "
                         "whole number from 0 to 1000000",
                     }));
    const KindRow& oaks = *table.find("5");
    EXPECT_EQ(oaks.plants.variants, (std::vector<KindVariant>{{"c.max", "C", 2}, {"d.max", "", 3}}));
    EXPECT_EQ(oaks.faults.back().variant, 1u);
    EXPECT_EQ(table.unreadable(oaks), texts[1]);
    EXPECT_FALSE(table.unreadable(*table.find("1"))) << "the seed counts only where plants vary";

    KindRow first = *table.find("1");
    first.maxFile = "z.max";
    table.set(first);
    table.write(path);
    std::string expected = typos;
    expected.replace(expected.find("a.max"), 5, "z.max");
    EXPECT_EQ(ReadBytes(path), expected);

    table.setSeed(7);
    KindRow oak = *table.find("5");
    oak.clearFault("Variant");
    oak.plants.variants = {{"c.max", "C", 2}};
    table.set(oak);
    table.write(path);
    expected.replace(expected.find("12x"), 3, "7");
    expected.replace(expected.find("Variant2="), expected.find("\r\n\r\n") - expected.find("Variant2=") + 2,
                     "");
    EXPECT_EQ(ReadBytes(path), expected) << "the variants change as a whole";
}

// A row's turn, scale, weight and variants and the table's seed come back as written; keys the table
// does not own stay, and values that could not be read are replaced once they are set.
TEST(KindsTableWrite, KeepsTheVariationAndTheSeed) {
    TempDir dir;
    const std::string path = dir.write("P.tes.ini", "[Variation]\r\nSeed=3\r\nMine=1\r\n"
                                                    "[Vegetation_5]\r\nMaxFile=a.max\r\nTurn=ten:20\r\n"
                                                    "Variant1=b.max||0x\r\n");
    Messages messages;
    KindsTable table = KindsTable::Read(path, messages);
    EXPECT_EQ(table.seed(), 3);
    ASSERT_EQ(table.rows().size(), 1u);
    EXPECT_FALSE(table.rows()[0].plants.varies());
    EXPECT_EQ(messages.size(), 2u);
    messages.clear();

    KindRow row = table.rows()[0];
    row.clearFault("Turn");
    row.clearFault("Variant");
    row.plants.turn = ValueRange{-15, 15};
    row.plants.scale = ValueRange{80, 120.5};
    row.plants.weight = 3;
    row.plants.variants = {{"b.max", "", 2}, {"C:\\M\\c.max", "Oak C", 1}};
    table.set(row);
    table.setSeed(-42);
    table.write(path);
    EXPECT_EQ(ReadBytes(path), "[Variation]\r\nSeed=-42\r\nMine=1\r\n[Vegetation_5]\r\nMaxFile=a.max\r\n"
                               "Turn=-15:15\r\nScale=80:120.5\r\nWeight=3\r\nVariant1=b.max||2\r\n"
                               "Variant2=C:\\M\\c.max|Oak C|1\r\n");
    const KindsTable again = KindsTable::Read(path, messages);
    EXPECT_EQ(again.seed(), -42);
    const KindRow& back = again.rows()[0];
    EXPECT_EQ(back.plants.turn, row.plants.turn);
    EXPECT_EQ(back.plants.scale, row.plants.scale);
    EXPECT_EQ(back.plants.weight, 3u);
    EXPECT_EQ(back.plants.variants, row.plants.variants);
    EXPECT_TRUE(messages.empty());
}

// Views and thinning come back as written; views that did not change keep their sections' lines, and
// changed ones are written key by key in their own sections, other sections kept.
TEST(KindsTableWrite, KeepsTheViewsAndTheThinning) {
    TempDir dir;
    const std::string before = "[Options]\r\nX=1\r\n[view01]\r\n; the hill\r\nCamera=0,0\r\nTarget= 10,0\r\n"
                               "[Vegetation_5]\r\nMaxFile=a.max\r\n[View2]\r\nCamera=5,5\r\nTarget=5,6\r\n"
                               "Far=300\r\n";
    const std::string path = dir.write("P.tes.ini", before);
    Messages messages;
    KindsTable table = KindsTable::Read(path, messages);
    EXPECT_TRUE(messages.empty());
    PlantView hill{{0, 0}, {10, 0}};
    PlantView pass{{5, 5}, {5, 6}, 45, 10, 0, 300};
    EXPECT_EQ(table.views(), (std::vector<PlantView>{hill, pass}));

    KindRow row = table.rows()[0];
    row.plants.thinning = {60, 400.5, 0};
    row.plants.detail = {"b.max", "Oak|far", 400, 0};
    table.set(row);
    table.write(path);
    std::string expected = before;
    expected.insert(expected.find("[View2]"),
                    "Keep=60\r\nThinBeyond=400.5\r\nKeepFar=0\r\nFarModel=b.max|Oak|far\r\nFarFrom=400\r\n");
    EXPECT_EQ(ReadBytes(path), expected) << "the views did not change";

    table.setViews({pass, {{-1.5, 2}, {3, 4}, 90, 0, 25, 0}});
    table.write(path);
    const KindsTable again = KindsTable::Read(path, messages);
    EXPECT_EQ(again.views(), table.views());
    EXPECT_EQ(again.rows()[0].plants.thinning, row.plants.thinning);
    EXPECT_EQ(again.rows()[0].plants.detail, row.plants.detail);
    // Each view keeps its section, its lines and the keys that did not change.
    EXPECT_EQ(ReadBytes(path),
              "[Options]\r\nX=1\r\n[view01]\r\n; the hill\r\nCamera=5,5\r\nTarget=5,6\r\n"
              "Far=300\r\n[Vegetation_5]\r\nMaxFile=a.max\r\nKeep=60\r\nThinBeyond=400.5\r\n"
              "KeepFar=0\r\nFarModel=b.max|Oak|far\r\nFarFrom=400\r\n[View2]\r\n"
              "Camera=-1.5,2\r\nTarget=3,4\r\nFar=0\r\nFov=90\r\nMargin=0\r\nKeepRadius=25\r\n");
    table.setViews({});
    table.write(path);
    EXPECT_EQ(ReadBytes(path).find("View"), std::string::npos);
}

// A view that cannot be used is named and refuses every kind, yet stays in the file byte for byte.
TEST(KindsTableRead, AFaultyViewRefusesEveryKindAndASaveKeepsIt) {
    TempDir dir;
    const std::string before = "[Vegetation_5]\r\nMaxFile=a.max\r\n[View1]\r\nCamera=0,0\r\nTarget=1,0\r\n"
                               "[View2]\r\nCamera=0,0\r\nTarget=1,0\r\nFov=200\r\n[View3]\r\nTarget=1,1\r\n"
                               "Camera=1,1\r\n[View4]\r\nTarget=1,1\r\n";
    const std::string path = dir.write("Valley.tes.ini", before);
    Messages messages;
    KindsTable table = KindsTable::Read(path, messages);
    const std::string kMend = "; mend it in the Preview window's views or in Valley.tes.ini";
    std::vector<std::string> texts;
    for (const Message& message : messages)
        texts.push_back(message.text);
    EXPECT_EQ(texts, (std::vector<std::string>{
                         "View2: Fov=200 in Valley.tes.ini is not a number from 1 to 179.9" + kMend,
                         "View3 in Valley.tes.ini: the camera and the target are the same point, so the "
                         "view looks nowhere" +
                             kMend,
                         "View4: Camera= in Valley.tes.ini is not X,Y" + kMend,
                     }));
    EXPECT_EQ(table.views().size(), 1u);
    EXPECT_EQ(table.faultCount(), 3u);
    EXPECT_EQ(table.unreadable(table.rows()[0]), texts[0]);
    EXPECT_EQ(table.unreadableViews(), texts[0]);

    KindRow row = table.rows()[0];
    row.maxFile = "b.max";
    table.set(row);
    table.write(path);
    std::string expected = before;
    expected.replace(expected.find("a.max"), 5, "b.max");
    EXPECT_EQ(ReadBytes(path), expected);
}

// A table that cannot be written is named with the reason, not with the routine that tried.
TEST(KindsTableWrite, AFailedWriteNamesTheFileAndTheReason) {
    TempDir dir;
    const std::string path = dir.file("P.tes.ini");
    std::filesystem::create_directory(path);
    KindsTable table;
    table.set({"5", "C:\\M\\Pine.max", "", true});
    const std::optional<Message> failure = StoreKindsTable(table, path);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->text, "Could not write the kinds table " + path + ": path/file access error.");
}

} // namespace
} // namespace tes::test
