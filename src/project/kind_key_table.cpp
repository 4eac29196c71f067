#include "project/kind_key_table.h"

#include "lib/fields.h"
#include "lib/ini.h"
#include "lib/numbers.h"
#include "project/kinds_table.h"
#include "project/kinds_table_lines.h"

#include <algorithm>
#include <tuple>

namespace tes {

namespace {

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

// The far model's file and object apart: the object needs its file, and the file no |, which ends the
// file in the key's text.
std::optional<FieldProblem> ReadFarModelFields(const KindKey& key, std::span<const std::string> texts,
                                               KindRow& row) {
    const std::string file(TrimIniBlanks(texts[0]));
    const std::string object(TrimIniBlanks(texts[1]));
    if (file.empty() && !object.empty())
        return FieldProblem{0, std::string(key.title), "its object needs the Max file it is in"};
    if (file.find('|') != std::string::npos)
        return FieldProblem{0, std::string(key.title), "a | cannot stand in its Max file"};
    row.plants.detail.farFile = file;
    row.plants.detail.farObject = object;
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
    keys.push_back(Codec<[](auto& row) -> auto& { return row.plants.thinning.keep; }, ReadKeep,
                         [](const KindRow& row) { return DecimalText(row.plants.thinning.keep); }>(
        {"Keep",
         "keep",
         "keep",
         {"--keep", "PERCENT", "Thinning options",
          "Keep this percent of the kind's plants, the same plants on every run (default: the row keeps "
          "its share; 100 for a new row): a number from 0 to 100",
          Form::NotEmpty, kPercentRule},
         {{"txtKeep", "&Keep",
           "The percent of the kind's plants that are kept, from 0 to 100 (e.g. 60); each plant's own "
           "place decides, so the same plants stay on every run. 100: all",
           "%"}}}));
    keys.back().panelLine = 2;
    keys.push_back(Codec<[](auto& row) -> auto& { return row.plants.thinning.thinBeyond; }, ReadDistance,
                         [](const KindRow& row) { return DecimalText(row.plants.thinning.thinBeyond); }>(
        {"ThinBeyond",
         "thin beyond",
         "thin beyond",
         {"--thin-beyond", "N", "Thinning options",
          "With a view: beyond this distance from the nearest camera keep --keep-far percent instead; 0 "
          "turns it off (default: the row keeps it): a number of 0 or more",
          Form::NotEmpty, kDistanceRule},
         {{"txtThinBeyond",
           "t&hin beyond",
           "With a view: beyond this distance from the nearest camera (e.g. 400), keep far applies "
           "instead of keep; 0: off",
           {}}}}));
    keys.back().panelLine = 2;
    keys.push_back(Codec<[](auto& row) -> auto& { return row.plants.thinning.keepFar; }, ReadKeep,
                         [](const KindRow& row) { return DecimalText(row.plants.thinning.keepFar); }>(
        {"KeepFar",
         "keep far",
         "keep far",
         {"--keep-far", "PERCENT", "Thinning options",
          "The percent kept beyond --thin-beyond (default: the row keeps it; 100 for a new row): a number "
          "from 0 to 100",
          Form::NotEmpty, kPercentRule},
         {{"txtKeepFar", "keep &far",
           "The percent of the plants kept beyond that distance, from 0 to 100 (e.g. 30)", "%"}}}));
    keys.back().panelLine = 2;
    keys.back().panelJoined = true;
    keys.push_back(
        Codec<[](auto& row) { return std::tie(row.plants.detail.farFile, row.plants.detail.farObject); },
              ReadFarModel, [](const KindRow& row) { return FarModelText(row.plants.detail); }>(
            {"FarModel",
             "far model",
             "far model",
             {"--far-model", "FILE|OBJECT", "Level of detail options",
              "With a view: the lighter Max file and object (FILE|OBJECT, or FILE for the object of the "
              "file's name) that plants beyond --far-from take instead of their own; \"\" removes it "
              "(default: the row keeps it)"},
             {{"txtFarModel",
               "Far &model",
               "With a view: the lighter Max file the plants far from the cameras take instead of their "
               "own objects; empty: none",
               {},
               FieldShape::Path},
              {"txtFarObject",
               "obje&ct",
               "The far model's object in its Max file; empty: the Max file's name",
               {},
               FieldShape::Name}},
             '|'}));
    keys.back().readFields = ReadFarModelFields;
    keys.back().panelLine = 3;
    keys.push_back(Codec<[](auto& row) -> auto& { return row.plants.detail.farFrom; }, ReadDistance,
                         [](const KindRow& row) { return DecimalText(row.plants.detail.farFrom); }>(
        {"FarFrom",
         "far from",
         "far model beyond",
         {"--far-from", "N", "Level of detail options",
          "With a view: plants farther than this from the nearest camera take the far model; 0 turns it "
          "off (default: the row keeps it): a number of 0 or more",
          Form::NotEmpty, kDistanceRule},
         {{"txtFarFrom",
           "far model be&yond",
           "Plants farther than this from the nearest camera take the far model (e.g. 400); 0: off",
           {}}}}));
    keys.back().panelLine = 4;
    keys.push_back(Codec<[](auto& row) -> auto& { return row.plants.detail.boxFrom; }, ReadDistance,
                         [](const KindRow& row) { return DecimalText(row.plants.detail.boxFrom); }>(
        {"BoxFrom",
         "box from",
         "boxes beyond",
         {"--box-from", "N", "Level of detail options",
          "With a view: plants farther than this from the nearest camera are boxes in 3ds Max's viewports "
          "(they render as before); 0 turns it off (default: the row keeps it): a number of 0 or more",
          Form::NotEmpty, kDistanceRule},
         {{"txtBoxFrom",
           "bo&xes beyond",
           "Plants farther than this from the nearest camera are boxes in 3ds Max's viewports; they render "
           "as before (e.g. 1200); 0: off",
           {}}}}));
    keys.back().panelLine = 4;
    keys.push_back(Codec<[](auto& row) -> auto& { return row.plants.stand; }, ReadStand,
                         [](const KindRow& row) { return StandText(row.plants.stand); }>(
        {"Stand",
         "stand",
         "stand",
         {"--stand", "pivot|base|auto", "Row options",
          "Where the kind's model meets each plant's point: its pivot, or the lowest point of its bounding "
          "box with X and Y by the pivot (base, the fast script only); auto: pivot for a model of one "
          "object, base for a group (default: the row keeps its stand; auto for a new row)",
          Form::NotEmpty, "pivot, base or auto"},
         {{"cmbStand", "Stands on the &ground by", {}, {}, FieldShape::Choice}}}));
    keys.back().panelLine = 5;
    keys.back().option.defaultWord = "auto";
    keys.back().columnHelp = "stand (pivot or base; empty: the default)";
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
