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

// The project readers as the window runs them: each reads the window's fields and the session's
// paths, does its work, writes the fields and shows its messages.
//
// The tile count, grid resolution and sun from the scene file.
void GetProjectInfo(Context& ctx);
// The records of the chosen tile into List1, grid size and object scale brought into agreement. A
// read that the user stops changes nothing.
void ReadEnvironmentFile(Context& ctx);
// The kinds of List1 into List3 and the combo box.
void LoadVegetationList(Context& ctx);

// Sets the rotation angle to 270 minus the heading, so the objects face the sun. A heading beyond
// the double range gives no angle: the field keeps the angle it shows.
void FaceTolvaneSun(Context& ctx);

} // namespace tes
