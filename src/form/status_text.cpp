#include "form/status_text.h"

#include "core/placement_script.h"
#include "lib/fields.h"
#include "lib/numbers.h"

namespace tes {

std::string RecordsSummary(bool mainTile, std::uint64_t records, std::uint64_t kinds) {
    return CountText(records, "record") + " on the " + (mainTile ? "main" : "perimeter") + " tile, " +
           CountText(kinds, "kind");
}

std::string LoadedStatus(const std::string& projectPath, bool mainTile, std::uint64_t records,
                         std::uint64_t kinds) {
    return "Loaded " + GetFileNameFromPath(projectPath) + ": " + RecordsSummary(mainTile, records, kinds);
}

std::string BuiltStatus(const PlacementResult& built, const PlacementOptions& options) {
    if (built.objectCount == 0)
        return "0 objects: no record of Vegetation_" + built.number + " on this tile";
    const std::string objects = CountText(built.objectCount, "object") + VariationText(options);
    if (built.fileWritten)
        return "Wrote " + GetFileNameFromPath(built.scriptPath) + ": " + objects;
    return "Built the script: " + objects + " (not saved)";
}

std::string VariationText(const PlacementOptions& options) {
    std::string text;
    if (!options.variants.empty())
        text += ", " + CountText(options.variants.size() + 1, "variant");
    if (options.turn)
        text += ", turn " + DecimalText(options.turn->from) + "-" + DecimalText(options.turn->to) + "\u00B0";
    if (options.scale)
        text += ", scale " + DecimalText(options.scale->from) + "-" + DecimalText(options.scale->to) + " %";
    return text;
}

} // namespace tes
