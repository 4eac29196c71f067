// Process All's engine: which kinds get a script from the kinds table, and how one kind's failure,
// a cancel and the joining of the scripts end the run.
#include "core/all_kinds.h"
#include "core/place/placement_frame.h"
#include "core/plants/kind_plan.h"
#include "lib/file_access.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

namespace tes::test {
namespace {

using Status = KindOutcome::Status;

// Three kinds on the tile: 8 records of kind 5, 2 of kind 7 and 4 of kind 12.
class AllKindsTest : public testing::Test {
protected:
    AllKindsTest() {
        for (const auto& [kind, count] : {std::pair{"5", 8}, {"7", 2}, {"12", 4}})
            for (int i = 0; i < count; ++i)
                m_records.append(std::string(kind) + ",600," + std::to_string(i) + ",700");
        m_request.options.terrainWidth = 5;
        m_request.options.gridRes = 1;
        m_request.options.projectBasePath = m_dir.file("P");
        m_request.records = &m_records;
        m_request.kinds = {{"5", "Pine", {"5"}}, {"7", "", {"7"}}, {"12", "Oak", {"12"}}};
        m_request.table = &m_table;
    }

    std::string script(const char* nn) const { return m_dir.file(std::string("P_MainVeg_") + nn + ".ms"); }

