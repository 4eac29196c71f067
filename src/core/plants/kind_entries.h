#pragma once

#include "project/kinds_table.h"
#include "project/vegetation_list.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tes {

class LineList;

// How many records each kind has, by field 0 as written, in one pass over the list. A kind's script
// places the records whose field 0 is exactly its number, so these are the counts that agree with it.
std::map<std::string, std::uint64_t, std::less<>> CountRecordsByKind(const LineList& records);

// One kind as the Kinds dialog edits it: what the tile says about it, and its row of the kinds table.
struct KindEntry {
    std::string name;          // from the definitions file; empty when not on the tile
    std::uint64_t records = 0; // records of the tile that the kind's script places
    bool onTile = false;
    // The Max file, the typed object name (kept while the name does not follow the file) and Enabled.
    KindRow row;
    // The object name is the Max file's name without folder and extension.
    bool useFileName = true;

    std::string objectShown() const;
    // The row as the table keeps it: a name that follows the file is stored empty.
    KindRow tableRow() const;
};

// The entries for the dialog: the tile's kinds in the list's order, each with its records counted,
// then the kinds of the table that are not on the tile.
std::vector<KindEntry> KindEntries(const std::vector<VegetationKind>& kinds, const LineList& records,
                                   const KindsTable& table);

// Stores the entries into the table: rows that changed, and new rows that say anything beyond the
// defaults (a Max file, an object, disabled, or a variation). Returns whether the table changed.
bool StoreKindEntries(const std::vector<KindEntry>& entries, KindsTable& table);

} // namespace tes
