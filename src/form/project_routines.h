#pragma once

#include "core/load_project.h"

namespace tes {

struct Context;

// The window's values that a project load reads and writes.
TileOptions TileOptionsFromForm(const Context& ctx);
LoadFields LoadFieldsFromForm(const Context& ctx);
void ApplyLoadFields(Context& ctx, const LoadFields& fields);
// Fills List3 and the vegetation combo box (its text emptied, no entry chosen).
void ApplyVegetationKinds(Context& ctx, const VegetationKinds& kinds);

// Sets the rotation angle to 270 minus the heading, so the objects face the sun. A heading beyond
// the double range gives no angle: the field keeps the angle it shows.
void FaceTolvaneSun(Context& ctx);

} // namespace tes
