#pragma once

namespace tes {

struct Context;

// Collects the distinct vegetation numbers of List1 into List3 and fills the combo box with
// "Vegetation_" + number + ":  " + name entries.
void LoadVegetationList(Context& ctx);

} // namespace tes
