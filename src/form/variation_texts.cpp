#include "form/variation_texts.h"

#include "core/plants/kind_entries.h"
#include "lib/ini.h"
#include "project/kind_keys.h"

#include <algorithm>
#include <iterator>

namespace tes {

namespace {

std::string Quoted(std::string_view text) {
    // Appended rather than "\"" + text, which GCC 12 at -O3 warns of wrongly (-Wrestrict).
    std::string quoted = "\"";
    quoted.append(text).append("\"");
    return quoted;
}

// Whether the dialog shows the key in fields of its own.
bool HasFields(const KindKey& key) {
    return !key.list && !key.fields.empty();
}

// A key's text as `count` fields: split at each separator but the rest in the last, so "0:36O" is 0
// and 36O; missing parts are empty.
std::vector<std::string> SplitIntoParts(std::string_view text, char separator, std::size_t count) {
    std::vector<std::string> parts;
    while (parts.size() + 1 < count) {
        const std::size_t at = text.find(separator);
        if (at == std::string_view::npos)
            break;
        parts.emplace_back(text.substr(0, at));
        text.remove_prefix(at + 1);
    }
    parts.emplace_back(text);
    parts.resize(count);
    return parts;
}

// The texts of the key's fields, as many as it has.
std::vector<std::string> FieldTextsOf(const VariationTexts& texts, const KindKey& key) {
    const auto it = texts.fieldTexts.find(key.name);
    std::vector<std::string> parts = it == texts.fieldTexts.end() ? std::vector<std::string>() : it->second;
    parts.resize(key.fields.size());
    return parts;
}

// Checks the fields one after another and keeps the first refusal, which reads
// "Kind 5, turn to: the turn has a TO that is not a number."
struct Checker {
    std::string kind;
    std::optional<VariationRefusal> refusal;

    void refuse(VariationField field, std::size_t variant, const std::string& name,
                const std::string& problem) {
        if (!refusal)
            refusal = VariationRefusal{field, variant, "Kind " + kind + ", " + name + ": " + problem + "."};
    }

    // Reads a key's fields into the row as its declaration does.
    void fields(const KindKey& key, const std::vector<std::string>& texts, KindRow& row) {
        if (key.readFields) {
            if (const std::optional<FieldProblem> problem = key.readFields(key, texts, row))
                refuse({&key, problem->part}, 0, problem->field, problem->problem);
            return;
        }
        // The parts joined as the file writes them.
        std::string text;
        for (std::size_t part = 0; part < texts.size(); ++part)
            text += (part == 0 ? "" : std::string(1, key.partsSeparator)) + texts[part];
        const std::string problem = key.read(text, row);
        if (!problem.empty())
            refuse({&key, 0}, 0, std::string(key.title), Quoted(TrimIniBlanks(text)) + " " + problem);
    }

