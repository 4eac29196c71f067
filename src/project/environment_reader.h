#pragma once

#include "lib/line_list.h"
#include "lib/progress.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tes {

// Appends to `records` the lines of the environment file whose X (field 1) and Z (field 3) both lie
// in [low, high], unchanged and in file order; lines without a comma are no records. A line ends at
// CR, CR LF or a lone LF; a UTF-8 byte-order mark is skipped (the lines are then UTF-8, otherwise
// Windows-1252). Reports how much is read to `progress`. Throws Failure when the file cannot be read
// (the lines kept until then stay), and failures::cancelled() when the user stops the read.
// `lineNumbers`, when given, gets each kept record's line number in the file, counted from 1: the
// record's ID in a point cache. A line past the 32-bit range fails with Overflow (6).
void ReadTileRecords(const std::string& path, double low, double high, LineList& records, Progress& progress,
                     std::vector<std::uint32_t>* lineNumbers = nullptr);

} // namespace tes
