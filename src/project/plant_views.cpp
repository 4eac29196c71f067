#include "project/plant_views.h"

#include "lib/fields.h"

#include <cmath>

namespace tes {

namespace {

bool Finite(const GroundPoint& point) {
    return std::isfinite(point.x) && std::isfinite(point.y);
}

// Negative values and NaN alike are refused; infinity is no distance either.
bool Distance(double value) {
    return std::isfinite(value) && value >= 0;
}

bool Percent(double value) {
    return value >= 0 && value <= 100;
}

} // namespace

std::optional<std::string> ViewProblem(const PlantView& view) {
    if (!Finite(view.camera) || !Finite(view.target))
        return "the camera and the target must be numbers";
    if (view.camera == view.target)
        return "the camera and the target are the same point, so the view looks nowhere";
    if (!(view.fov >= 1 && view.fov <= 179.9))
        return "the field of view must lie between 1 and 179.9 degrees";
    if (!Distance(view.margin))
        return "the margin must be 0 or more percent";
    if (!Distance(view.keepRadius))
        return "the keep radius must be 0 or more";
    if (!Distance(view.far))
        return "the far distance must be 0 or more";
    return std::nullopt;
}

std::optional<std::string> ViewsProblem(const std::vector<PlantView>& views) {
    for (std::size_t i = 0; i < views.size(); ++i) {
        if (std::optional<std::string> problem = ViewProblem(views[i]))
            return "View" + std::to_string(i + 1) + ": " + *problem;
    }
    return std::nullopt;
}

std::optional<std::string> ThinningProblem(const PlantThinning& thinning) {
    if (!Percent(thinning.keep))
        return "Keep must lie between 0 and 100 percent";
    if (!Distance(thinning.thinBeyond))
        return "ThinBeyond must be 0 or more";
    if (!Percent(thinning.keepFar))
        return "KeepFar must lie between 0 and 100 percent";
    return std::nullopt;
}

std::optional<std::string> DetailProblem(const PlantDetail& detail) {
    if (!Distance(detail.farFrom))
        return "FarFrom must be 0 or more";
    if (!Distance(detail.boxFrom))
        return "BoxFrom must be 0 or more";
    return std::nullopt;
}

std::string PlantDetail::farObjectName() const {
    return farObject.empty() ? GetBaseFileName(farFile) : farObject;
}

} // namespace tes
