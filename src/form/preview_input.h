#pragma once

#include "core/preview_scene.h"

namespace tes {

struct Context;

// What the preview of the loaded tile is drawn from, as the window's fields hold it now: the
// placement options as Process reads them, the overlap, the sun heading and the kinds list.
PreviewInput PreviewInputFromForm(const Context& ctx);

} // namespace tes
