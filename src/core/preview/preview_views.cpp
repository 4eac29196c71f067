#include "core/preview/preview_views.h"

#include "core/plants/plant_filter.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace tes {

namespace {

// One kind's part of the marking.
struct KindMarks {
    // Its filter with the new views, asked only where each plant stands: the draw of each plant is
    // already in the scene's thinned marks, so the seed and the kind's number are not needed.
    std::optional<PlantFilter> filter;
    bool thins = false; // its plants carry thinned marks worth reading
};

} // namespace

std::uint8_t ThinnedMarks(const PlantThinning& thinning, double draw) {
    const auto given = [draw] { return draw; };
    return static_cast<std::uint8_t>((PlantFilter::KeptAt(thinning.keep, given) ? 0 : kThinnedByKeep) |
                                     (PlantFilter::KeptAt(thinning.keepFar, given) ? 0 : kThinnedByKeepFar));
}

PreviewSquare ViewsExtent(PreviewSquare dots, const std::vector<PlantView>& views) {
    for (const PlantView& view : views) {
        for (const GroundPoint& point : {view.camera, view.target}) {
            if (!std::isfinite(point.x) || !std::isfinite(point.y))
                continue;
            dots = {std::min(dots.minX, point.x), std::min(dots.minY, point.y), std::max(dots.maxX, point.x),
                    std::max(dots.maxY, point.y)};
        }
    }
    return dots;
}

PreviewMarks MarksOfViews(const PreviewScene& scene, const std::vector<PlantView>& views) {
    PreviewMarks marks;
    marks.extent = ViewsExtent(scene.dots, views);
    marks.kinds.resize(scene.kinds.size());
    std::vector<KindMarks> kinds(scene.kinds.size());
    bool filtering = false;
    for (std::size_t k = 0; k < kinds.size(); ++k) {
        const PreviewKind& kind = scene.kinds[k];
        const bool viewed = PlantFilter::LeavesOut(views, kind.thinning);
        marks.kinds[k] = {viewed || kind.limited, kind.count};
        if (viewed)
            kinds[k].filter.emplace(views, kind.thinning, 0, 0);
        kinds[k].thins = !scene.thinned.empty() && kind.thinning.any();
        filtering = filtering || marks.kinds[k].filtered;
    }
    if (!filtering)
        return marks;
    const std::size_t count = scene.x.size();
    marks.leftOut.assign(count, false);
    for (std::size_t i = 0; i < count; ++i) {
        const KindMarks& kind = kinds[scene.kind[i]];
        const double X = scene.x[i];
        const double Y = scene.y[i];
        const bool heldOut = !scene.heldOut.empty() && scene.heldOut[i];
        if ((!kind.filter && !heldOut) || std::isnan(X)) // a plant without a place is met by the build
            continue;
        const PlantShare share = kind.filter ? kind.filter->shareAt(X, Y) : PlantShare::keep;
        const bool leftOut =
            heldOut || share == PlantShare::unseen ||
            (kind.thins &&
             (scene.thinned[i] & (share == PlantShare::keepFar ? kThinnedByKeepFar : kThinnedByKeep)) != 0);
        if (leftOut) {
            marks.leftOut[i] = true;
            --marks.kinds[scene.kind[i]].shown;
        }
    }
    return marks;
}

void ApplyMarks(PreviewScene& scene, PreviewMarks marks) {
    scene.extent = marks.extent;
    for (std::size_t k = 0; k < scene.kinds.size() && k < marks.kinds.size(); ++k) {
        scene.kinds[k].filtered = marks.kinds[k].filtered;
        scene.kinds[k].shown = marks.kinds[k].shown;
    }
    scene.leftOut = std::move(marks.leftOut);
}

void MarkPreviewViews(PreviewScene& scene, const std::vector<PlantView>& views) {
    ApplyMarks(scene, MarksOfViews(scene, views));
}

} // namespace tes
