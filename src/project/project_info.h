#pragma once

#include "lib/message.h"

#include <cstdint>
#include <string>

namespace tes {

// The scene's facts as the window shows them. A value the scene file does not give keeps what it
// held before.
struct SceneValues {
    std::int32_t terrainWidth = 0;    // tiles along one side of the terrain
    std::string tileFormat = "5 x 5"; // "5 x 5"
    std::string gridRes = "3.0";      // Tolvane units per grid cell, as the file writes it
    std::string heading = "90.0";     // the sun's heading in degrees, as decimal text
    std::string pitch = "45.0";       // and its pitch
};

// Reads the tile count, the grid resolution and the sun's target from the scene file into `values`.
// A missing value adds a notice ("... Using default...") and the next value is read; an unexpected
// failure adds "Unexpected error in GetProjectInfo: ..." and ends the reading there.
void ReadProjectInfo(const std::string& scenePath, SceneValues& values, Messages& messages);

} // namespace tes
