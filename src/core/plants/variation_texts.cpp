#include "core/plants/variation_texts.h"

#include "lib/fields.h"
#include "lib/ini.h"
#include "lib/numbers.h"
#include "project/kind_keys.h"
#include "project/kinds_table_lines.h"

#include <algorithm>
#include <iterator>
#include <tuple>

namespace tes {

namespace {

using F = VariationField;

std::string Quoted(std::string_view text) {
    // Appended rather than "\"" + text, which GCC 12 at -O3 warns of wrongly (-Wrestrict).
    std::string quoted = "\"";
    quoted.append(text).append("\"");
    return quoted;
}

// A number of the thinning or the level of detail: its key, the field's name in a refusal, and how the
// table reads it.
template <typename Group> struct NumberPart {
    std::string_view key;
    const char* name;
    F field;
    std::string VariationTexts::*text;
    Group KindRow::*group;
    double Group::*value;
    KeyValue<double> (*read)(std::string_view);
};

const NumberPart<PlantThinning> kThinningParts[] = {
    {"Keep", "keep", F::Keep, &VariationTexts::keep, &KindRow::thinning, &PlantThinning::keep, ReadKeep},
    {"ThinBeyond", "thin beyond", F::ThinBeyond, &VariationTexts::thinBeyond, &KindRow::thinning,
     &PlantThinning::thinBeyond, ReadDistance},
    {"KeepFar", "keep far", F::KeepFar, &VariationTexts::keepFar, &KindRow::thinning, &PlantThinning::keepFar,
     ReadKeep},
};
const NumberPart<PlantDetail> kDetailParts[] = {
    {"FarFrom", "far model beyond", F::FarFrom, &VariationTexts::farFrom, &KindRow::detail,
     &PlantDetail::farFrom, ReadDistance},
    {"BoxFrom", "boxes beyond", F::BoxFrom, &VariationTexts::boxFrom, &KindRow::detail, &PlantDetail::boxFrom,
     ReadDistance},
};

// Calls `f` with each number part.
template <typename Visit> void ForEachNumberPart(Visit f) {
    for (const auto& part : kThinningParts)
        f(part);
    for (const auto& part : kDetailParts)
        f(part);
}

// Checks the fields one after another and keeps the first refusal, which reads
// "Kind 5, turn to: the turn has a TO that is not a number."
struct Checker {
    std::string kind;
    std::optional<VariationRefusal> refusal;

    void refuse(F field, std::size_t variant, const std::string& name, const std::string& problem) {
        if (!refusal)
            refusal = VariationRefusal{field, variant, "Kind " + kind + ", " + name + ": " + problem + "."};
    }

    std::optional<ValueRange> range(std::string_view from, std::string_view to, F fromField, F toField,
                                    const std::string& name, bool positive) {
        RangeEndsValue read = ReadRangeEnds(from, to, positive);
        if (!read.read())
            refuse(read.toEnd ? toField : fromField, 0, name + (read.toEnd ? " to" : " from"),
                   "the " + name + " " + read.problem);
        return read.value;
    }

    std::uint32_t weight(std::string_view text, F field, std::size_t variant, const std::string& name) {
        const KeyValue<std::uint32_t> read = ReadWeight(text);
        if (!read.read())
            refuse(field, variant, name, Quoted(TrimIniBlanks(text)) + " " + read.problem);
        return read.value;
    }

    PlantStand stand(std::string_view text) {
        const KeyValue<PlantStand> read = ReadStand(text);
        if (!read.read())
            refuse(F::Stand, 0, "stand", Quoted(TrimIniBlanks(text)) + " " + read.problem);
        return read.value;
    }

