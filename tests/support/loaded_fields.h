#pragma once

#include "core/load_project.h"
#include "core/loaded_options.h"
#include "core/script/placement_script.h"

namespace tes::test {

using tes::TakeLoadedFields;

// The project loaded for the tile, with that object scale as the user's (no overlap, facing the sun).
inline LoadResult LoadTile(const std::string& project, bool mainTile, const char* objectScale) {
    LoadRequest load;
    load.projectPath = project;
    load.tile = {mainTile, "0", true};
    load.fields.objectScale = objectScale;
    return LoadProject(load);
}

} // namespace tes::test
