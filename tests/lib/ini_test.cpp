#include "lib/ini.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace tes {
namespace {

using test::TempDir;

struct IniCase {
    std::string_view text;
    std::string_view section;
    std::string_view key;
    const char* expected; // nullptr: not found
};

TEST(LookupIniValue, FindsValuesAsTheWindowsProfileFunctionsDo) {
    const IniCase cases[] = {
        {"[Grass]\nDensity=5\n", "Grass", "Density", "5"},
        {"[grass]\ndensity=5", "GRASS", "DENSITY", "5"},
        {"  [ Grass ]\n\t Density \t=  5 \t\n", "Grass", "Density", "5"},
        {"[Grass] ; note\nDensity=5\n", "Grass", "Density", "5"},
        {"[Grass]Density=5\n", "Grass", "Density", nullptr},
        {"[Grass\nDensity=5\n", "Grass", "Density", "5"}, // a header without ']' still counts
        {"[Grass]\nModel=oak.max ; old\n", "Grass", "Model", "oak.max ; old"},
        {"[Grass]\nName=  \"  Oak  \"  \n", "Grass", "Name", "  Oak  "},
        {"[Grass]\nName='Oak'\n", "Grass", "Name", "Oak"},
        {"[Grass]\nName=\"Oak'\n", "Grass", "Name", "\"Oak'"},
        {"[Grass]\nName=\"\"Oak\"\"\n", "Grass", "Name", "\"Oak\""},
        {"[Grass]\nName=\"\n", "Grass", "Name", "\""},
        {"[Grass]\n  ;Density=5\n", "Grass", "Density", nullptr},
        {"[Grass]\n  ;Density=5\n", "Grass", ";Density", nullptr},
        {"[Grass]\n#Density=5\n", "Grass", "Density", nullptr},
        {"[Grass]\n#Density=5\n", "Grass", "#Density", "5"},
        {"[Grass]\nDensity=\n", "Grass", "Density", ""},
        {"[Grass]\nDensity\n", "Grass", "Density", nullptr},
        {"[Grass]\nDensity=1\nDensity=2\n", "Grass", "Density", "1"},
        {"[Grass]\nA=1\n[Grass]\nDensity=2\n", "Grass", "Density", nullptr},
        {"Density=5\n[Grass]\n", "", "Density", nullptr},
        {"Density=5\n[Grass]\n", "Grass", "Density", nullptr},
        {"[]\nDensity=5\n", "", "Density", "5"},
        {"[Grass]\rDensity=5\r", "Grass", "Density", "5"},
        {"[Grass]\r\nDensity=5\r\n", "Grass", "Density", "5"},
        {"\xEF\xBB\xBF[Grass]\r\nDensity=5\r\n", "Grass", "Density", "5"}, // the mark is skipped
        {"\xEF\xBB\xBF\r\n[Grass]\r\nDensity=5", "Grass", "Density", "5"},
        {"[Grass]\nPath=a=b\n", "Grass", "Path", "a=b"},
        {"[Grass]\nDensity=5\n", " Grass ", " Density ", "5"},
        {"[Grass]\nDensity=5\n", "Grass", "Density\t", nullptr},
        {"[Other]\nDensity=5\n[Grass]\nX=1\n", "Grass", "Density", nullptr},
        {"[Grass]\n=v\n", "Grass", "", "v"},
    };
    for (const auto& c : cases) {
        std::string value = "unchanged";
        const bool found = LookupIniValue(c.text, c.section, c.key, value);
        EXPECT_EQ(found, c.expected != nullptr) << c.text;
        if (found && c.expected != nullptr) {
            EXPECT_EQ(value, c.expected) << c.text;
        }
    }
}

class GetINIStringTest : public ::testing::Test {
protected:
    std::string read(std::string_view text, std::string_view section, std::string_view key) {
        return GetINIString(section, key, dir.write("p.scn", text), messages);
    }
    TempDir dir;
    Messages messages;
};

TEST_F(GetINIStringTest, GivesTheValueOrTheEmptyText) {
    const std::string scene = "[Environment]\r\nTerrainWidth=1024\r\nEmpty=\r\nA=NotFound\r\nB=notfound\r\n"
                              "[Light2]\r\nTargetPosition=1,2,3\r\n";
    EXPECT_EQ(read(scene, "Environment", "TerrainWidth"), "1024");
    EXPECT_EQ(read(scene, "Light2", "TerrainWidth"), "");
    EXPECT_EQ(read(scene, "Environment", "Empty"), "");
    EXPECT_EQ(read(scene, "Environment", "Missing"), "");
    EXPECT_EQ(read(scene, "Environment", "A"), "");
    EXPECT_EQ(read(scene, "Environment", "B"), "notfound");
    EXPECT_EQ(read(scene, "Light2", "TargetPosition"), "1,2,3");
    EXPECT_TRUE(messages.empty());
}

TEST_F(GetINIStringTest, CutsLongValuesTo254Characters) {
    const std::string value(300, 'v');
    EXPECT_EQ(read("[S]\nK=" + value, "S", "K"), value.substr(0, 254));
    // Windows-1252 bytes are counted before they become UTF-8.
    const std::string accented(300, '\xE9');
    std::string expected;
    for (int i = 0; i < 254; ++i)
        expected += "\xC3\xA9";
    EXPECT_EQ(read("[S]\nK=" + accented, "S", "K"), expected);
    // A UTF-8 file counts characters.
    EXPECT_EQ(read("\xEF\xBB\xBF[S]\nK=" + expected + "\xC3\xA9\xC3\xA9", "S", "K"), expected);
}

TEST_F(GetINIStringTest, ReadsTheFileAfreshEveryTime) {
    EXPECT_EQ(read("[S]\nK=1\n", "S", "K"), "1");
    EXPECT_EQ(read("[S]\nK=2\n", "S", "K"), "2");
}

TEST_F(GetINIStringTest, AMissingFileIsNoFailure) {
    EXPECT_EQ(GetINIString("S", "K", dir.file("missing.scn"), messages), "");
    EXPECT_EQ(GetINIString("S", "K", dir.file("nofolder/missing.scn"), messages), "");
    EXPECT_TRUE(messages.empty());
}

TEST_F(GetINIStringTest, AFolderIsReportedOnce) {
    EXPECT_EQ(GetINIString("S", "K", dir.path().string(), messages), "");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], (Message{MessageKind::Failure,
                                    "Unexpected error in GetINIString. \nPath/File access error ( 75)"}));
}

} // namespace
} // namespace tes
