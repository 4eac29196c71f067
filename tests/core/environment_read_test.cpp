#include "core/load_project.h"
#include "core/place/tile_geometry.h"
#include "lib/failure.h"
#include "lib/numbers.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace tes::test {
namespace {

// The environment read of a load: the tile's records, and grid size and object scale brought into
// agreement in the fields.
class EnvironmentReadTest : public ::testing::Test {
protected:
    EnvironmentReadTest() { fields.scene.terrainWidth = 5; }

    std::vector<std::string> read(std::string_view bytes) { return readFile(dir.write("Valley.txt", bytes)); }
    std::vector<std::string> readFile(const std::string& path) {
        LineList records;
        Messages messages;
        EXPECT_TRUE(ReadEnvironment(path, tile, fields, records, messages, progress));
        for (const Message& message : messages)
            texts.push_back(message.text);
        return records.toVector();
    }
    void setTile(bool mainTile, std::int32_t width, std::string overlap) {
        tile.mainTile = mainTile;
        fields.scene.terrainWidth = width;
        tile.overlap = std::move(overlap);
    }

    TempDir dir;
    TileOptions tile;
    LoadFields fields;
    ProgressPlatform progress;
    std::vector<std::string> texts; // every message, in order
};

std::string Record(const std::string& kind, double x, double z) {
    return kind + "," + DecimalText(x) + ",1.5," + DecimalText(z);
}

// Points on each bound of each axis are kept; points just outside on either axis are not.
TEST_F(EnvironmentReadTest, KeepsPointsOnTheBoundsOfBothAxes) {
    struct Case {
        bool mainTile;
        std::int32_t width;
        const char* overlap;
    };
    const Case cases[] = {{true, 0, "10"}, {true, 1, "10"},  {true, 4, "10"},
                          {true, 6, "10"}, {false, 3, "10"}, {false, 5, "2.5"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "main " << c.mainTile << " W " << c.width);
        setTile(c.mainTile, c.width, c.overlap);
        const TileGeometry r = ComputeTileGeometry(c.mainTile, c.width, 3, LeadingNumberValue(c.overlap));
        const double mid = (r.low + r.high) / 2;
        const std::vector<std::string> inside = {Record("1", r.low, mid), Record("2", r.high, mid),
                                                 Record("3", mid, r.low), Record("4", mid, r.high),
                                                 Record("5", r.low, r.high)};
        const std::vector<std::string> outside = {
            Record("6", r.low - 0.001, mid), Record("7", r.high + 0.001, mid),
            Record("8", mid, r.low - 0.001), Record("9", mid, r.high + 0.001)};
        std::string file;
        for (std::size_t i = 0; i < outside.size(); ++i)
            file += inside[i] + "\r\n" + outside[i] + "\r\n";
        file += inside.back() + "\r\n";
        EXPECT_EQ(read(file), inside);
    }
}

TEST_F(EnvironmentReadTest, DerivesTheFieldTheUserDoesNotEdit) {
    struct Case {
        bool useObjectScale;
        std::int32_t width;
        const char* gridSize;
        const char* objectScale;
        bool derivesGridSize;
        const char* expected;
    };
    const Case cases[] = {
        {true, 5, "1", "33.333333", true, "256"},
        {true, 5, "1", "50", true, "384"},
        {true, 6, "1", "25", true, "384"},
        {true, 5, "1", "0.0651041666", true, "0"}, // 0.4999... rounds down
        {false, 5, "256", "1", false, "33.333333"},
        {false, 6, "256", "1", false, "16.666667"},
        {false, 5, "2.5", "1", false, "0.260417"}, // 2.5 counts as 2
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        tile.useObjectScale = c.useObjectScale;
        fields.scene.terrainWidth = c.width;
        fields.gridSize = c.gridSize;
        fields.objectScale = c.objectScale;
        read("");
        EXPECT_EQ(c.derivesGridSize ? fields.gridSize : fields.objectScale, c.expected);
        EXPECT_TRUE(texts.empty());
    }
}

TEST_F(EnvironmentReadTest, ZeroGridResolution) {
    fields.scene.gridRes = "0";
    tile.overlap = "1";
    tile.useObjectScale = true;
    EXPECT_EQ(read("1,0.5,0,-1\r\n2,1.5,0,0\r\n"), std::vector<std::string>{"1,0.5,0,-1"});
    EXPECT_EQ(fields.gridSize, "0");

    tile.useObjectScale = false;
    EXPECT_TRUE(read("1,0.5,0,-1\r\n").empty());
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], "Unexpected error in ReadEnvironmentFile \n\n" +
                            SignPadded(failures::divisionByZero().number()) + " - Division by zero");
}