    template <typename Part> double number(std::string_view text, const Part& part) {
        const KeyValue<double> read = part.read(text);
        if (!read.read())
            refuse(part.field, 0, part.name, Quoted(TrimIniBlanks(text)) + " " + read.problem);
        return read.value;
    }
};

bool IsKey(const KeyFault& fault, std::string_view key) {
    return EqualsIgnoringAsciiCase(fault.key, key);
}

// The text before the first separator, and the rest; all of it before when there is none.
std::pair<std::string, std::string> SplitAtFirst(std::string_view text, char separator) {
    const std::size_t at = text.find(separator);
    if (at == std::string_view::npos)
        return {std::string(text), {}};
    return {std::string(text.substr(0, at)), std::string(text.substr(at + 1))};
}

// Shows the faulty variants as the user wrote them, each at its place among the others.
void AddFaultyVariants(std::vector<const KeyFault*> faults, VariationTexts& texts) {
    std::stable_sort(faults.begin(), faults.end(),
                     [](const KeyFault* a, const KeyFault* b) { return a->variant < b->variant; });
    for (const KeyFault* fault : faults) {
        const auto [file, rest] = SplitAtFirst(fault->text, '|');
        const auto [object, weight] = SplitAtFirst(rest, '|');
        const std::size_t place = std::min(fault->variant, texts.variants.size());
        texts.variants.insert(texts.variants.begin() + static_cast<std::ptrdiff_t>(place),
                              {file, object, weight});
        const std::string why = FaultSentence(*fault);
        texts.marks.push_back({F::VariantFile, place, file, why});
        texts.marks.push_back({F::VariantObject, place, object, why});
        texts.marks.push_back({F::VariantWeight, place, weight, why});
    }
}

// The fault of variant `place` when its fields still hold the texts the table gave it: a variant the
// user did not touch keeps its line as written, whatever was done to the others.
const KeyFault* UntouchedVariantFault(const VariationTexts& texts, std::size_t place, const KindRow& row) {
    const VariationTexts::Variant& typed = texts.variants[place];
    std::optional<std::string> why;
    int held = 0;
    for (const VariationMark& mark : texts.marks) {
        const std::string* text = mark.field == F::VariantFile     ? &typed.maxFile
                                  : mark.field == F::VariantObject ? &typed.objectName
                                  : mark.field == F::VariantWeight ? &typed.weight
                                                                   : nullptr;
        if (!text || mark.variant != place)
            continue;
        if (*text != mark.text)
            return nullptr;
        why = mark.why;
        ++held;
    }
    if (held != 3)
        return nullptr;
    const auto fault = std::find_if(row.faults.begin(), row.faults.end(), [&why](const KeyFault& fault) {
        return kinds_lines::IsVariantKey(fault.key) && FaultSentence(fault) == *why;
    });
    return fault == row.faults.end() ? nullptr : &*fault;
}

} // namespace

std::string FaultSentence(const KeyFault& fault) {
    return fault.key + "=" + fault.text + " " + fault.problem;
}

VariationTexts VariationTextsOf(const KindRow& row) {
    VariationTexts texts;
    if (row.turn) {
        texts.turnFrom = DecimalText(row.turn->from);
        texts.turnTo = DecimalText(row.turn->to);
    }
    if (row.scale) {
        texts.scaleFrom = DecimalText(row.scale->from);
        texts.scaleTo = DecimalText(row.scale->to);
    }
    texts.weight = std::to_string(row.weight);
    for (const KindVariant& variant : row.variants)
        texts.variants.push_back({variant.maxFile, variant.objectName, std::to_string(variant.weight)});
    ForEachNumberPart([&](const auto& part) { texts.*part.text = DecimalText(row.*part.group.*part.value); });
    texts.farFile = row.detail.farFile;
    texts.farObject = row.detail.farObject;
    texts.stand = StandText(row.stand);

    std::vector<const KeyFault*> faultyVariants;
    for (const KeyFault& fault : row.faults) {
        const std::string why = FaultSentence(fault);
        if (IsKey(fault, "Turn") || IsKey(fault, "Scale")) {
            const bool turn = IsKey(fault, "Turn");
            auto [from, to] = SplitAtFirst(fault.text, ':');
            texts.marks.push_back({turn ? F::TurnFrom : F::ScaleFrom, 0, from, why});
            texts.marks.push_back({turn ? F::TurnTo : F::ScaleTo, 0, to, why});
            (turn ? texts.turnFrom : texts.scaleFrom) = std::move(from);
            (turn ? texts.turnTo : texts.scaleTo) = std::move(to);
        } else if (IsKey(fault, "Weight")) {
            texts.weight = fault.text;
            texts.marks.push_back({F::Weight, 0, fault.text, why});
        } else if (kinds_lines::IsVariantKey(fault.key)) {
            faultyVariants.push_back(&fault);
        }
        if (IsKey(fault, "FarModel")) {
            std::tie(texts.farFile, texts.farObject) = SplitAtFirst(fault.text, '|');
            texts.marks.push_back({F::FarFile, 0, texts.farFile, why});
            texts.marks.push_back({F::FarObject, 0, texts.farObject, why});
        }
        if (IsKey(fault, "Stand")) {
            texts.stand = fault.text;
            texts.marks.push_back({F::Stand, 0, fault.text, why});
        }
        ForEachNumberPart([&](const auto& part) {
            if (IsKey(fault, part.key)) {
                texts.*part.text = fault.text;
                texts.marks.push_back({part.field, 0, fault.text, why});
            }
        });
    }
    AddFaultyVariants(std::move(faultyVariants), texts);
    return texts;
}

std::optional<VariationRefusal> ApplyVariationTexts(const VariationTexts& texts, KindRow& row) {
    // What the fields held when they were shown: those parts are the row's as they stand.
    const VariationTexts shown = VariationTextsOf(row);
    KindRow taken = row;
    Checker check{row.number, std::nullopt};
    if (texts.turnFrom != shown.turnFrom || texts.turnTo != shown.turnTo) {
        taken.turn = check.range(texts.turnFrom, texts.turnTo, F::TurnFrom, F::TurnTo, "turn", false);
        taken.clearFault("Turn");
    }
    if (texts.scaleFrom != shown.scaleFrom || texts.scaleTo != shown.scaleTo) {
        taken.scale = check.range(texts.scaleFrom, texts.scaleTo, F::ScaleFrom, F::ScaleTo, "scale", true);
        taken.clearFault("Scale");
    }
    if (texts.weight != shown.weight) {
        taken.weight = check.weight(texts.weight, F::Weight, 0, "weight");
        taken.clearFault("Weight");
    }
    if (texts.variants != shown.variants) {
        taken.variants.clear();
        std::vector<std::pair<std::size_t, std::size_t>> keptFaults; // the row's fault, its place now
        for (std::size_t i = 0; i < texts.variants.size(); ++i) {
            if (const KeyFault* fault = UntouchedVariantFault(texts, i, row)) {
                keptFaults.emplace_back(static_cast<std::size_t>(fault - row.faults.data()), i);
                continue;
            }
            const VariationTexts::Variant& typed = texts.variants[i];
            const std::string name = "variant " + std::to_string(i + 1) + ", ";
            KindVariant variant{std::string(TrimIniBlanks(typed.maxFile)),
                                std::string(TrimIniBlanks(typed.objectName)), 1};
            if (variant.maxFile.empty())
                check.refuse(F::VariantFile, i, name + "Max file", "empty");
            else if (variant.maxFile.find('|') != std::string::npos)
                check.refuse(F::VariantFile, i, name + "Max file", "a | cannot stand in it");
            if (variant.objectName.find('|') != std::string::npos)
                check.refuse(F::VariantObject, i, name + "object", "a | cannot stand in it");
            variant.weight = check.weight(typed.weight, F::VariantWeight, i, name + "weight");
            taken.variants.push_back(std::move(variant));
        }
        // The faults of variants left as written stay where they were among the row's faults.
        std::vector<KeyFault> faults;
        for (std::size_t i = 0; i < row.faults.size(); ++i) {
            const auto kept = std::find_if(keptFaults.begin(), keptFaults.end(),
                                           [i](const auto& fault) { return fault.first == i; });
            if (kept != keptFaults.end()) {
                faults.push_back(row.faults[i]);
                faults.back().variant = kept->second;
            } else if (!kinds_lines::IsVariantKey(row.faults[i].key)) {
                faults.push_back(row.faults[i]);
            }
        }
        taken.faults = std::move(faults);
    }
    if (texts.farFile != shown.farFile || texts.farObject != shown.farObject) {
        taken.detail.farFile = TrimIniBlanks(texts.farFile);
        taken.detail.farObject = TrimIniBlanks(texts.farObject);
        if (taken.detail.farFile.empty() && !taken.detail.farObject.empty())
            check.refuse(F::FarFile, 0, "far model", "its object needs the Max file it is in");
        else if (taken.detail.farFile.find('|') != std::string::npos)
            check.refuse(F::FarFile, 0, "far model", "a | cannot stand in its Max file");
        taken.clearFault("FarModel");
    }
    ForEachNumberPart([&](const auto& part) {
        if (texts.*part.text != shown.*part.text) {
            taken.*part.group.*part.value = check.number(texts.*part.text, part);
            taken.clearFault(part.key);
        }
    });
    if (texts.stand != shown.stand) {
        taken.stand = check.stand(texts.stand);
        taken.clearFault("Stand");
    }
    if (check.refusal)
        return check.refusal;
    row = std::move(taken);
    return std::nullopt;
}

VariationTexts FollowedTexts(const VariationTexts& shown, const VariationTexts& typed,
                             const VariationTexts& now) {
    using T = VariationTexts;
    // The values, each with the fields that hold it; the variants are one value, as the table's.
    struct Value {
        std::vector<std::string T::*> texts;
        std::vector<F> fields;
    };
    static const Value kValues[] = {
        {{&T::turnFrom, &T::turnTo}, {F::TurnFrom, F::TurnTo}},
        {{&T::scaleFrom, &T::scaleTo}, {F::ScaleFrom, F::ScaleTo}},
        {{&T::weight}, {F::Weight}},
        {{}, {F::VariantFile, F::VariantObject, F::VariantWeight}},
        {{&T::keep}, {F::Keep}},
        {{&T::thinBeyond}, {F::ThinBeyond}},
        {{&T::keepFar}, {F::KeepFar}},
        {{&T::farFile, &T::farObject}, {F::FarFile, F::FarObject}},
        {{&T::farFrom}, {F::FarFrom}},
        {{&T::boxFrom}, {F::BoxFrom}},
        {{&T::stand}, {F::Stand}},
    };
    VariationTexts followed = typed;
    followed.marks.clear();
    for (const Value& value : kValues) {
        const bool variants = value.texts.empty();
        bool untouched = !variants || typed.variants == shown.variants;
        for (std::string T::*text : value.texts)
            untouched = untouched && typed.*text == shown.*text;
        const VariationTexts& from = untouched ? now : typed;
        for (std::string T::*text : value.texts)
            followed.*text = from.*text;
        if (variants)
            followed.variants = from.variants;
        std::copy_if(from.marks.begin(), from.marks.end(), std::back_inserter(followed.marks),
                     [&value](const VariationMark& mark) {
                         return std::find(value.fields.begin(), value.fields.end(), mark.field) !=
                                value.fields.end();
                     });
    }
    return followed;
}

} // namespace tes
