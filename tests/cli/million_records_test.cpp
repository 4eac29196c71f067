// A whole job at full scale: one million records loaded and every kind built, checked against a
// small independent computation (whole thousandths, no floating point), so that the speed work in
// the reader and the writer cannot change what they produce unnoticed.
#include "cli_run.h"

#include <array>
#include <cstdint>
#include <gtest/gtest.h>
#include <map>
#include <string>

namespace tes::test {
namespace {

constexpr int kRecords = 1'000'000;
// A 5 x 5 terrain with grid resolution 3: the main tile is [1536, 2304] on both axes and its middle
// H = 1920; all values below are in thousandths.
constexpr std::int64_t kLow = 1'536'000;
constexpr std::int64_t kHigh = 2'304'000;
constexpr std::int64_t kMiddle = 1'920'000;
constexpr std::array<int, 4> kKinds = {3, 8, 14, 21};

// "-12.345000" for -12345 thousandths.
std::string Coordinate(std::int64_t thousandths) {
    const std::int64_t magnitude = thousandths < 0 ? -thousandths : thousandths;
    std::string fraction = std::to_string(magnitude % 1000);
    fraction.insert(0, 3 - fraction.size(), '0');
    std::string text = thousandths < 0 ? "-" : "";
    return text + std::to_string(magnitude / 1000) + "." + fraction + "000";
}

struct Record {
    std::int64_t x = 0, y = 0, z = 0;
};

struct KindSummary {
    int kept = 0;
    Record first, last;
};

// Writes the environment file (records spread over [1000, 2800] on both axes, so about a fifth lie
// on the main tile, some exactly on its edges) and returns what a load must keep, per kind.
std::map<int, KindSummary> WriteRecords(const TempDir& dir) {
    std::map<int, KindSummary> kept;
    std::string text = "Tolvane vegetation export\r\n\r\n";
    text.reserve(40 * kRecords);
    std::uint64_t state = 12345;
    const auto draw = [&state](std::uint64_t range) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        return static_cast<std::int64_t>((state >> 24) % range);
    };
    const auto number = [](std::int64_t thousandths) {
        std::string fraction = std::to_string(thousandths % 1000);
        return std::to_string(thousandths / 1000) + "." + std::string(3 - fraction.size(), '0') + fraction;
    };
    for (int i = 0; i < kRecords; ++i) {
        const int kind = kKinds[static_cast<std::size_t>(draw(kKinds.size()))];
        Record r{1'000'000 + draw(1'800'001), draw(400'001), 1'000'000 + draw(1'800'001)};
        if (i % 1000 == 0)
            r.x = i % 2000 == 0 ? kLow : kHigh; // on the edge: kept when z is inside
        text += std::to_string(kind) + "," + number(r.x) + "," + number(r.y) + "," + number(r.z) + "\r\n";
        if (r.x >= kLow && r.x <= kHigh && r.z >= kLow && r.z <= kHigh) {
            KindSummary& summary = kept[kind];
            if (summary.kept++ == 0)
                summary.first = r;
            summary.last = r;
        }
    }
    dir.write("M.txt", text);
    return kept;
}

std::string PositionOf(const Record& r) {
    // X = z - H, Y = H - x, Z = the height: the object scale is 100, so nothing is scaled.
    return "[" + Coordinate(r.z - kMiddle) + "," + Coordinate(kMiddle - r.x) + "," + Coordinate(r.y) + "]";
}

std::string CopyNumber(int n) {
    std::string text = std::to_string(n);
    return text.size() < 2 ? "0" + text : text;
}

TEST(MillionRecords, LoadAndBuildEveryKindAsAnIndependentCountSays) {
    TempDir dir;
    const std::map<int, KindSummary> expected = WriteRecords(dir);
    dir.write("M.scn", "[Environment]\r\nTerrainWidth=5\r\nTerrainWidthScale=3\r\n");
    dir.write("M.est", "[Vegetation_3]\r\nName=Pine\r\n");
    const std::string project = dir.write("M.prj", "Tolvane project M\r\n");

    int total = 0;
    for (const auto& [kind, summary] : expected)
        total += summary.kept;
    ASSERT_EQ(expected.size(), kKinds.size());
    const CliRun info = RunEnviroScript({"info", project});
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_NE(info.out.find("\nrecords: " + std::to_string(total) + "\n"), std::string::npos) << info.out;

    const CliRun build = RunEnviroScript({"build", project, "--all", "--max-file", "C:\\Models\\Tree.max",
                                          "--object-scale", "100", "--no-rotate"});
    ASSERT_EQ(build.status, 0) << build.err;
    for (const auto& [kind, summary] : expected) {
        const std::string name = "M_MainVeg_" + CopyNumber(kind) + ".ms";
        const std::vector<std::string> lines = Lines(ReadBytes(dir.file(name)));
        SCOPED_TRACE(name);
        // 10 header lines, 6 for the first object, 3 for every copy; each line ends in CR LF.
        ASSERT_EQ(lines.size(), 10 + 6 + 3 * static_cast<std::size_t>(summary.kept - 1));
        EXPECT_EQ(lines[12], "$Tree.pos = " + PositionOf(summary.first) + "\r");
        const std::string last = CopyNumber(summary.kept - 1);
        EXPECT_EQ(lines[lines.size() - 3], "copy $Tree isSelected:on name:\"Tree" + last + "\"\r");
        EXPECT_EQ(lines[lines.size() - 2], "$Tree" + last + ".pos = " + PositionOf(summary.last) + "\r");
    }
}

} // namespace
} // namespace tes::test
