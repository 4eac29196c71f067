#include "form/chosen_kind.h"

#include <gtest/gtest.h>

namespace tes {
namespace {

// The Kinds dialog opens on the kind the combo box names, however it was picked or typed.
TEST(ChosenKind, NamesTheEntryTheKindsDialogOpensOn) {
    const std::vector<KindEntry> entries{{.row = {"1"}}, {.row = {"5"}}, {.row = {"12"}}};
    const std::pair<const char*, std::optional<std::size_t>> cases[] = {{"Vegetation_5:  Oak Tree", 1},
                                                                        {"vegetation_012", 2},
                                                                        {"Vegetation_7:", std::nullopt},
                                                                        {"", std::nullopt}};
    for (const auto& [combo, entry] : cases)
        EXPECT_EQ(ChosenKindEntry(entries, combo), entry) << combo;
}

} // namespace
} // namespace tes
