// A point cache holds what its script places: every particle is compared with the node the tests'
// placement reader gets from the script of the same options, and its ID with the record's line.
#include "core/all_kinds.h"
#include "core/load_project.h"
#include "core/script/placement_script.h"
#include "support/loaded_fields.h"
#include "support/mixed_records.h"
#include "support/placement_reader.h"
#include "support/point_cache_reader.h"
#include "support/temp_dir.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <tuple>

namespace tes::test {
namespace {

constexpr double kRadian = 3.14159265358979323846 / 180;

std::string WriteProject(const TempDir& dir) {
    dir.write("Vale.scn", "[Environment]\r\nTerrainWidth=5\r\nTerrainWidthScale=3.0\r\n");
    dir.write("Vale.est", "[Vegetation_5]\r\nName=Tree\r\n");
    // A heading, one record of kind 9, then blank lines among the records: a line is not a place.
    dir.write("Vale.txt", "Tolvane environment\r\n9,1800.5,2.0,1900.25\r\n" + MixedRecords(300, 10));
    return dir.write("Vale.prj", "Tolvane project\r\n");
}

PlacementOptions Options(const LoadResult& loaded, const char* kind, PointCache cache) {
    PlacementOptions o;
    TakeLoadedFields(loaded, o);
    o.kindNumber = kind;
    o.objectName = "Tree";
    o.maxFile = R"(C:\Models\tree.max)";
    o.useObjectScale = true;
    o.style.cache = cache;
    return o;
}

// The line of the environment file each record of `kind` stands on, counted from 1, found by its text.
std::vector<std::int64_t> LinesOf(const std::string& environment, const LoadResult& loaded,
                                  const std::string& kind) {
    std::vector<std::int64_t> lines;
    std::size_t at = 0;
    std::int64_t line = 0;
    for (std::size_t row = 0; row < loaded.records.size(); ++row) {
        const std::string_view record = loaded.records[row];
        if (record.substr(0, record.find(',')) != kind)
            continue;
        for (std::string_view text;;) {
            const std::size_t end = environment.find("\r\n", at);
            text = std::string_view(environment).substr(at, end - at);
            at = end + 2;
            ++line;
            if (text == record)
                break;
        }
        lines.push_back(line);
    }
    return lines;
}

const std::vector<ReadChannel> kChannels = {{"Position", "float32", 3},
                                            {"Orientation", "float32", 4},
                                            {"Scale", "float32", 3},
                                            {"ID", "int64", 1},
                                            {"MtlIndex", "int32", 1}};

// The header of a PRT 1.1 file, field by field as the format's 1.1 document gives them: the 1.0
// header with version 2 and the length of all that follows up to the channel table; one "Meta" chunk
// of the file (no channel), CoordSys, int32 (1), 2: right-handed with Z up; the "Stop" chunk; then
// the 1.0 channel table's reserved 4.
std::string PrtHeader(std::int64_t count) {
    std::string head("\xC0PRT\r\n\x1A\n", 8);
    const auto put = [&head](auto value) {
        for (std::size_t i = 0; i < sizeof value; ++i)
            head.push_back(static_cast<char>(static_cast<std::uint64_t>(value) >> (8 * i)));
    };
    put(std::int32_t{56 + 26 + 8});
    head.append("Extensible Particle Format").append(6, '\0');
    put(std::int32_t{2});
    put(count);
    head.append("Meta");
    put(std::int32_t{18});
    head.append(std::string_view("\0CoordSys\0", 10));
    put(std::int32_t{1});
    put(std::int32_t{2});
    head.append("Stop");
    put(std::int32_t{0});
    put(std::int32_t{4});
    return head;
}

// The PRT and the CSV cache of a build: valid, alike, and holding the script's nodes.
void ExpectCachesOfScript(const PlacementResult& built, const std::vector<std::int64_t>& lines,
                          std::int32_t mtlIndex) {
    ASSERT_EQ(built.outcome, BuildOutcome::Built);
    ASSERT_EQ(built.cachePaths.size(), 2u);
    const ReadCache prt = ReadPrt(ReadBytes(built.cachePaths[0]));
    const ReadCache csv = ReadCsv(ReadBytes(built.cachePaths[1]));
    ASSERT_EQ(prt.fault, "");
    ASSERT_EQ(csv.fault, "");
    EXPECT_EQ(prt.channels, kChannels);
    EXPECT_EQ(csv.channels, kChannels);
    const std::string header = PrtHeader(static_cast<std::int64_t>(prt.particles.size()));
    EXPECT_EQ(ReadBytes(built.cachePaths[0]).substr(0, header.size()), header);
    Placement script = ReadPlacement(built.lines, "Tree");
    ASSERT_EQ(script.fault, "");
    ASSERT_EQ(prt.particles.size(), script.nodes.size());
    ASSERT_EQ(csv.particles.size(), script.nodes.size());
    ASSERT_EQ(lines.size(), script.nodes.size());
    for (std::size_t i = 0; i < script.nodes.size(); ++i) {
        SCOPED_TRACE("particle " + std::to_string(i));
        const Particle& p = prt.particles[i];
        const PlacedNode& node = script.nodes[i];
        EXPECT_EQ(csv.particles[i], p);
        EXPECT_EQ((Point3{p.position[0], p.position[1], p.position[2]}), node.position);
        EXPECT_EQ((Point3{p.scale[0], p.scale[1], p.scale[2]}), node.scale);
        // The quaternion turns the X axis as `angleaxis` turns it: counter-clockwise seen from above.
        const auto [qx, qy, qz, qw] = p.orientation;
        const double radians = static_cast<double>(node.rotation) * std::acos(-1.0) / 180;
        EXPECT_NEAR(1 - 2 * (qy * qy + qz * qz), std::cos(radians), 1e-6);
        EXPECT_NEAR(2 * (qx * qy + qw * qz), std::sin(radians), 1e-6);
        EXPECT_NEAR(qx * qx + qy * qy + qz * qz + qw * qw, 1.0, 1e-6);
        EXPECT_EQ(p.id, lines[i]);
        EXPECT_EQ(p.mtlIndex, mtlIndex);
    }
}

// The caches of a build whose plants differ, against those of the same build without variation (`plain`,
// the script's nodes): the same places, IDs and kinds, and on top each plant's look by its X and Z.
void ExpectVariedCaches(const PlacementResult& built, const ReadCache& plain, const LoadResult& loaded,
                        const PlantVariation& variation) {
    ASSERT_EQ(built.outcome, BuildOutcome::Built);
    const ReadCache prt = ReadPrt(ReadBytes(built.cachePaths[0]));
    const ReadCache csv = ReadCsv(ReadBytes(built.cachePaths[1]));
    std::vector<ReadChannel> channels = kChannels;
    channels.push_back({"ShapeIndex", "int32", 1});
    EXPECT_EQ(prt.channels, channels);
    EXPECT_EQ(csv.channels, channels);
    ASSERT_EQ(prt.particles.size(), plain.particles.size());
    ASSERT_EQ(csv.particles, prt.particles);
    std::size_t i = 0;
    for (std::size_t row = 0; row < loaded.records.size(); ++row) {
        const std::string record(loaded.records[row]);
        if (record.rfind("5,", 0) != 0)
            continue;
        SCOPED_TRACE(record);
        char* at = nullptr;
        const double x = std::strtod(record.c_str() + 2, &at);
        const double z = std::strtod(std::strchr(at + 1, ',') + 1, nullptr);
        const PlantLook look = LookOf(variation, x, z);
        const Particle& p = prt.particles[i];
        const Particle& was = plain.particles[i++];
        EXPECT_EQ(p.position, was.position);
        EXPECT_EQ(std::tie(p.id, p.mtlIndex), std::tie(was.id, was.mtlIndex));
        EXPECT_EQ(p.shapeIndex, static_cast<std::int32_t>(look.variant));
        // The script writes the factor to three places and the turn to one, as the cache reads them.
        EXPECT_NEAR(p.scale[2] / was.scale[2], look.scale / 100, 5.1e-4);
        // The X axis turns by the kind's turn and then the plant's.
        const double turned = 2 * std::atan2(was.orientation[2], was.orientation[3]) + look.turn * kRadian;
        const float qz = p.orientation[2], qw = p.orientation[3];
        EXPECT_NEAR(1 - 2 * qz * qz, std::cos(turned), 1e-3);
        EXPECT_NEAR(2 * qw * qz, std::sin(turned), 1e-3);
    }
    EXPECT_EQ(i, prt.particles.size());
}

struct CacheCase {
    bool mainTile;
    const char* objectScale;
    bool rotate;
    const char* angle;
    const char* verticalScale;
    const char* verticalOffset;
    ScriptShape shape;
};

const CacheCase kCases[] = {
    {true, "100", false, "45", "1.000", "0.000000", ScriptShape::Classic},
    {true, "37.5", true, "-33.75", "1.000", "0.000000", ScriptShape::Fast},
    {false, "250", true, "400.5", "-2.5", "17.125", ScriptShape::Fast},
    {false, "33.333333", true, "12abc", "0.001", "-3", ScriptShape::Classic},
    {true, "0.01", true, "1e1", "1e3", "-1e-3", ScriptShape::Fast},
};

TEST(PointCache, HoldsTheScriptsNodesOnBothTilesForOddOptions) {
    TempDir dir;
    const std::string project = WriteProject(dir);
    const std::string environment = ReadBytes(dir.file("Vale.txt"));
    for (const CacheCase& c : kCases) {
        SCOPED_TRACE(std::string(c.mainTile ? "main" : "perimeter") + " scale " + c.objectScale + " angle " +
                     c.angle);
        const LoadResult loaded = LoadTile(project, c.mainTile, c.objectScale);
        ASSERT_EQ(loaded.outcome, LoadOutcome::Loaded);
        PlacementRequest build;
        build.options = Options(loaded, "5", PointCache::Both);
        build.options.rotate = c.rotate;
        build.options.rotationAngle = c.angle;
        build.options.verticalScale = LeadingNumberValue(c.verticalScale);
        build.options.verticalOffset = LeadingNumberValue(c.verticalOffset);
        build.options.style.shape = c.shape;
        build.records = &loaded.records;
        build.recordLines = &loaded.recordLines;
        const PlacementResult built = BuildPlacementScript(build);
        ASSERT_GE(built.objectCount, 2u);
        ExpectCachesOfScript(built, LinesOf(environment, loaded, "5"), 5);

        const ReadCache plain = ReadPrt(ReadBytes(built.cachePaths.at(0)));
        PlantVariation variation{ValueRange{-30, 400}, ValueRange{50, 150}, {1, 3}, 9, 5};
        build.options.style.shape = ScriptShape::Fast;
        std::tie(build.options.plants.turn, build.options.plants.scale, build.options.seed) =
            std::tuple(variation.turn, variation.scale, variation.seed);
        build.options.variants = {{R"(C:\Models\bush.max)", "Bush", 3}};
        ExpectVariedCaches(BuildPlacementScript(build), plain, loaded, variation);
    }
}

TEST(PointCache, OfNoObjectAndOfOneIsValid) {
    TempDir dir;
    const LoadResult loaded = LoadTile(WriteProject(dir), true, "100");
    const std::string environment = ReadBytes(dir.file("Vale.txt"));
    for (const char* kind : {"9", "88"}) {
        PlacementRequest build;
        build.options = Options(loaded, kind, PointCache::Both);
        build.records = &loaded.records;
        build.recordLines = &loaded.recordLines;
        const PlacementResult built = BuildPlacementScript(build);
        if (kind == std::string("9")) {
            EXPECT_EQ(built.objectCount, 1u);
            ExpectCachesOfScript(built, LinesOf(environment, loaded, kind), std::atoi(kind));
            continue;
        }
        // No PRT file of no particle (its format's owner refuses one), and a CSV of its columns alone.
        EXPECT_EQ(built.objectCount, 0u);
        ASSERT_EQ(built.cachePaths.size(), 1u);
        const ReadCache csv = ReadCsv(ReadBytes(built.cachePaths[0]));
        EXPECT_EQ(csv.fault, "");
        EXPECT_TRUE(csv.particles.empty());
    }
}

class CancelAt final : public Progress {
public:
    explicit CancelAt(int report) : m_left(report) {}
    bool reportProgress(unsigned long long, unsigned long long) override { return --m_left > 0; }

private:
    int m_left;
};

// A failure or a cancel in the cache or in its script leaves the old caches whole and no other file.
TEST(PointCache, ReplacesTheOldCachesOnlyWhenScriptAndCacheAreComplete) {
    struct Stop {
        std::uint64_t byteLimit;
        bool scriptBlocked; // a folder stands where the script goes
        int cancelAtReport; // 0: never
        BuildOutcome outcome;
    };
    const Stop kStops[] = {
        {300, false, 0, BuildOutcome::Failed},             // the cache's file is cut short
        {kNoByteLimit, true, 0, BuildOutcome::Failed},     // the script cannot be written
        {kNoByteLimit, false, 1, BuildOutcome::Cancelled}, // while the cache is written
        {kNoByteLimit, false, 3, BuildOutcome::Cancelled}, // while the script is written
    };
    TempDir dir;
    const LoadResult loaded = LoadTile(WriteProject(dir), true, "100");
    dir.write("Vale_MainVeg_05.prt", "old prt");
    dir.write("Vale_MainVeg_05.csv", "old csv");
    for (const Stop& stop : kStops) {
        const std::filesystem::path script = dir.path() / "Vale_MainVeg_05.ms";
        if (stop.scriptBlocked)
            std::filesystem::create_directory(script);
        const std::vector<std::string> before = dir.entries();
        PlacementRequest build;
        build.options = Options(loaded, "5", PointCache::Both);
        build.records = &loaded.records;
        build.tuning.fileByteLimit = stop.byteLimit;
        CancelAt cancel(stop.cancelAtReport);
        if (stop.cancelAtReport > 0)
            build.progress = &cancel;
        EXPECT_EQ(BuildPlacementScript(build).outcome, stop.outcome);
        EXPECT_EQ(ReadBytes(dir.file("Vale_MainVeg_05.prt")), "old prt");
        EXPECT_EQ(ReadBytes(dir.file("Vale_MainVeg_05.csv")), "old csv");
        EXPECT_EQ(dir.entries(), before);
        std::filesystem::remove(script);
    }
}

// Every kind's cache, and the joined one whose MtlIndex tells the kinds apart.
TEST(PointCache, ProcessAllWritesACachePerKindAndJoinsThem) {
    TempDir dir;
    const LoadResult loaded = LoadTile(WriteProject(dir), true, "100");
    AllKindsRequest request;
    request.options = Options(loaded, "", PointCache::Prt);
    request.records = &loaded.records;
    request.recordLines = &loaded.recordLines;
    request.kinds = loaded.kinds.kinds;
    request.fallbackMaxFile = R"(C:\Models\tree.max)";
    request.joinInto = dir.file("Vale_joined.ms");
    const AllKindsResult result = BuildAllKinds(request);
    ASSERT_FALSE(result.anyFailed());
    ASSERT_EQ(result.joinedCachePaths, std::vector<std::string>{dir.file("Vale_MainVeg_All.prt")});
    EXPECT_NE(result.summary.find("Vale_MainVeg_05.prt"), std::string::npos) << result.summary;
    EXPECT_NE(result.summary.find("Vale_MainVeg_All.prt"), std::string::npos) << result.summary;

    std::map<std::int64_t, Particle> kinds; // every kind's particles by their ID
    for (const KindOutcome& kind : result.kinds) {
        ASSERT_EQ(kind.cachePaths.size(), 1u);
        const ReadCache cache = ReadPrt(ReadBytes(kind.cachePaths[0]));
        ASSERT_EQ(cache.fault, "");
        EXPECT_EQ(cache.particles.size(), kind.objects);
        for (const Particle& p : cache.particles)
            kinds.emplace(p.id, p);
    }
    const ReadCache joined = ReadPrt(ReadBytes(result.joinedCachePaths[0]));
    ASSERT_EQ(joined.fault, "");
    std::map<std::int64_t, Particle> all;
    for (const Particle& p : joined.particles)
        all.emplace(p.id, p);
    EXPECT_EQ(all, kinds);
    EXPECT_EQ(all.size(), joined.particles.size());
}

} // namespace
} // namespace tes::test
