#pragma once

#include "project/kinds_table.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tes {

// The field a refusal or a mark names, so that the window can put the focus on it.
enum class VariationField {
    TurnFrom,
    TurnTo,
    ScaleFrom,
    ScaleTo,
    Weight,
    Keep,
    ThinBeyond,
    KeepFar,
    FarFile,
    FarObject,
    FarFrom,
    BoxFrom,
    Stand,
    VariantFile,
    VariantObject,
    VariantWeight
};

// A field that shows a value the kinds table holds but could not read, as the user wrote it, so that
// it can be mended where it stands. The mark holds while the field holds that text.
struct VariationMark {
    VariationField field = VariationField::TurnFrom;
    std::size_t variant = 0; // which variant, for the variant's fields
    std::string text;        // the field's text as the table gave it
    std::string why;         // "Turn=0:36O is not FROM:TO"
    bool operator==(const VariationMark&) const = default;
};

// How one kind's plants differ, as a window's fields hold it while the user types: the ends of the
// turn and the scale (both empty: no range), the weight of the row's own Max file, the variants, the
// thinning's percents and distance, the far model with its distances, and where the model stands.
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
    std::string keep = "100";
    std::string thinBeyond = "0";
    std::string keepFar = "100";
    std::string farFile = {}; // the far model: empty, none
    std::string farObject = {};
    std::string farFrom = "0";
    std::string boxFrom = "0";
    std::string stand = {}; // the Stand as the table writes it: "" (the default), "pivot" or "base"
    std::vector<VariationMark> marks{};
    bool operator==(const VariationTexts&) const = default;
};

struct VariationRefusal {
    VariationField field = VariationField::TurnFrom;
    std::size_t variant = 0; // which variant, for the variant's fields
    std::string text;        // the message, naming the kind and the field
};

// A value the table could not read, as one sentence: "Turn=0:36O is not FROM:TO".
std::string FaultSentence(const KeyFault& fault);

// The row's variation as text, numbers written as the kinds table writes them. A value the table
// could not read is shown as the user wrote it, and marked: a range split at its first colon, a
// variant split at its bars, in its place among the variants.
VariationTexts VariationTextsOf(const KindRow& row);

// Puts the texts into the row, or leaves the row as it is and says which field is wrong. The turn, the
// scale, the weight, the variants (as a whole), the far model, each number of the thinning and the
// level of detail, and the stand whose texts are those
// VariationTextsOf gives stay as they are, faults included, so their lines in the table stay the
// user's. The others are read as the table reads its keys; read, their faults are forgotten. Beyond that, a
// variant needs a Max file and no | in its file or object name (the table separates a variant's parts with
// it).
std::optional<VariationRefusal> ApplyVariationTexts(const VariationTexts& texts, KindRow& row);

// The texts of a kind once its row was read again under the dialog: each value whose fields hold what
// was `shown` takes the texts and marks of `now`; a value the user typed into stays as typed.
VariationTexts FollowedTexts(const VariationTexts& shown, const VariationTexts& typed,
                             const VariationTexts& now);

} // namespace tes