TEST_F(EnvironmentReadTest, ReadsEveryLineForm) {
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> kept;
    };
    const Case cases[] = {
        {"empty file", "", {}},
        {"no commas", "Tolvane environment\r\n\r\n2000 2000\r\n", {}},
        {"CR LF",
         "1,2000,0,2000\r\n2,1,0,1\r\n3,2001,5,2002,extra\r\n",
         {"1,2000,0,2000", "3,2001,5,2002,extra"}},
        {"CR only", "1,2000,0,2000\r3,2001,5,2002\r", {"1,2000,0,2000", "3,2001,5,2002"}},
        {"LF only", "1,2000,0,2000\n3,2001,5,2002\n", {"1,2000,0,2000", "3,2001,5,2002"}},
        {"mixed, last line open",
         "1,2000,0,2000\n2,2000,0,2000\r3,2000,0,2000\r\n4,2000,0,2000",
         {"1,2000,0,2000", "2,2000,0,2000", "3,2000,0,2000", "4,2000,0,2000"}},
        {"byte-order mark",
         "\xEF\xBB\xBF"
         "1,2000,0,2000\r\n",
         {"1,2000,0,2000"}},
        {"Windows-1252 text", "1,2000,0,2000,Bj\xF6rk\r\n", {"1,2000,0,2000,Bj\xC3\xB6rk"}},
        {"numbers in other forms",
         "1, 2 000,0,2e3\r\n2,+2000.5,0,&H7D0\r\n3,2000ab,0,2000.\r\n",
         {"1, 2 000,0,2e3", "2,+2000.5,0,&H7D0", "3,2000ab,0,2000."}},
        {"long lines, CR only",
         "1,2000,0,2000," + std::string(700, 'x') + "\r2,2000,0,2000\r",
         {"1,2000,0,2000," + std::string(700, 'x'), "2,2000,0,2000"}},
        {"long lines, LF only",
         "1,2000,0,2000," + std::string(700, 'x') + "\n2,2000,0,2000\n",
         {"1,2000,0,2000," + std::string(700, 'x'), "2,2000,0,2000"}},
        {"outside by a text field", "1,abc,0,2000\r\n2,2000\r\n", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(read(c.bytes), c.kept);
    }
    EXPECT_TRUE(texts.empty());
}

TEST_F(EnvironmentReadTest, ShortAndNonNumericRecordsCountAsZero) {
    setTile(false, 3, "10"); // the region [0, 768] holds the origin
    EXPECT_EQ(read("abc,def,ghi,jkl\r\n5,100\r\n,\r\n7,-1,0,0\r\n"),
              (std::vector<std::string>{"abc,def,ghi,jkl", "5,100", ","}));
}

// Many generated records in varied number forms; the expected count is decided on whole millionths,
// without parsing any text.
TEST_F(EnvironmentReadTest, KeepsTheRightRecordsOfALargeFile) {
    std::mt19937_64 rng(7);
    const std::int64_t low = 1536'000000, high = 2304'000000;
    auto coordinate = [&rng](std::int64_t& micro) {
        switch (rng() % 8) {
        case 0:
            micro = rng() % 2 ? low : high;
            break; // exactly on a bound
        case 1:
            micro = (rng() % 2 ? low : high) + (rng() % 2 ? 1 : -1);
            break;
        default:
            micro = static_cast<std::int64_t>(rng() % 3840'000001);
            break;
        }
        const std::string whole = std::to_string(micro / 1000000);
        const std::string fraction = std::to_string(1000000 + micro % 1000000).substr(1);
        switch (rng() % 4) {
        case 0:
            return whole + "." + fraction;
        case 1:
            return micro % 1000000 == 0 ? whole : whole + "." + fraction;
        case 2:
            return " " + whole + "." + fraction; // blanks go through the full rule
        default:
            return whole + "." + fraction + "E0"; // so does an exponent
        }
    };
    std::string file;
    std::size_t expected = 0;
    for (int i = 0; i < 300000; ++i) {
        std::int64_t x = 0, z = 0;
        const std::string xs = coordinate(x);
        const std::string zs = coordinate(z);
        file += std::to_string(rng() % 20) + "," + xs + ",12.5," + zs + (i % 3 ? "\r\n" : "\n");
        if (low <= x && x <= high && low <= z && z <= high)
            ++expected;
    }
    EXPECT_EQ(read(file).size(), expected);
    EXPECT_GT(expected, 10000u);
}

TEST_F(EnvironmentReadTest, ReportsProgressAndFailures) {
    read(std::string(9u << 20, 'x')); // one long line without a comma
    EXPECT_EQ(progress.labels, std::vector<std::string>{"Reading Valley.txt"});
    EXPECT_EQ(progress.ended, 1);

    EXPECT_TRUE(readFile(dir.file("Missing.txt")).empty());
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], "Unexpected error in ReadEnvironmentFile \n\n 53 - File not found");
    EXPECT_EQ(progress.ended, 2);

    tile.overlap = "1E999";
    read("1,2000,0,2000\r\n");
    EXPECT_EQ(texts.back(), "Unexpected error in ReadEnvironmentFile \n\n 6 - Overflow");
}

} // namespace
} // namespace tes::test
