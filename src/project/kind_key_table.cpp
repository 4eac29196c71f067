#include "project/kind_key_table.h"

#include "lib/fields.h"
#include "lib/ini.h"
#include "lib/numbers.h"
#include "project/kind_key_codec.h"
#include "project/kinds_table.h"
#include "project/kinds_table_lines.h"

#include <algorithm>

namespace tes {

namespace {

// A text taken as it is: a path or a name.
KeyValue<std::string> ReadText(std::string_view text) {
    return {std::string(text), {}};
}

std::string RangeOrNone(const std::optional<ValueRange>& range) {
    return range ? RangeText(*range) : std::string();
}

// The dialog's reading of a range's two fields, which names the end at fault.
template <std::optional<ValueRange> PlantSettings::*Range, bool Positive>
std::optional<FieldProblem> ReadRangeFields(const KindKey& key, std::span<const std::string> texts,
                                            KindRow& row) {
    RangeEndsValue read = ReadRangeEnds(texts[0], texts[1], Positive);
    if (!read.read()) {
        const std::string name(key.title);
        return FieldProblem{read.toEnd ? 1u : 0u, name + (read.toEnd ? " to" : " from"),
                            "the " + name + " " + read.problem};
    }
    row.plants.*Range = read.value;
    return std::nullopt;
}

// The turn and the scale: two fields, FROM and TO.
std::vector<KeyField> RangeFields(std::string_view name, const char* fromName, const char* fromTip,
                                  const char* toName, const char* toTip, std::string_view unit) {
    return {{fromName, name, fromTip, {}}, {toName, "to", toTip, unit}};
}

std::vector<KindKey> Declarations() {
    using Form = KeyOptionForm;
    std::vector<KindKey> keys;
    keys.push_back(Codec<[](auto& row) -> auto& { return row.maxFile; }, ReadText,
                         [](const KindRow& row) { return row.maxFile; }>(
        {"MaxFile",
         "max file",
         "Max file",
         {"--max-file", "PATH", "Row options", "The kind's 3ds Max file (default: the row keeps its file)",
          Form::Text}}));
    keys.back().alwaysWritten = true;
    keys.back().columnHelp = "Max file";
    KindKey object = Codec < [](auto& row) -> auto& {
        return row.objectName;
    }
    , ReadText,
        [](const KindRow& row) { return row.objectName; } >
            ({"ObjectName",
              "object",
              "object",
              {"--object", "NAME", "Row options",
               "The object's name inside the Max file; empty: the Max file's name (default: the row keeps "
               "it)",
               Form::Text}});
    object.printed = [](const KindRow& row) { return row.object(); };
    keys.push_back(object);
    keys.push_back(Codec<[](auto& row) -> auto& { return row.enabled; }, ReadEnabled,
                         [](const KindRow& row) { return std::string(row.enabled ? "1" : "0"); }>(
        {"Enabled",
         "enabled",
         "enabled",
         {{},
          {},
          "Row options",
          {},
          Form::Disable,
          {},
          "--disable",
          "Leave the kind out of build --all (without it, --set enables the row)"}}));
    keys.back().alwaysWritten = true;
    keys.back().option.flagText = "0";
    keys.push_back(Codec<[](auto& row) -> auto& { return row.plants.turn; }, ReadTurn,
                         [](const KindRow& row) { return RangeOrNone(row.plants.turn); }>(
        {"Turn",
         "turn",
         "turn",
         {"--turn", "FROM:TO", "Variation options",
          "Turn each plant at random by FROM to TO degrees about the vertical (0:360, -15:15), from its "
          "own position; FROM not above TO. Empty: no turn (default: the row keeps its turn)"},
         RangeFields("&Turn from", "txtTurnFrom",
                     "Each plant turns about the vertical by a random angle from this (degrees, e.g. 0 or "
                     "-15); empty: no turn of its own",
                     "txtTurnTo", "to this (degrees, e.g. 360 or 15)", "°"),
         ':'}));
    keys.back().readFields = ReadRangeFields<&PlantSettings::turn, false>;
    keys.push_back(Codec<[](auto& row) -> auto& { return row.plants.scale; }, ReadScale,
                         [](const KindRow& row) { return RangeOrNone(row.plants.scale); }>(
        {"Scale",
         "scale",
         "scale",
         {"--scale", "FROM:TO", "Variation options",
          "Scale each plant at random to FROM to TO percent of the kind's scale (80:120); FROM above 0 "
          "and not above TO. Empty: no scale (default: the row keeps its scale)"},
         RangeFields("&Scale from", "txtScaleFrom",
                     "Each plant is scaled at random from this percent of the kind's scale (e.g. 80); "
                     "empty: all alike",
                     "txtScaleTo", "to this percent (e.g. 120)", "%"),
         ':'}));
    keys.back().readFields = ReadRangeFields<&PlantSettings::scale, true>;
    keys.push_back(Codec<[](auto& row) -> auto& { return row.plants.weight; }, ReadWeight,
                         [](const KindRow& row) { return std::to_string(row.plants.weight); }>(
        {"Weight",
         "weight",
         "weight",
         {"--weight", "N", "Variation options",
          "The weight of the row's own Max file among the variants: a whole number from 0 to 1000000 "
          "(default: the row keeps its weight; 1 for a new row)",
          Form::NotEmpty, kWeightRule},
         {{"txtKindWeight",
           "W&eight of its Max file",
           "How often the row's own Max file is taken against the variants below: a whole number from 0 "
           "to 1000000; 0: never",
           {}}}}));
    KindKey variants{std::string_view(kinds_lines::kVariantKey),
                     "variants",
                     "variant",
                     {"--variant",
                      "FILE|OBJECT|WEIGHT",
                      "Variation options",
                      "A Max file and object the kind's plants may take, with a WEIGHT of a whole number "
                      "from 0 to 1000000; an empty OBJECT is the file's name. Repeatable: the row's "
                      "variants become exactly those given (default: the row keeps its variants)",
                      Form::Repeated,
                      {},
                      "--clear-variants",
                      "Remove the row's variants"}};
    variants.list = true;
    variants.columnHelp = "variants (\"; \" between them)";
    variants.partsSeparator = '|';
    variants.read = [](std::string_view text, KindRow& row) {
        KeyValue<KindVariant> value = ReadVariant(text);
        if (value.read())
            row.plants.variants.push_back(std::move(value.value));
        return std::move(value.problem);
    };
    variants.texts = [](const KindRow& row) {
        std::vector<std::string> texts;
        for (const KindVariant& variant : row.plants.variants)
            texts.push_back(VariantText(variant));
        return texts;
    };
    variants.same = [](const KindRow& a, const KindRow& b) { return a.plants.variants == b.plants.variants; };
    variants.take = [](const KindRow& from, KindRow& to) { to.plants.variants = from.plants.variants; };
    variants.panelLine = 1;
    keys.push_back(variants);
    AppendPlacementKeys(keys);
    return keys;
}

} // namespace

std::span<const KindKey> KindKeys() {
    static const std::vector<KindKey> keys = Declarations();
    return keys;
}

const KindKey* FindKindKey(std::string_view name) {
    for (const KindKey& key : KindKeys()) {
        if (key.names(name))
            return &key;
    }
    return nullptr;
}

bool KindKey::names(std::string_view key) const {
    return list ? kinds_lines::IsVariantKey(key) || EqualsIgnoringAsciiCase(key, name)
                : EqualsIgnoringAsciiCase(key, name);
}

bool KindKey::holdsDefault(const KindRow& row) const {
    return same(row, KindRow(row.number));
}

std::vector<std::string> WrittenTexts(const KindKey& key, const KindRow& row) {
    std::vector<const KeyFault*> faults;
    for (const KeyFault& fault : row.faults) {
        if (key.names(fault.key))
            faults.push_back(&fault);
    }
    if (!key.list) {
        if (!faults.empty())
            return {faults.front()->text};
        if (!key.alwaysWritten && key.holdsDefault(row))
            return {};
        return key.texts(row);
    }
    // The list's lines in their places, the faulty ones among them.
    std::stable_sort(faults.begin(), faults.end(),
                     [](const KeyFault* a, const KeyFault* b) { return a->variant < b->variant; });
    const std::vector<std::string> good = key.texts(row);
    std::vector<std::string> texts;
    std::size_t next = 0;
    auto fault = faults.begin();
    while (next < good.size() || fault != faults.end()) {
        if (fault != faults.end() && ((*fault)->variant <= texts.size() || next == good.size()))
            texts.push_back((*fault++)->text);
        else
            texts.push_back(good[next++]);
    }
    return texts;
}

std::vector<std::string> RowLines(const KindRow& row) {
    std::vector<std::string> lines;
    for (const KindKey& key : KindKeys()) {
        if (key.holdsDefault(row))
            continue;
        const std::vector<std::string> texts = key.texts(row);
        for (std::size_t i = 0; i < texts.size(); ++i)
            lines.push_back(std::string(key.name) + (key.list ? std::to_string(i + 1) : "") + "=" + texts[i]);
    }
    return lines;
}

std::string PrintedText(const KindKey& key, const KindRow& row) {
    if (key.printed)
        return key.printed(row);
    std::string text;
    const bool faulty = std::any_of(row.faults.begin(), row.faults.end(),
                                    [&key](const KeyFault& fault) { return key.names(fault.key); });
    const std::vector<std::string> texts = key.list || faulty ? WrittenTexts(key, row) : key.texts(row);
    for (std::size_t i = 0; i < texts.size(); ++i)
        text += (i == 0 ? "" : "; ") + texts[i];
    return text;
}

} // namespace tes
