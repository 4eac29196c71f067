#include "project/tile_region.h"

#include "lib/failure.h"

namespace tes {

TileRegion ComputeTileRegion(bool mainTile, std::int32_t terrainWidth, double gridRes, double overlap) {
    const double tile = 256 * gridRes;
    TileRegion region;
    if (mainTile && terrainWidth == 6) {
        region = {512 * gridRes - overlap, 1024 * gridRes + overlap, 512 * gridRes};
    } else if (mainTile) {
        const double start = tile * (static_cast<double>(terrainWidth) - 1) / 2;
        region = {start - overlap, start + tile + overlap, tile};
    } else if (terrainWidth == 3) {
        region = {0, tile, tile};
    } else {
        region = {tile - overlap, 512 * gridRes + overlap, tile};
    }
    checkedFinite(region.low);
    checkedFinite(region.high);
    checkedFinite(region.span);
    return region;
}

} // namespace tes
