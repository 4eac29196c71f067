#include "lib/fields.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace tes {
namespace {

struct ElementCase {
    std::string_view source;
    std::string_view delimiter;
    long long index;
    std::string_view expected;
};

TEST(GetElement, PicksOneFieldOfADelimitedLine) {
    const ElementCase cases[] = {
        {"a,b,c", ",", 0, "a"},
        {"a,b,c", ",", 2, "c"},
        {"a,b,c", ",", 3, ""},
        {"a,b,c", ",", -1, ""},
        {"a,,c", ",", 1, ""},
        {"a,b,", ",", 2, ""},
        {"x--y--z", "--", 1, "y"},
        {"x---y", "--", 1, "-y"}, // occurrences never overlap
        {"", ",", 0, ""},
        {"abc", ",", 0, "abc"},
        {"abc", "", 0, ""},
        {"Vegetation_5:  Pine", ":", 0, "Vegetation_5"},
        {"Vegetation_5:  Pine", ":", 1, "  Pine"},
        {"Vegetation_5", "_", 1, "5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetElement(c.source, c.delimiter, c.index), c.expected) << c.source << " #" << c.index;
}

TEST(GetElement, ReachesFieldsFarIntoALongLine) {
    const std::string line = std::string(40000, 'x') + ",tail," + std::string(30000, 'y');
    EXPECT_EQ(GetElement(line, ",", 0).size(), 40000u);
    EXPECT_EQ(GetElement(line, ",", 1), "tail");
    EXPECT_EQ(GetElement(line, ",", 2).size(), 30000u);
    EXPECT_EQ(GetElement(line, ",", 3), "");
}

struct PathCase {
    std::string_view path;
    std::string_view expected;
};

TEST(GetFileNameFromPath, GivesTheLastComponent) {
    const PathCase cases[] = {
        {"C:\\a\\b\\c.ms", "c.ms"},
        {"c.ms", "c.ms"},
        {"C:\\dir\\", "dir"},
        {"\\", ""},
        {"", ""},
        {"\\\\server\\share\\x.ms", "x.ms"},
        {"/home/a/Pine_MainVeg_05.ms", "Pine_MainVeg_05.ms"},
        {"/home/a/dir/", "dir"},
        {"//server/share/x.ms", "x.ms"},
        {"C:/mixed\\seps/y.ms", "y.ms"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetFileNameFromPath(c.path), c.expected) << c.path;
}

TEST(GetBaseFileName, DropsDriveFoldersAndExtension) {
    const PathCase cases[] = {
        {"  D:\\x\\y\\Tree.max  ", "Tree"},
        {"tree.v2.max", "tree.v2"},
        {".max", ""},
        {"C:tree.max", "tree"},
        {"C:\\dir\\", ""},
        {"readme", "readme"},
        {"C:\\Models\\Pine.max", "Pine"},
        {"/home/a/Pine.max", "Pine"},
        {"/home/a.b/readme", "readme"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetBaseFileName(c.path), c.expected) << c.path;
}

TEST(FolderOfPath, KeepsRootsWhole) {
    const PathCase cases[] = {
        {"/home/a/Pine.prj", "/home/a"}, {"/Pine.prj", "/"}, {"C:\\Pine.prj", "C:\\"},
        {"C:\\x\\Pine.prj", "C:\\x"},    {"Pine.prj", ""},   {"/home/a/", "/home/a"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FolderOfPath(c.path), c.expected) << c.path;
}

TEST(JoinPath, PutsOneSeparatorBetween) {
    const std::string sep(1, static_cast<char>(std::filesystem::path::preferred_separator));
    EXPECT_EQ(JoinPath("/home/a", "x.ms"), "/home/a" + sep + "x.ms");
    EXPECT_EQ(JoinPath("/home/a/", "x.ms"), "/home/a/x.ms");
    EXPECT_EQ(JoinPath("/home/a", "/x.ms"), "/home/a" + sep + "x.ms");
    EXPECT_EQ(JoinPath("", "x.ms"), "x.ms");
}

TEST(UpperCase, MapsTheWindows1252Letters) {
    const PathCase cases[] = {
        {"abc xyz 09", "ABC XYZ 09"},
        {"\xC3\xA9t\xC3\xA9", "\xC3\x89T\xC3\x89"},               // été
        {"\xC3\xA0\xC3\xBE\xC3\xB7", "\xC3\x80\xC3\x9E\xC3\xB7"}, // à þ ÷ (the division sign stays)
        {"\xC5\xA1\xC5\x93\xC5\xBE\xC3\xBF", "\xC5\xA0\xC5\x92\xC5\xBD\xC5\xB8"}, // š œ ž ÿ
        {"\xC3\x9F\xC2\xB5", "\xC3\x9F\xC2\xB5"},                                 // ß µ stay
        {"\xD0\xB6", "\xD0\xB6"},                                                 // Cyrillic stays
        {"a\xFF"
         "b",
         "A\xFF"
         "B"}, // malformed bytes stay
    };
    for (const auto& c : cases)
        EXPECT_EQ(UpperCase(c.path), c.expected) << c.path;
}

TEST(EqualsIgnoringAsciiCase, IgnoresAsciiCaseOnly) {
    EXPECT_TRUE(EqualsIgnoringAsciiCase("TerrainWidth", "terrainwidth"));
    EXPECT_FALSE(EqualsIgnoringAsciiCase("TerrainWidth", "TerrainWidth "));
    EXPECT_FALSE(EqualsIgnoringAsciiCase("\xC3\xA9", "\xC3\x89"));
    EXPECT_TRUE(EqualsIgnoringAsciiCase("", ""));
}

} // namespace
} // namespace tes
