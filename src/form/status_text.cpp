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

std::string BuiltStatus(const PlacementResult& built) {
    if (built.objectCount == 0)
        return "0 objects: no record of Vegetation_" + built.number + " on this tile";
    if (built.fileWritten) {
        std::string files = GetFileNameFromPath(built.scriptPath);
        for (const std::string& cache : built.cachePaths)
            files += (&cache == &built.cachePaths.back() ? " and " : ", ") + GetFileNameFromPath(cache);
        return "Wrote " + files + ": " + CountText(built.objectCount, "object");
    }
    return "Built the script: " + CountText(built.objectCount, "object") + " (not saved)";
}

} // namespace tes
