#pragma once

#include <cstdint>
#include <string>

namespace tes {

class KindsTable;
struct PlacementOptions;
struct PlacementResult;

// The status line's words for what a load or a build did.
// "168 records on the main tile, 5 kinds"
std::string RecordsSummary(bool mainTile, std::uint64_t records, std::uint64_t kinds);
// "Loaded Valley.prj: 168 records on the main tile, 5 kinds"
std::string LoadedStatus(const std::string& projectPath, bool mainTile, std::uint64_t records,
                         std::uint64_t kinds);
// "Wrote Valley_MainVeg_05.ms: 34 objects", "Wrote Valley_MainVeg_05.ms, .prt and .csv: 11 of 28
// plants", "Built the script: 34 objects (not saved)", or, when no record matched, "0 objects: no
// record of Vegetation_5 on this tile". With `wholePath` the folder written into follows the count:
// "... 34 objects (in D:\Out)".
std::string BuiltStatus(const PlacementResult& built, const PlacementOptions& options,
                        bool wholePath = false);
// How the plants of the script differ: ", 3 variants, turn 0-360°, scale 80-120 %", or nothing.
std::string VariationText(const PlacementOptions& options);
// What stopped a failed build: "Could not write D:\\Work\\Valley_MainVeg_05.ms: permission denied", or
// "Could not build the script: division by zero" when the failure was not the file's.
std::string FailedStatus(const PlacementResult& failed);
// A project whose environment file is missing: "Could not load Valley.prj: Valley.txt is missing".
std::string NotLoadedStatus(const std::string& projectPath, const std::string& environmentPath);

// "2 values in Valley.tes.ini cannot be read"
std::string UnreadableValuesText(const KindsTable& table);
// After the kinds table is saved: "Saved Valley.tes.ini", the keys it replaced that another program
// had changed meanwhile, and how many of its values cannot be read.
std::string SavedKindsTableStatus(const KindsTable& table);
// After the kinds table changed on disk and was read again: "Read Valley.tes.ini again (changed on
// disk)", and how many of its values cannot be read.
std::string FollowedKindsTableStatus(const KindsTable& table);

} // namespace tes
