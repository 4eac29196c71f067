#pragma once

#include "core/place/record_position.h"
#include "core/place/tile_geometry.h"
#include "core/script/placement_script.h"

namespace tes {

// The numbers a placement script is built with, worked out from the options: the tile (without
// overlap), the agreed grid size and object scale, and the vertical scale and offset.
struct PlacementFrame {
    TileGeometry tile;
    ScaleAgreement scale;
    double verticalScale = 1;
    double verticalOffset = 0;

    // How the records become positions in the scene.
    ScenePlacement placement() const {
        return {tile.middle, verticalScale, verticalOffset, scale.objectScale};
    }
};

// The leading-number value of a field's text. Throws Failure 6 beyond the double range.
double FieldNumber(const std::string& text);

// Throws Failure (6 Overflow, 11 Division by zero) as the script's build would. The build works the
// frame out in two steps, so that the agreed scale is known when the vertical values fail.
PlacementFrame ComputePlacementFrame(const PlacementOptions& options);
PlacementFrame AgreeTileAndScale(const PlacementOptions& options);
void ReadVerticalValues(const PlacementOptions& options, PlacementFrame& frame);

} // namespace tes
