#pragma once

#include "core/load_project.h"
#include "core/script/placement_script.h"
#include "lib/numbers.h"

namespace tes {

// What a build takes from a load as the window's fields hold it after the load: the scene's size, the
// scale fields, the rotation angle and where the scripts go.
inline void TakeLoadedFields(const LoadResult& loaded, PlacementOptions& options) {
    options.terrainWidth = loaded.fields.scene.terrainWidth;
    options.gridRes = LeadingNumberValue(loaded.fields.scene.gridRes);
    options.gridSize = LeadingNumberValue(loaded.fields.gridSize);
    options.objectScale = LeadingNumberValue(loaded.fields.objectScale);
    options.rotationAngle = loaded.fields.rotationAngle;
    options.projectBasePath = loaded.files.basePath;
}

} // namespace tes
