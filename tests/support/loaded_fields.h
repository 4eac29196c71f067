#pragma once

#include "core/load_project.h"
#include "core/script/placement_script.h"

namespace tes::test {

// What a build takes from the load as the window's fields would hold it: the scene's size, the scale
// fields, the rotation angle and where the script goes.
inline void TakeLoadedFields(const LoadResult& loaded, PlacementOptions& options) {
    options.terrainWidth = loaded.fields.scene.terrainWidth;
    options.gridRes = loaded.fields.scene.gridRes;
    options.gridSize = loaded.fields.gridSize;
    options.objectScale = loaded.fields.objectScale;
    options.rotationAngle = loaded.fields.rotationAngle;
    options.projectBasePath = loaded.files.basePath;
}

// The project loaded for the tile, with that object scale as the user's (no overlap, facing the sun).
inline LoadResult LoadTile(const std::string& project, bool mainTile, const char* objectScale) {
    LoadRequest load;
    load.projectPath = project;
    load.tile = {mainTile, "0", true};
    load.fields.objectScale = objectScale;
    return LoadProject(load);
}

} // namespace tes::test
