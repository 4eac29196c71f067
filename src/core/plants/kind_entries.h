#pragma once

#include "project/kinds_table.h"
#include "project/vegetation_list.h"

#include <cstdint>
#include <map>
#include <optional>
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

// A value the table could not read, as one sentence: "Turn=0:36O is not FROM:TO".
std::string FaultSentence(const KeyFault& fault);

// The keys of a kind's row whose values or faults differ between two of its versions, as the file
// names them ("MaxFile", "Keep"); the variants count as one key, "Variant".
std::vector<std::string> ChangedKeys(const KindRow& before, const KindRow& after);

// `onto` with every key that differs between `opened` and `edited` taken from `edited`, its faults
// included; the other keys stay as `onto` has them, so a change made elsewhere to them is kept.
KindRow ApplyChangedKeys(const KindRow& opened, const KindRow& edited, KindRow onto);

// Applies onto the table as it stands now the keys the user changed: each edited entry against the
// entry in its place as the dialog opened. A kind without a row gets one only when a key of it was
// changed. Returns whether the table changed.
bool ApplyKindEdits(const std::vector<KindEntry>& opened, const std::vector<KindEntry>& edited,
                    KindsTable& table);

// The dialog's entries once the table was read again under it.
struct FollowedKinds {
    std::vector<KindEntry> opened; // the entries as the table now gives them: what edits are told from
    std::vector<KindEntry> edited; // those with the user's changes kept on top
    std::vector<std::size_t> from; // each entry's place before, or npos for a kind new to the list
    std::vector<std::vector<std::string>> changed; // the keys the table changed under each entry
};

// Takes the entries `now` gives (KindEntries of the table read again) under the user's edits: a key the
// user changed keeps the user's value, the others take the table's. A kind that left the table stays
// only where the user changed it.
FollowedKinds FollowKindEntries(const std::vector<KindEntry>& opened, const std::vector<KindEntry>& edited,
                                const std::vector<KindEntry>& now);

// What OK says of the kinds that keep values the table could not read: they are not built until they
// are mended. Nothing when there is none.
std::optional<Message> UnmendedKindsNotice(const std::vector<KindEntry>& entries,
                                           const std::string& fileName);

} // namespace tes