    std::uint32_t weight(std::string_view text, VariationField field, std::size_t variant,
                         const std::string& name) {
        const KeyValue<std::uint32_t> read = ReadWeight(text);
        if (!read.read())
            refuse(field, variant, name, Quoted(TrimIniBlanks(text)) + " " + read.problem);
        return read.value;
    }
};

// Shows the faulty variants as the user wrote them, each at its place among the others.
void AddFaultyVariants(const KindKey& key, std::vector<const KeyFault*> faults, VariationTexts& texts) {
    std::stable_sort(faults.begin(), faults.end(),
                     [](const KeyFault* a, const KeyFault* b) { return a->variant < b->variant; });
    for (const KeyFault* fault : faults) {
        const std::vector<std::string> parts = SplitIntoParts(fault->text, key.partsSeparator, VariantParts);
        const std::size_t place = std::min(fault->variant, texts.variants.size());
        texts.variants.insert(texts.variants.begin() + static_cast<std::ptrdiff_t>(place),
                              {parts[VariantFilePart], parts[VariantObjectPart], parts[VariantWeightPart]});
        const std::string why = FaultSentence(*fault);
        for (std::size_t part = 0; part < VariantParts; ++part)
            texts.marks.push_back({{&key, part}, place, parts[part], why});
    }
}

const std::string& VariantPartText(const VariationTexts::Variant& variant, std::size_t part) {
    return part == VariantFilePart     ? variant.maxFile
           : part == VariantObjectPart ? variant.objectName
                                       : variant.weight;
}

// The fault of variant `place` when its fields still hold the texts the table gave it: a variant the
// user did not touch keeps its line as written, whatever was done to the others.
const KeyFault* UntouchedVariantFault(const KindKey& key, const VariationTexts& texts, std::size_t place,
                                      const KindRow& row) {
    const VariationTexts::Variant& typed = texts.variants[place];
    std::optional<std::string> why;
    std::size_t held = 0;
    for (const VariationMark& mark : texts.marks) {
        if (mark.field.key != &key || mark.variant != place)
            continue;
        if (VariantPartText(typed, mark.field.part) != mark.text)
            return nullptr;
        why = mark.why;
        ++held;
    }
    if (held != VariantParts)
        return nullptr;
    const auto fault = std::find_if(row.faults.begin(), row.faults.end(), [&](const KeyFault& fault) {
        return key.names(fault.key) && FaultSentence(fault) == *why;
    });
    return fault == row.faults.end() ? nullptr : &*fault;
}

// Takes the variants as typed into `taken`, those left as the table wrote them with their faults.
void TakeVariants(const KindKey& key, const VariationTexts& texts, const KindRow& row, Checker& check,
                  KindRow& taken) {
    taken.plants.variants.clear();
    std::vector<std::pair<std::size_t, std::size_t>> keptFaults; // the row's fault, its place now
    for (std::size_t i = 0; i < texts.variants.size(); ++i) {
        if (const KeyFault* fault = UntouchedVariantFault(key, texts, i, row)) {
            keptFaults.emplace_back(static_cast<std::size_t>(fault - row.faults.data()), i);
            continue;
        }
        const VariationTexts::Variant& typed = texts.variants[i];
        const std::string name = "variant " + std::to_string(i + 1) + ", ";
        KindVariant variant{std::string(TrimIniBlanks(typed.maxFile)),
                            std::string(TrimIniBlanks(typed.objectName)), 1};
        if (variant.maxFile.empty())
            check.refuse({&key, VariantFilePart}, i, name + "Max file", "empty");
        else if (variant.maxFile.find('|') != std::string::npos)
            check.refuse({&key, VariantFilePart}, i, name + "Max file", "a | cannot stand in it");
        if (variant.objectName.find('|') != std::string::npos)
            check.refuse({&key, VariantObjectPart}, i, name + "object", "a | cannot stand in it");
        variant.weight = check.weight(typed.weight, {&key, VariantWeightPart}, i, name + "weight");
        taken.plants.variants.push_back(std::move(variant));
    }
    // The faults of variants left as written stay where they were among the row's faults; those of the
    // other keys stay unless a key read before forgot its own.
    std::vector<KeyFault> faults;
    for (std::size_t i = 0; i < row.faults.size(); ++i) {
        const KeyFault& fault = row.faults[i];
        const auto kept = std::find_if(keptFaults.begin(), keptFaults.end(),
                                       [i](const auto& kept) { return kept.first == i; });
        if (kept != keptFaults.end()) {
            faults.push_back(fault);
            faults.back().variant = kept->second;
        } else if (!key.names(fault.key) &&
                   std::find(taken.faults.begin(), taken.faults.end(), fault) != taken.faults.end()) {
            faults.push_back(fault);
        }
    }
    taken.faults = std::move(faults);
}

} // namespace

const std::string& VariationTexts::text(VariationField field) const {
    static const std::string kNone;
    const auto it = fieldTexts.find(field.key->name);
    return it == fieldTexts.end() || field.part >= it->second.size() ? kNone : it->second[field.part];
}

void VariationTexts::setText(VariationField field, std::string text) {
    std::vector<std::string>& parts = fieldTexts[std::string(field.key->name)];
    parts.resize(std::max(parts.size(), field.key->fields.size()));
    parts.at(field.part) = std::move(text);
}

VariationTexts VariationTextsOf(const KindRow& row) {
    VariationTexts texts;
    const KindKey* variants = nullptr;
    for (const KindKey& key : KindKeys()) {
        if (key.list) {
            variants = &key;
            for (const KindVariant& variant : row.plants.variants)
                texts.variants.push_back(
                    {variant.maxFile, variant.objectName, std::to_string(variant.weight)});
        } else if (HasFields(key)) {
            texts.fieldTexts[std::string(key.name)] =
                SplitIntoParts(key.texts(row).front(), key.partsSeparator, key.fields.size());
        }
    }
    std::vector<const KeyFault*> faultyVariants;
    for (const KeyFault& fault : row.faults) {
        const KindKey* key = FindKindKey(fault.key);
        if (key && key->list) {
            faultyVariants.push_back(&fault);
        } else if (key && HasFields(*key)) {
            const std::vector<std::string> parts =
                SplitIntoParts(fault.text, key->partsSeparator, key->fields.size());
            texts.fieldTexts[std::string(key->name)] = parts;
            for (std::size_t part = 0; part < parts.size(); ++part)
                texts.marks.push_back({{key, part}, 0, parts[part], FaultSentence(fault)});
        }
    }
    if (variants)
        AddFaultyVariants(*variants, std::move(faultyVariants), texts);
    return texts;
}

std::optional<VariationRefusal> ApplyVariationTexts(const VariationTexts& texts, KindRow& row) {
    // What the fields held when they were shown: those keys are the row's as they stand.
    const VariationTexts shown = VariationTextsOf(row);
    KindRow taken = row;
    Checker check{row.number, std::nullopt};
    for (const KindKey& key : KindKeys()) {
        if (key.list) {
            if (texts.variants != shown.variants)
                TakeVariants(key, texts, row, check, taken);
        } else if (HasFields(key)) {
            const std::vector<std::string> typed = FieldTextsOf(texts, key);
            if (typed == FieldTextsOf(shown, key))
                continue;
            check.fields(key, typed, taken);
            taken.clearFault(key.name);
        }
    }
    if (check.refusal)
        return check.refusal;
    row = std::move(taken);
    return std::nullopt;
}

VariationTexts FollowedTexts(const VariationTexts& shown, const VariationTexts& typed,
                             const VariationTexts& now) {
    VariationTexts followed = typed;
    followed.marks.clear();
    // Key by key, the variants as one, as the table holds them.
    for (const KindKey& key : KindKeys()) {
        if (!key.list && !HasFields(key))
            continue;
        const bool untouched = key.list ? typed.variants == shown.variants
                                        : FieldTextsOf(typed, key) == FieldTextsOf(shown, key);
        const VariationTexts& from = untouched ? now : typed;
        if (key.list)
            followed.variants = from.variants;
        else
            followed.fieldTexts[std::string(key.name)] = FieldTextsOf(from, key);
        std::copy_if(from.marks.begin(), from.marks.end(), std::back_inserter(followed.marks),
                     [&key](const VariationMark& mark) { return mark.field.key == &key; });
    }
    return followed;
}

} // namespace tes
