#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tes {

// Where a tile lies on the terrain, in Tolvane units. A tile is 256 grid cells of `gridRes` units.
// The main tile is the middle tile (the middle two-by-two block on a terrain 6 tiles wide); the
// perimeter tile is the second tile from the origin, or the tile at the origin on a terrain 3 tiles
// wide, where the overlap is not applied.
struct TileGeometry {
    // The square region [low, high] on X and Z alike whose records are kept, overlap included.
    double low = 0;
    double high = 0;
    // The tile's width: what the 3ds Max grid size stands for.
    double span = 0;
    // The tile's middle on both horizontal axes: the point that lands on the scene's origin.
    double middle = 0;
};

// Each value is worked out left to right exactly as the rule writes it, so the same inputs always
// give the same bits. Values beyond the double range come back as infinities: each user checks the
// values it needs.
TileGeometry ComputeTileGeometry(bool mainTile, std::int32_t terrainWidth, double gridRes, double overlap);

// The 3ds Max grid size and the object scale are tied by gridSize = objectScale * span / 100; one of
// them is the user's input and the other follows.
struct ScaleAgreement {
    double gridSize = 0;
    double objectScale = 0;
    // The new text of the field that follows: the grid size as decimal text, or the object scale
    // with exactly six decimals.
    std::optional<std::string> gridSizeText;
    std::optional<std::string> objectScaleText;
};

// `gridSize` is taken as a whole number already. Throws Failure 6 (Overflow) or 11 (Division by zero,
// a span of 0 when the object scale follows).
ScaleAgreement AgreeScale(bool useObjectScale, double gridSize, double objectScale, double span);

} // namespace tes
