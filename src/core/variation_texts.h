#pragma once

#include "project/kinds_table.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tes {

// How one kind's plants differ, as a window's fields hold it while the user types: the ends of the
// turn and the scale (both empty: no range), the weight of the row's own Max file, and the variants.
struct VariationTexts {
    struct Variant {
        std::string maxFile;
        std::string objectName; // empty: the Max file's name
        std::string weight = "1";
        bool operator==(const Variant&) const = default;
    };
    std::string turnFrom;
    std::string turnTo;
    std::string scaleFrom;
    std::string scaleTo;
    std::string weight = "1";
    std::vector<Variant> variants;
    bool operator==(const VariationTexts&) const = default;
};

// The field a refusal names, so that the window can put the focus on it.
enum class VariationField {
    TurnFrom,
    TurnTo,
    ScaleFrom,
    ScaleTo,
    Weight,
    VariantFile,
    VariantObject,
    VariantWeight
};

struct VariationRefusal {
    VariationField field = VariationField::TurnFrom;
    std::size_t variant = 0; // which variant, for the variant's fields
    std::string text;        // the message, naming the kind and the field
};

// The row's variation as text, numbers written as the kinds table writes them.
VariationTexts VariationTextsOf(const KindRow& row);

// Puts the texts into the row (its turn, scale, weight and variants), or leaves it as it is and says
// which field is wrong: an end of a range that is not a number or has no partner, a range whose From
// lies above its To, a scale not above 0, a weight that is not a whole number of 1 or more, a variant
// without a Max file, or a | in a file or object name (the table separates a variant's parts with it).
std::optional<VariationRefusal> ApplyVariationTexts(const VariationTexts& texts, KindRow& row);

// The project's seed from its field's text: a whole number, or nothing.
std::optional<std::int64_t> ParseSeed(std::string_view text);
// The refusal of a seed that is not one.
std::string SeedRefusal(std::string_view text);

} // namespace tes
