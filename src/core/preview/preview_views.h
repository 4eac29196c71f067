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

// Which plants a set of views and each kind's thinning leave out, worked out apart from the scene, so
// that a worker can mark while the scene is still drawn with its old marks.
struct PreviewMarks {
    std::vector<bool> leftOut; // as PreviewScene::leftOut
    struct Kind {
        bool filtered = false;
        std::uint64_t shown = 0;
    };
    std::vector<Kind> kinds; // of each kind of the scene
    PreviewSquare extent;
};

// The marks of `views` (reads the scene's positions, kinds and thinned marks only).
PreviewMarks MarksOfViews(const PreviewScene& scene, const std::vector<PlantView>& views);
// Puts the marks into the scene they were worked out for.
void ApplyMarks(PreviewScene& scene, PreviewMarks marks);

// Marks again which plants `views` and each kind's thinning leave out (leftOut, each kind's filtered
// and shown) and takes the views into the extent, as BuildPreviewScene with these views would. Only
// a plant within float rounding of a view's edge may come out otherwise, as the scene keeps its
// position as a float.
void MarkPreviewViews(PreviewScene& scene, const std::vector<PlantView>& views);

} // namespace tes
