#include "core/place/placement_frame.h"

#include "lib/failure.h"
#include "lib/numbers.h"

namespace tes {

double FieldNumber(const std::string& text) {
    return checkedFinite(LeadingNumberValue(text));
}

PlacementFrame AgreeTileAndScale(const PlacementOptions& options) {
    const double gridRes = checkedFinite(options.gridRes);
    const double gridSize = RoundHalfEven(checkedFinite(options.gridSize));
    const double objectScale = checkedFinite(options.objectScale);
    PlacementFrame frame;
    frame.tile = ComputeTileGeometry(options.mainTile, options.terrainWidth, gridRes, 0);
    checkedFinite(frame.tile.middle);
    checkedFinite(frame.tile.span);
    frame.scale = AgreeScale(options.useObjectScale, gridSize, objectScale, frame.tile.span);
    return frame;
}

void ReadVerticalValues(const PlacementOptions& options, PlacementFrame& frame) {
    frame.verticalScale = checkedFinite(options.verticalScale);
    frame.verticalOffset = checkedFinite(options.verticalOffset);
}

PlacementFrame ComputePlacementFrame(const PlacementOptions& options) {
    PlacementFrame frame = AgreeTileAndScale(options);
    ReadVerticalValues(options, frame);
    return frame;
}

} // namespace tes
