#pragma once

#include "lib/line_list.h"
#include "lib/message.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tes {

// One vegetation kind of a tile. Records written 5 and 05 are one kind, number 5; a field 0 that is
// no number belongs to the kind of its leading-number value (abc to kind 0).
struct VegetationKind {
    std::string number; // without leading zeros: its section in the definitions file is Vegetation_5
    std::string name;   // from the definitions file; empty when it has none
    // Field 0 as the kind's records write it, each text once, in the order first met ("5", "05").
    std::vector<std::string> texts;
};

// The vegetation kinds that stand on a tile.
struct VegetationKinds {
    // The distinct texts of field 0 (letter case ignored, the first spelling kept), each a whole
    // number of at least two digits (05) or the text as written, in ascending text order. A kind
    // written two ways is listed twice.
    std::vector<std::string> listed;
    std::vector<std::size_t> listedKind; // the index into `kinds` of each listed text
    // Each kind once, in the order of its first listed text.
    std::vector<VegetationKind> kinds;
};

// How the kinds list offers a kind: "Vegetation_" + its number + ":  " + its name ("Vegetation_5:  Pine").
std::string VegetationEntry(const VegetationKind& kind);

// The kinds list's entries: one per listed text, so a kind written two ways is offered twice.
std::vector<std::string> VegetationEntries(const VegetationKinds& kinds);

// Collects the kinds of the records and looks their names up in the definitions file (.est). An
// unexpected failure adds "Unexpected error in LoadVegetationList: ..." and ends the lookups there;
// what was found until then is kept.
VegetationKinds ReadVegetationKinds(const LineList& records, const std::string& definitionsPath,
                                    Messages& messages);

// Whether the whole text is one number (blanks around it allowed): a decimal number with an optional
// sign, full stop and E or D exponent, or an &H / &O whole number, within the double range.
bool IsNumericText(std::string_view text);

} // namespace tes
