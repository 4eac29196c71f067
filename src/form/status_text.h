#pragma once

#include <cstdint>
#include <string>

namespace tes {

struct PlacementOptions;
struct PlacementResult;

// The status line's words for what a load or a build did.
// "168 records on the main tile, 5 kinds"
std::string RecordsSummary(bool mainTile, std::uint64_t records, std::uint64_t kinds);
// "Loaded Valley.prj: 168 records on the main tile, 5 kinds"
std::string LoadedStatus(const std::string& projectPath, bool mainTile, std::uint64_t records,
                         std::uint64_t kinds);
// "Wrote Valley_MainVeg_05.ms: 34 objects", "Built the script: 34 objects (not saved)", or, when no
// record matched, "0 objects: no record of Vegetation_5 on this tile".
std::string BuiltStatus(const PlacementResult& built, const PlacementOptions& options);
// How the plants of the script differ: ", 3 variants, turn 0-360°, scale 80-120 %", or nothing.
std::string VariationText(const PlacementOptions& options);

} // namespace tes
