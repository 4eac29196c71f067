#pragma once

namespace tes {

struct Context;

// Reads the tile count, grid resolution and sun target from the scene file and shows the tile format,
// grid resolution, heading and pitch.
void GetProjectInfo(Context& ctx);

} // namespace tes