    TempDir m_dir;
    LineList m_records;
    KindsTable m_table;
    AllKindsRequest m_request;
};

struct Expected {
    std::string kind;
    Status status;
    std::string reason;
    std::uint64_t objects;
    std::string merged; // the script's merge line names this file and its first object this name
};

struct TableCase {
    const char* name;
    std::vector<KindRow> rows;
    std::optional<std::string> fallbackMaxFile;
    bool save;
    std::vector<Expected> kinds;
    std::string summary;
};

TEST_F(AllKindsTest, EachKindTakesItsRowOrTheFallbackOrIsSkipped) {
    const KindRow pine{"5", R"(C:\M\Pine.max)", "", true};
    const KindRow oak{"12", R"(C:\M\Oak.max)", "Old Oak", true};
    const KindRow oakOff{"12", R"(C:\M\Oak.max)", "", false};
    const TableCase cases[] = {
        {"rows",
         {pine, {"7", "", "Fern", true}, oak},
         std::nullopt,
         true,
         {{"Vegetation_5", Status::Built, "", 8, "\"C:\\M\\PINE.MAX\"|$Pine.pos"},
          {"Vegetation_7", Status::Skipped, "no Max file", 0, ""},
          {"Vegetation_12", Status::Built, "", 4, "\"C:\\M\\OAK.MAX\"|$'Old Oak'.pos"}},
         "Wrote 2 scripts, 12 objects. Skipped: Vegetation_7 (no Max file)."},
        {"fallback and disabled",
         {pine, oakOff},
         R"(C:\M\Fern.max)",
         false,
         {{"Vegetation_5", Status::Built, "", 8, "\"C:\\M\\PINE.MAX\"|$Pine.pos"},
          {"Vegetation_7", Status::Built, "", 2, "\"C:\\M\\FERN.MAX\"|$Fern.pos"},
          {"Vegetation_12", Status::Skipped, "disabled", 0, ""}},
         "Built 2 scripts, 10 objects (not saved). Skipped: Vegetation_12 (disabled)."},
    };
    for (const TableCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        m_request.options.projectBasePath = dir.file("P");
        m_table = KindsTable();
        for (const KindRow& row : c.rows)
            m_table.set(row);
        m_request.fallbackMaxFile = c.fallbackMaxFile.value_or(std::string());
        m_request.options.saveToFile = c.save;

        const AllKindsResult result = BuildAllKinds(m_request);
        ASSERT_EQ(result.kinds.size(), c.kinds.size());
        for (std::size_t i = 0; i < c.kinds.size(); ++i) {
            const KindOutcome& got = result.kinds[i];
            const Expected& want = c.kinds[i];
            EXPECT_EQ(got.kind, want.kind);
            EXPECT_EQ(got.status, want.status) << want.kind;
            EXPECT_EQ(got.reason, want.reason) << want.kind;
            EXPECT_EQ(got.objects, want.objects) << want.kind;
            if (want.status != Status::Built)
                continue;
            EXPECT_EQ(std::filesystem::exists(got.scriptPath), c.save) << got.scriptPath;
            if (c.save) {
                const std::string text = ReadFileBytes(got.scriptPath);
                const std::size_t bar = want.merged.find('|');
                EXPECT_NE(text.find("mergeMAXFile " + want.merged.substr(0, bar)), std::string::npos) << text;
                EXPECT_NE(text.find("\r\n" + want.merged.substr(bar + 1) + " = ["), std::string::npos)
                    << text;
            }
        }
        EXPECT_EQ(result.summary, c.summary);
        EXPECT_FALSE(result.anyFailed());
        EXPECT_FALSE(result.cancelled);
        EXPECT_TRUE(result.messages.empty());
        EXPECT_FALSE(result.lastScript.empty()) << "the output pane shows the last script";
    }
}

// The joined file holds each script's lines followed by two empty lines, as the combiner joins them.
TEST_F(AllKindsTest, JoinsTheScriptsWrittenIntoOne) {
    m_table.set({"5", "Pine.max", "", true});
    m_table.set({"12", "Oak.max", "", true});
    m_request.joinInto = m_dir.file("P_MainVeg_All.ms");
    const AllKindsResult result = BuildAllKinds(m_request);
    EXPECT_EQ(result.joinedPath, m_request.joinInto);
    EXPECT_EQ(ReadFileBytes(m_request.joinInto),
              ReadFileBytes(script("05")) + "\r\n\r\n" + ReadFileBytes(script("12")) + "\r\n\r\n");
    EXPECT_TRUE(result.summary.ends_with(" Joined into P_MainVeg_All.ms.")) << result.summary;

    // A joined file that cannot be written is named in the summary; the scripts stay.
    m_request.joinInto = m_dir.file("missing/P_MainVeg_All.ms");
    const AllKindsResult unjoined = BuildAllKinds(m_request);
    EXPECT_TRUE(unjoined.joinedPath.empty());
    EXPECT_EQ(unjoined.messages.size(), 1u);
    EXPECT_NE(unjoined.summary.find("Skipped: Vegetation_7 (no Max file). Not joined: Unexpected error in "),
              std::string::npos)
        << unjoined.summary;
}

// A view and a kind's thinning keep the same plants in the kind's cache and the joined one, and the
// summary says how many of how many.
TEST_F(AllKindsTest, TheJoinedCacheHoldsThePlantsEachKindKept) {
    KindRow pine{"5", "Pine.max", "", true};
    pine.plants.thinning.keep = 0;
    m_table.set(pine);
    m_table.set({"12", "Oak.max", "", true});
    m_table.setViews({{{0, 0}, {1, 0}, 45, 10, 1e6, 0}});
    m_request.options.style.cache = PointCache::Csv;
    m_request.joinInto = m_dir.file("P_MainVeg_All.ms");
    const AllKindsResult result = BuildAllKinds(m_request);
    EXPECT_TRUE(result.summary.starts_with(
        "Wrote 2 scripts, 4 objects. Vegetation_5: 0 of 8 plants; Vegetation_12: 4 of 4 plants."))
        << result.summary;
    EXPECT_EQ(ReadFileBytes(m_dir.file("P_MainVeg_All.csv")), ReadFileBytes(m_dir.file("P_MainVeg_12.csv")));
}

// The run chooses every kind's plants in one pass over the records; each kind's script and cache are
// those the kind built alone writes, and the joined cache holds them all.
TEST_F(AllKindsTest, OnePassChoosesThePlantsEachKindAloneKeeps) {
    for (int i = 0; i < 40; ++i)
        m_records.append("12," + std::to_string(600 + i * 37) + ",1," + std::to_string(700 + i * 11));
    PlacementOptions& o = m_request.options;
    o.style = {ScriptShape::Fast, false, false, PointCache::Csv};
    KindRow pine{"5", "Pine.max", "", true};
    pine.plants.heights.min = ComputePlacementFrame(o).placement().placeNumbers(600, 3, 700).Z;
    KindRow oak{"12", "Oak.max", "", true};
    oak.plants.thinning.keep = 50;
    for (const KindRow& row : {pine, oak, KindRow{"7", "Ash.max", "", true}})
        m_table.set(row);
    m_request.joinInto = m_dir.file("P_MainVeg_All.ms");
    const AllKindsResult all = BuildAllKinds(m_request);
    ASSERT_EQ(all.kinds.size(), 3u);
    EXPECT_EQ(all.kinds[0].objects, 5u);
    EXPECT_TRUE(all.kinds[2].objects > 5 && all.kinds[2].objects < 40) << all.kinds[2].objects;
    std::string joined;
    for (const char* nn : {"05", "07", "12"}) {
        const std::string file = m_dir.file(std::string("P_MainVeg_") + nn);
        const std::string script = ReadFileBytes(file + ".ms"), cache = ReadFileBytes(file + ".csv");
        joined += cache.substr(joined.empty() ? 0 : cache.find('\n') + 1);
        const std::string number = nn[0] == '0' ? nn + 1 : nn;
        PlacementRequest alone;
        std::tie(alone.options, alone.records) =
            std::tuple(PlanKind(o, number, &m_table, {}, KindScope::All).options, &m_records);
        BuildPlacementScript(alone);
        EXPECT_EQ(ReadFileBytes(file + ".ms"), script) << nn;
        EXPECT_EQ(ReadFileBytes(file + ".csv"), cache) << nn;
    }
    EXPECT_EQ(ReadFileBytes(m_dir.file("P_MainVeg_All.csv")), joined);
}

// A script too big for the disk fails; the other kinds are built all the same.
TEST_F(AllKindsTest, GoesOnAfterAKindFails) {
    for (int i = 0; i < 40; ++i)
        m_records.append("5,600,1,700");
    m_table.set({"5", "Pine.max", "", true});
    m_table.set({"12", "Oak.max", "", true});
    m_request.tuning.fileByteLimit = 2000; // more than kind 12 needs, less than kind 5
    const AllKindsResult result = BuildAllKinds(m_request);
    ASSERT_EQ(result.kinds.size(), 3u);
    EXPECT_EQ(result.kinds[0].status, Status::Failed);
    EXPECT_EQ(result.kinds[2].status, Status::Built);
    EXPECT_TRUE(result.anyFailed());
    EXPECT_EQ(result.messages,
              (Messages{{MessageKind::Failure, "Unexpected error in BuildScript \n\n 61 - Disk "
                                               "full\n\nFile: " +
                                                   script("05")}}));
    EXPECT_EQ(result.summary, "Wrote 1 script, 4 objects. Skipped: Vegetation_7 (no Max file). "
                              "Failed: Vegetation_5 (Unexpected error in BuildScript 61 - Disk full File: " +
                                  script("05") + ").");
    EXPECT_FALSE(std::filesystem::exists(script("05")));
}

// Cancel pressed while the first kind is built: every report after the run's first says stop. The one
// display stays open over all kinds.
class CancelDuringFirstKind : public Progress {
public:
    void beginProgress(const std::string&) override { ++begun; }
    void endProgress() override { ++ended; }
    bool reportProgress(unsigned long long done, unsigned long long) override { return done == 0; }

    int begun = 0;
    int ended = 0;
};

TEST_F(AllKindsTest, StopsAfterTheCurrentKindWhenCancelled) {
    m_request.fallbackMaxFile = "Tree.max";
    m_request.joinInto = m_dir.file("P_MainVeg_All.ms");
    CancelDuringFirstKind cancel;
    m_request.progress = &cancel;
    const AllKindsResult result = BuildAllKinds(m_request);
    EXPECT_EQ(cancel.begun, 1);
    EXPECT_EQ(cancel.ended, 1);
    EXPECT_TRUE(result.cancelled);
    ASSERT_EQ(result.kinds.size(), 1u);
    EXPECT_EQ(result.kinds[0].status, Status::Built);
    EXPECT_TRUE(std::filesystem::exists(script("05"))) << "the kind being built when Cancel came is whole";
    EXPECT_FALSE(std::filesystem::exists(script("07")));
    EXPECT_FALSE(std::filesystem::exists(m_request.joinInto)) << "a stopped run joins nothing";
    EXPECT_EQ(result.summary, "Wrote 1 script, 8 objects. Stopped before the other kinds.");
}

} // namespace
} // namespace tes::test
