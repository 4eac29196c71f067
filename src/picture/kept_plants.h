#pragma once

#include "core/preview/preview_raster.h"
#include "core/preview/preview_scene.h"
#include "project/plant_views.h"

#include <cstdint>
#include <span>
#include <vector>

class QPainter;

// What the views and the thinning keep, as the preview draws it: the plants they leave out faded, and
// each view's camera, field, far arc and keep circle.
namespace tes {

// Each view over the dots: its camera and target, the field widened by the margin up to the far arc,
// and the keep circle; the camera of view `selected` (from 0; -1: none) stands out. A view with a value
// that is no number is left out.
void PaintPlantViews(QPainter& painter, const std::vector<PlantView>& views, const PreviewView& view,
                     int selected = -1);

} // namespace tes
