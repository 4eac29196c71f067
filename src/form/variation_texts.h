#pragma once

#include "project/kind_key_table.h"
#include "project/kinds_table.h"

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tes {

// A field of the Kinds dialog: the key whose text it holds, and which part of the text when the key has
// several (a range's FROM and TO, the far model's file and object, a variant's file, object and weight).
struct VariationField {
    const KindKey* key = nullptr;
    std::size_t part = 0;
    bool operator==(const VariationField&) const = default;
};

// The parts of a variant's text, FILE|OBJECT|WEIGHT, each a column of the dialog's table of variants.
enum VariantPart : std::size_t { VariantFilePart, VariantObjectPart, VariantWeightPart, VariantParts };

// A field that shows a value the kinds table holds but could not read, as the user wrote it, so that
// it can be mended where it stands. The mark holds while the field holds that text.
struct VariationMark {
    VariationField field;
    std::size_t variant = 0; // which variant, for the variant's fields
    std::string text;        // the field's text as the table gave it
    std::string why;         // "Turn=0:36O is not FROM:TO"
    bool operator==(const VariationMark&) const = default;
};

// How one kind's plants differ, as the Kinds dialog's fields hold it while the user types: the texts of
// the fields of each key the dialog shows in fields, and the variants.
struct VariationTexts {
    struct Variant {
        std::string maxFile;
        std::string objectName; // empty: the Max file's name
        std::string weight = "1";
        bool operator==(const Variant&) const = default;
    };
    // By the key's name as the file writes it, the texts of its fields in the order of its `fields`.
    std::map<std::string, std::vector<std::string>, std::less<>> fieldTexts;
    std::vector<Variant> variants;
    std::vector<VariationMark> marks{};

    // The text of a key's field; empty when none is held.
    const std::string& text(VariationField field) const;
    void setText(VariationField field, std::string text);
    bool operator==(const VariationTexts&) const = default;
};

struct VariationRefusal {
    VariationField field;
    std::size_t variant = 0; // which variant, for the variant's fields
    std::string text;        // the message, naming the kind and the field
};

// The row's variation as text, each key's as the kinds table writes it, split among its fields at its
// separator (at the first, the rest in the last field). A value the table could not read is shown as
// the user wrote it, and marked; a faulty variant in its place among the variants.
VariationTexts VariationTextsOf(const KindRow& row);

// Puts the texts into the row, or leaves the row as it is and says which field is wrong. Each key whose
// fields hold the texts VariationTextsOf gives (the variants as a whole) stays as it is, faults included,
// so its line in the table stays the user's. The others are read as the key's declaration reads its
// fields; read, their faults are forgotten. Beyond that, a variant needs a Max file and no | in its file
// or object name (the table separates a variant's parts with it).
std::optional<VariationRefusal> ApplyVariationTexts(const VariationTexts& texts, KindRow& row);

// The texts of a kind once its row was read again under the dialog: each value whose fields hold what
// was `shown` takes the texts and marks of `now`; a value the user typed into stays as typed.
VariationTexts FollowedTexts(const VariationTexts& shown, const VariationTexts& typed,
                             const VariationTexts& now);

} // namespace tes
