#include "core/preview/preview_views.h"

#include "core/plants/plant_filter.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tes {

namespace {

// Whether a plant of the draw is kept at `percent`, as PlantFilter::keeps takes the share.
bool KeptAt(double percent, double draw) {
    const double share = percent / 100;
    return share >= 1 || (share > 0 && draw < share);
}

// One kind's part of the marking.
struct KindMarks {
    bool filtered = false;
    bool thins = false; // its plants carry thinned marks worth reading
    double beyond2 = 0; // the square of its ThinBeyond, with a view; 0: no thinning with distance
};

} // namespace

std::uint8_t ThinnedMarks(const PlantThinning& thinning, double draw) {
    return static_cast<std::uint8_t>((KeptAt(thinning.keep, draw) ? 0 : kThinnedByKeep) |
                                     (KeptAt(thinning.keepFar, draw) ? 0 : kThinnedByKeepFar));
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

void MarkPreviewViews(PreviewScene& scene, const std::vector<PlantView>& views) {
    scene.extent = ViewsExtent(scene.dots, views);
    std::vector<ViewTest> tests(views.begin(), views.end());
    std::vector<KindMarks> marks(scene.kinds.size());
    bool filtering = false;
    for (std::size_t k = 0; k < marks.size(); ++k) {
        PreviewKind& kind = scene.kinds[k];
        const PlantThinning& thinning = kind.thinning;
        // As PlantFilter: every view or a share below all of them; distance needs a camera.
        kind.filtered = !views.empty() || thinning.keep / 100 < 1;
        kind.shown = kind.count;
        marks[k] = {kind.filtered, !scene.thinned.empty() && thinning.any(),
                    !views.empty() && thinning.thinBeyond > 0 ? thinning.thinBeyond * thinning.thinBeyond
                                                              : 0};
        filtering = filtering || kind.filtered;
    }
    if (!filtering) {
        scene.leftOut = {};
        return;
    }
    const std::size_t count = scene.x.size();
    scene.leftOut.assign(count, false);
    for (std::size_t i = 0; i < count; ++i) {
        const KindMarks& kind = marks[scene.kind[i]];
        const double X = scene.x[i];
        const double Y = scene.y[i];
        if (!kind.filtered || std::isnan(X)) // a plant without a place is met by the build, and reported
            continue;
        bool far = false;
        if (!tests.empty()) {
            const bool seen = std::any_of(tests.begin(), tests.end(),
                                          [X, Y](const ViewTest& test) { return test.sees(X, Y); });
            if (!seen) {
                scene.leftOut[i] = true;
                --scene.kinds[scene.kind[i]].shown;
                continue;
            }
            if (kind.beyond2 > 0) {
                double nearest = std::numeric_limits<double>::infinity();
                for (const ViewTest& test : tests)
                    nearest = std::min(nearest, test.distanceSquared(X, Y));
                far = nearest > kind.beyond2;
            }
        }
        if (kind.thins && (scene.thinned[i] & (far ? kThinnedByKeepFar : kThinnedByKeep)) != 0) {
            scene.leftOut[i] = true;
            --scene.kinds[scene.kind[i]].shown;
        }
    }
}

} // namespace tes
