#pragma once

#include "project/kind_key_table.h"
#include "project/kinds_table.h"

#include <vector>

// The pieces the declarations of the per-kind keys are made of (project/kind_key_table.cpp and the
// files of the declarations split from it).
namespace tes {

// The functions of a key whose value `Get` reaches in a row (a reference, or a tuple of them), read by
// `Read` and written by `Text`.
template <auto Get, auto Read, auto Text> KindKey Codec(KindKey key) {
    key.read = [](std::string_view text, KindRow& row) {
        auto value = Read(text);
        if (value.read())
            Get(row) = std::move(value.value);
        return std::move(value.problem);
    };
    key.texts = [](const KindRow& row) { return std::vector<std::string>{Text(row)}; };
    key.same = [](const KindRow& a, const KindRow& b) { return Get(a) == Get(b); };
    key.take = [](const KindRow& from, KindRow& to) { Get(to) = Get(from); };
    return key;
}

// The keys of how many plants are kept, where and how they grow lighter, and where they stand, in the
// order `kinds` prints them (project/kind_key_placement.cpp).
void AppendPlacementKeys(std::vector<KindKey>& keys);

} // namespace tes
