#include "form/status_text.h"

#include "core/placement_script.h"
#include "lib/fields.h"

namespace tes {

namespace {

// "1 record", "1,234 records": digits grouped by threes, whatever the user's locale.
std::string Count(std::uint64_t count, const char* noun) {
    std::string digits = std::to_string(count);
    for (std::size_t at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, 1, ',');
    return digits + " " + noun + (count == 1 ? "" : "s");
}

} // namespace

std::string RecordsSummary(bool mainTile, std::uint64_t records, std::uint64_t kinds) {
    return Count(records, "record") + " on the " + (mainTile ? "main" : "perimeter") + " tile, " +
           Count(kinds, "kind");
}

std::string LoadedStatus(const std::string& projectPath, bool mainTile, std::uint64_t records,
                         std::uint64_t kinds) {
    return "Loaded " + GetFileNameFromPath(projectPath) + ": " + RecordsSummary(mainTile, records, kinds);
}

std::string BuiltStatus(const PlacementResult& built) {
    if (built.objectCount == 0)
        return "0 objects: no record of Vegetation_" + built.number + " on this tile";
    if (built.fileWritten)
        return "Wrote " + GetFileNameFromPath(built.scriptPath) + ": " + Count(built.objectCount, "object");
    return "Built the script: " + Count(built.objectCount, "object") + " (not saved)";
}

} // namespace tes
