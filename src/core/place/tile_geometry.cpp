#include "core/place/tile_geometry.h"

#include "lib/failure.h"
#include "lib/numbers.h"

namespace tes {

TileGeometry ComputeTileGeometry(bool mainTile, std::int32_t terrainWidth, double gridRes, double overlap) {
    const double w = terrainWidth;
    const double tile = 256 * gridRes;
    TileGeometry g;
    if (mainTile && terrainWidth == 6) {
        g.low = 512 * gridRes - overlap;
        g.high = 1024 * gridRes + overlap;
        g.span = 512 * gridRes;
        g.middle = gridRes * 512 * 3 / 2;
    } else if (mainTile) {
        const double start = tile * (w - 1) / 2;
        g.low = start - overlap;
        g.high = start + tile + overlap;
        g.span = tile;
        g.middle = gridRes * 256 * w / 2;
    } else if (terrainWidth == 3) {
        g.low = 0;
        g.high = tile;
        g.span = tile;
        g.middle = gridRes * 256 / 2;
    } else {
        g.low = tile - overlap;
        g.high = 512 * gridRes + overlap;
        g.span = tile;
        g.middle = gridRes * 256 / 2 + gridRes * 256;
    }
    return g;
}

ScaleAgreement AgreeScale(bool useObjectScale, double gridSize, double objectScale, double span) {
    ScaleAgreement agreed{gridSize, objectScale, std::nullopt, std::nullopt};
    if (useObjectScale) {
        agreed.gridSize = RoundHalfEven(checkedFinite(checkedFinite(objectScale * span) / 100));
        agreed.gridSizeText = DecimalText(agreed.gridSize);
    } else {
        // The object scale keeps every digit for the positions; the field shows six decimals.
        agreed.objectScale = checkedDivide(checkedFinite(gridSize * 100), span);
        agreed.objectScaleText = PatternText(RoundHalfEven(agreed.objectScale, 6), 1, 6);
    }
    return agreed;
}

} // namespace tes
