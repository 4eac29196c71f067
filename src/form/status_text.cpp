#include "form/status_text.h"

#include "core/script/placement_script.h"
#include "lib/fields.h"
#include "lib/numbers.h"
#include "project/kinds_table.h"

namespace tes {

std::string RecordsSummary(bool mainTile, std::uint64_t records, std::uint64_t kinds) {
    return CountText(records, "record") + " on the " + (mainTile ? "main" : "perimeter") + " tile, " +
           CountText(kinds, "kind");
}

std::string LoadedStatus(const std::string& projectPath, bool mainTile, std::uint64_t records,
                         std::uint64_t kinds) {
    return "Loaded " + GetFileNameFromPath(projectPath) + ": " + RecordsSummary(mainTile, records, kinds);
}

std::string BuiltStatus(const PlacementResult& built, const PlacementOptions& options, bool wholePath) {
    if (built.objectCount == 0)
        return "0 objects: no record of Vegetation_" + built.number + " on this tile";
    // A view or thinning names what it left of the kind's plants on the tile.
    const std::string objects =
        (built.filtered ? GroupedDigits(built.objectCount) + " of " + CountText(built.kindRecords, "plant")
                        : CountText(built.objectCount, "object")) +
        VariationText(options);
    if (built.fileWritten) {
        // The count stays in sight on a short line: the files are named by name once (a point cache
        // called as the script is by its extension) and their folder comes last.
        const std::string script = GetFileNameFromPath(built.scriptPath);
        const std::string stem = script.substr(0, script.find_last_of('.'));
        std::string files = script;
        for (const std::string& cache : built.cachePaths) {
            const std::string name = GetFileNameFromPath(cache);
            const bool sameStem =
                name.size() > stem.size() && name.starts_with(stem) && name[stem.size()] == '.';
            files += (&cache == &built.cachePaths.back() ? " and " : ", ") +
                     (sameStem ? name.substr(stem.size()) : name);
        }
        return "Wrote " + files + ": " + objects +
               (wholePath ? " (in " + FolderOfPath(built.scriptPath) + ")" : std::string());
    }
    return "Built the script: " + objects + " (not saved)";
}

std::string VariationText(const PlacementOptions& options) {
    std::string text;
    if (!options.variants.empty())
        text += ", " + CountText(options.variants.size() + 1, "variant");
    if (options.plants.turn)
        text += ", turn " + DecimalText(options.plants.turn->from) + "-" +
                DecimalText(options.plants.turn->to) + "\u00B0";
    if (options.plants.scale)
        text += ", scale " + DecimalText(options.plants.scale->from) + "-" +
                DecimalText(options.plants.scale->to) + " %";
    return text;
}

std::string FailedStatus(const PlacementResult& failed) {
    const std::string reason = failed.failure ? failed.failure->reason() : std::string("unknown failure");
    if (failed.failure && failed.failure->isFileFailure() && !failed.scriptPath.empty())
        return "Could not write " + failed.scriptPath + ": " + reason;
    return "Could not build the script: " + reason;
}

std::string NotLoadedStatus(const std::string& projectPath, const std::string& environmentPath) {
    return "Could not load " + GetFileNameFromPath(projectPath) + ": " +
           GetFileNameFromPath(environmentPath) + " is missing";
}

std::string UnreadableValuesText(const KindsTable& table) {
    const std::size_t faults = table.faultCount();
    return (faults == 1 ? std::string("1 value") : std::to_string(faults) + " values") + " in " +
           table.fileName() + " cannot be read";
}

namespace {

// "; 2 values in Valley.tes.ini cannot be read", or nothing when all can.
std::string FaultsNote(const KindsTable& table) {
    return table.faultCount() == 0 ? std::string() : "; " + UnreadableValuesText(table);
}

} // namespace

std::string SavedKindsTableStatus(const KindsTable& table) {
    std::string saved = "Saved " + table.fileName();
    for (const std::string& key : table.replaced())
        saved += (&key == &table.replaced().front() ? "; replaced what another program wrote: " : ", ") + key;
    return saved + FaultsNote(table);
}

std::string FollowedKindsTableStatus(const KindsTable& table) {
    const std::string read = "Read " + table.fileName() + " again (changed on disk)";
    if (table.damaged())
        return read + "; it cannot be read and is left aside";
    return read + FaultsNote(table);
}

} // namespace tes
