#pragma once

#include "lib/line_list.h"
#include "lib/message.h"

#include <string>
#include <string_view>
#include <vector>

namespace tes {

// The vegetation kinds that stand on a tile.
struct VegetationKinds {
    // The distinct numbers of field 0 (letter case ignored, the first spelling kept), each a whole
    // number of at least two digits (05) or the text as written, in ascending text order.
    std::vector<std::string> listed;
    // Each listed kind's name from the definitions file (empty when it has none), in the same order.
    std::vector<std::string> names;
    // One entry per listed number, in its order: "Vegetation_" + the number without leading zeros +
    // ":  " + the kind's name ("Vegetation_5:  Pine").
    std::vector<std::string> entries;
};

// Collects the kinds of the records and looks their names up in the definitions file (.est). An
// unexpected failure adds "Unexpected error in LoadVegetationList: ..." and ends the lookups there;
// what was found until then is kept.
VegetationKinds ReadVegetationKinds(const LineList& records, const std::string& definitionsPath,
                                    Messages& messages);

// Whether the whole text is one number (blanks around it allowed): a decimal number with an optional
// sign, full stop and E or D exponent, or an &H / &O whole number, within the double range.
bool IsNumericText(std::string_view text);

} // namespace tes
