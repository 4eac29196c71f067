#include "project/plant_views.h"

#include "lib/fields.h"

namespace tes {

std::optional<std::string> ViewProblem(const PlantView& view) {
    if (view.camera == view.target)
        return "the camera and the target are the same point, so the view looks nowhere";
    return std::nullopt;
}

std::optional<std::string> ViewsProblem(const std::vector<PlantView>& views) {
    for (std::size_t i = 0; i < views.size(); ++i) {
        if (std::optional<std::string> problem = ViewProblem(views[i]))
            return "View" + std::to_string(i + 1) + ": " + *problem;
    }
    return std::nullopt;
}

std::string PlantDetail::farObjectName() const {
    return ObjectOrFileName(farFile, farObject);
}

} // namespace tes
