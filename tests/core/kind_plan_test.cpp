#include "core/plants/kind_plan.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace tes::test {
namespace {

// One precedence for every way of building a kind: the row's Max file, else the fallback; the row's
// variation whatever gives the file; a row that cannot be read refused; in every kind's run, a
// disabled row or a kind without a file passed over.
TEST(PlanKind, TheRowsFileBeatsTheFallbackAndItsVariationAlwaysApplies) {
    TempDir dir;
    Messages notices;
    const KindsTable table = KindsTable::Read(
        dir.write("V.tes.ini", "[Vegetation_1]\r\nMaxFile=C:\\Oak.max\r\nObjectName=Oak_01\r\nTurn=0:90\r\n"
                               "[Vegetation_2]\r\nScale=80:120\r\n"
                               "[Vegetation_3]\r\nMaxFile=C:\\Fir.max\r\nEnabled=0\r\n"
                               "[Vegetation_4]\r\nMaxFile=C:\\Elm.max\r\nWeight=1O\r\n"
                               "[Vegetation_5]\r\nMaxFile=C:\\Ash.max\r\nVariant1=C:\\Ash2.max||1\r\n"),
        notices);
    // A seed that cannot be read stops only the kinds whose plants vary.
    const KindsTable unseeded = KindsTable::Read(
        dir.write("W.tes.ini", "[Variation]\r\nSeed=x\r\n[Vegetation_5]\r\nMaxFile=C:\\Ash.max\r\n"
                               "Variant1=C:\\Ash2.max||1\r\n[Vegetation_6]\r\nMaxFile=C:\\Yew.max\r\n"),
        notices);
    using S = KindPlan::Status;
    const struct {
        const char* number;
        const KindsTable* table;
        KindFallback fallback;
        KindScope scope;
        S status;
        const char* file; // or the reason
        const char* object;
    } cases[] = {
        {"1", &table, {"D:\\Pine.max", ""}, KindScope::One, S::Build, "C:\\Oak.max", "Oak_01"},
        {"1", &table, {}, KindScope::All, S::Build, "C:\\Oak.max", "Oak_01"},
        {"2", &table, {"D:\\Pine.max", "Pine_2"}, KindScope::One, S::Build, "D:\\Pine.max", "Pine_2"},
        {"2", &table, {"D:\\Pine.max", ""}, KindScope::All, S::Build, "D:\\Pine.max", "Pine"},
        {"2", &table, {}, KindScope::All, S::Skip, "no Max file", ""},
        {"3", &table, {}, KindScope::All, S::Skip, "disabled", ""},
        {"3", &table, {}, KindScope::One, S::Build, "C:\\Fir.max", "Fir"},
        {"4",
         &table,
         {},
         KindScope::One,
         S::Refuse,
         "Vegetation_4: Weight=1O in V.tes.ini is not a whole number from 0 to 1000000",
         ""},
        {"5",
         &unseeded,
         {},
         KindScope::All,
         S::Refuse,
         "Variation: Seed=x in W.tes.ini is not a whole number from -9223372036854775808 to "
         "9223372036854775807",
         ""},
        {"6", &unseeded, {}, KindScope::All, S::Build, "C:\\Yew.max", "Yew"},
        {"7", &table, {"D:\\Pine.max", ""}, KindScope::All, S::Build, "D:\\Pine.max", "Pine"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.number) + (c.scope == KindScope::One ? " alone" : " of all"));
        const KindPlan plan = PlanKind(PlacementOptions{}, c.number, c.table, c.fallback, c.scope);
        EXPECT_EQ(plan.status, c.status);
        if (plan.status != S::Build) {
            EXPECT_EQ(plan.reason, c.file);
            continue;
        }
        EXPECT_EQ(plan.options.kindNumber, c.number);
        EXPECT_EQ(plan.options.maxFile, c.file);
        EXPECT_EQ(plan.options.objectName, c.object);
        const KindRow* row = c.table->find(c.number);
        EXPECT_EQ(plan.options.plants.turn, row ? row->plants.turn : std::nullopt);
        EXPECT_EQ(plan.options.plants.scale, row ? row->plants.scale : std::nullopt);
    }
}

} // namespace
} // namespace tes::test
