#include "core/place/tile_geometry.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>

namespace tes {
namespace {

struct RegionCase {
    bool mainTile;
    std::int32_t width;
    double gridRes;
    double overlap;
    double low, high, span;
};

TEST(TileGeometry, FollowsTheTileChoiceAndTheTileCount) {
    const RegionCase cases[] = {
        {true, 5, 3, 0, 1536, 2304, 768},   // the middle tile of an odd terrain
        {true, 6, 3, 10, 1526, 3082, 1536}, // the middle two-by-two block
        {true, 0, 3, 10, -394, 394, 768},   // no tile count yet
        {true, 1, 3, 10, -10, 778, 768},    //
        {true, 4, 3, 10, 1142, 1930, 768},  // straddles two tiles
        {false, 3, 3, 10, 0, 768, 768},     // the tile at the origin, overlap ignored
        {false, 5, 3, 10, 758, 1546, 768},  // the second tile from the origin
        {false, 6, 2, 0, 512, 1024, 512},   //
        {true, 5, 0, 7, -7, 7, 0},          // no grid resolution
    };
    for (const RegionCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "main " << c.mainTile << " W " << c.width);
        const TileGeometry g = ComputeTileGeometry(c.mainTile, c.width, c.gridRes, c.overlap);
        EXPECT_DOUBLE_EQ(g.low, c.low);
        EXPECT_DOUBLE_EQ(g.high, c.high);
        EXPECT_DOUBLE_EQ(g.span, c.span);
    }
    // Beyond the double range the bound is infinite; the reader turns that into Overflow.
    EXPECT_EQ(ComputeTileGeometry(true, 5, 1e307, 0).high, std::numeric_limits<double>::infinity());
}

} // namespace
} // namespace tes
