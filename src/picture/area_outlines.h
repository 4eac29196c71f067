#pragma once

#include "core/preview/preview_raster.h"
#include "project/plant_areas.h"

#include <vector>

class QPainter;

namespace tes {

// Each area over the dots: a closed area's edge, an open line's breadth, and the soft edge's band
// beside them (outside an area that clears plants, inside one that holds them). Red clears, green
// holds.
void PaintAreaOutlines(QPainter& painter, const std::vector<PlantArea>& areas, const PreviewView& view);

// The points of the area being edited, each a handle; while `drafting`, also the line through them.
void PaintAreaEdit(QPainter& painter, const std::vector<GroundPoint>& points, bool drafting,
                   const PreviewView& view);

} // namespace tes
