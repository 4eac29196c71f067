// What OK in the Kinds dialog stores: a row whose plants' variation alone changed is stored too.
#include "core/plants/kind_entries.h"

#include <gtest/gtest.h>

namespace tes {
namespace {

TEST(KindEntries, ARowWhoseVariationAloneChangedIsStored) {
    KindRow turned{"5", "D:\\M\\Oak.max", "", true};
    turned.turn = ValueRange{0, 360};
    KindRow weighted = turned;
    weighted.weight = 2;
    KindRow varied = turned;
    varied.variants = {{"D:\\M\\Old.max", "", 1}};
    KindRow bare{"5", "", "", true};
    bare.turn = ValueRange{-15, 15};
    const struct {
        const char* name;
        std::optional<KindRow> known; // the table's row before
        KindRow edited;
        bool stored;
    } cases[] = {
        {"unchanged", turned, turned, false},
        {"turn", KindRow{"5", "D:\\M\\Oak.max", "", true}, turned, true},
        {"weight", turned, weighted, true},
        {"variants", turned, varied, true},
        {"new row with a turn only", std::nullopt, bare, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        KindsTable table;
        if (c.known)
            table.set(*c.known);
        KindEntry entry;
        entry.row = c.edited;
        EXPECT_EQ(StoreKindEntries({entry}, table), c.stored);
        ASSERT_NE(table.find("5"), nullptr);
        EXPECT_EQ(table.find("5")->turn, entry.row.turn);
        EXPECT_EQ(table.find("5")->weight, entry.row.weight);
        EXPECT_EQ(table.find("5")->variants, entry.row.variants);
    }
}

} // namespace
} // namespace tes
