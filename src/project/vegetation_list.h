#pragma once

#include <string_view>

namespace tes {

struct Context;

// Collects the distinct vegetation numbers of List1 into List3 and fills the combo box with
// "Vegetation_" + number + ":  " + name entries.
void LoadVegetationList(Context& ctx);

// Whether the whole text is one number (blanks around it allowed): a decimal number with an optional
// sign, full stop and E or D exponent, or an &H / &O whole number, within the double range.
bool IsNumericText(std::string_view text);

} // namespace tes
