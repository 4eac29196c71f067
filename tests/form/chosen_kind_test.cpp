#include "form/chosen_kind.h"

#include <gtest/gtest.h>

namespace tes {
namespace {

// The Kinds dialog opens on the kind the combo box names, however it was picked or typed.
TEST(ChosenKind, NamesTheEntryTheKindsDialogOpensOn) {
    std::vector<KindEntry> entries(3);
    entries[0].row = KindRow("1");
    entries[1].row = KindRow("5");
    entries[2].row = KindRow("12");
    const std::pair<const char*, std::optional<std::size_t>> cases[] = {{"Vegetation_5:  Oak Tree", 1},
                                                                        {"vegetation_012", 2},
                                                                        {"Vegetation_7:", std::nullopt},
                                                                        {"", std::nullopt}};
    for (const auto& [combo, entry] : cases)
        EXPECT_EQ(ChosenKindEntry(entries, combo), entry) << combo;
}

} // namespace
} // namespace tes
