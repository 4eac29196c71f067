#pragma once

#include "core/preview/preview_scene.h"
#include "project/plant_views.h"

#include <cstdint>
#include <vector>

// New views for a preview scene without reading its records again: what a user sets in the preview
// follows at once, also on millions of plants. The scene keeps what the views do not change: each
// dot's position and, where a kind thins, which of its kind's shares keep the plant.
namespace tes {

// The bits of PreviewScene::thinned: the plant is thinned away at its kind's Keep, at its KeepFar.
inline constexpr std::uint8_t kThinnedByKeep = 1;
inline constexpr std::uint8_t kThinnedByKeepFar = 2;

// Which of the thinning's two shares leave out the plant whose draw (ThinningDraw) is `draw`
// (PlantFilter::KeptAt).
std::uint8_t ThinnedMarks(const PlantThinning& thinning, double draw);

// The square `dots` grown by each view's camera and target: a camera off the tile still belongs in the
// picture, with the point it looks at.
PreviewSquare ViewsExtent(PreviewSquare dots, const std::vector<PlantView>& views);

// Marks again which plants `views` and each kind's thinning leave out (leftOut, each kind's filtered
// and shown) and takes the views into the extent, as BuildPreviewScene with these views would. Only
// a plant within float rounding of a view's edge may come out otherwise, as the scene keeps its
// position as a float.
void MarkPreviewViews(PreviewScene& scene, const std::vector<PlantView>& views);

} // namespace tes
