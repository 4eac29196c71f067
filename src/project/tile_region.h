#pragma once

#include <cstdint>

namespace tes {

// The square region [low, high] (on X and Z alike) of the tile whose records are kept, and the width
// that the 3ds Max grid size stands for. A tile is 256 grid cells of `gridRes` units each.
struct TileRegion {
    double low = 0;
    double high = 0;
    double span = 0;
};

// The main tile is the middle tile (the middle two-by-two block on a terrain 6 tiles wide); the
// perimeter tile is the second tile from the origin, or the tile at the origin on a terrain 3 tiles
// wide, where the overlap is not applied. Throws Failure 6 when a bound leaves the double range.
TileRegion ComputeTileRegion(bool mainTile, std::int32_t terrainWidth, double gridRes, double overlap);

} // namespace tes
