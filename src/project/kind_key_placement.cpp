#include "lib/ini.h"
#include "lib/numbers.h"
#include "project/kind_key_codec.h"

#include <tuple>

namespace tes {

namespace {

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

std::string HeightText(const std::optional<double>& height) {
    return height ? DecimalText(*height) : std::string();
}

} // namespace

void AppendPlacementKeys(std::vector<KindKey>& keys) {
    using Form = KeyOptionForm;
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
    keys.push_back(Codec<[](auto& row) -> auto& { return row.plants.heights.min; }, ReadHeightLimit,
                         [](const KindRow& row) { return HeightText(row.plants.heights.min); }>(
        {"MinHeight",
         "min height",
         "lowest height",
         {"--min-height", "Z", "Thinning options",
          "Leave out the kind's plants that stand lower than this scene Z, as the script writes it; "
          "\"\" removes the limit (default: the row keeps it): a number"},
         {{"txtMinHeight",
           "&Lowest Z",
           "The kind's plants that stand lower than this Z in the scene are left out; empty: no limit",
           {}}}}));
    keys.back().panelLine = 6;
    keys.push_back(Codec<[](auto& row) -> auto& { return row.plants.heights.max; }, ReadHeightLimit,
                         [](const KindRow& row) { return HeightText(row.plants.heights.max); }>(
        {"MaxHeight",
         "max height",
         "highest height",
         {"--max-height", "Z", "Thinning options",
          "Leave out the kind's plants that stand higher than this scene Z, as the script writes it; "
          "\"\" removes the limit (default: the row keeps it): a number"},
         {{"txtMaxHeight",
           "highest &Z",
           "The kind's plants that stand higher than this Z in the scene are left out; empty: no limit",
           {}}}}));
    keys.back().panelLine = 6;
}

} // namespace tes
