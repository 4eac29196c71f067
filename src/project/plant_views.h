#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tes {

// A point on the scene's ground plane: the X and Y the script writes, as 3ds Max shows them.
struct GroundPoint {
    double x = 0;
    double y = 0;
    bool operator==(const GroundPoint&) const = default;
};

// What one camera sees of the plants ([View1], [View2] ... in the kinds table). A plant is in the view
// when it lies within `keepRadius` of the camera, or within `far` of it (any distance when 0) and at
// most min(180, fov / 2 * (1 + margin / 100)) degrees off the line from the camera to the target.
struct PlantView {
    GroundPoint camera;
    GroundPoint target;
    double fov = 45;       // horizontal field of view, degrees (1 to 179.9)
    double margin = 10;    // percent the field is widened by, 0 or more
    double keepRadius = 0; // 0 or more
    double far = 0;        // 0: no far distance
    bool operator==(const PlantView&) const = default;
};

// How many of a kind's plants are kept, by a hash of each plant's own place (Keep, ThinBeyond and
// KeepFar in the kind's section). The defaults keep every plant.
struct PlantThinning {
    double keep = 100;     // percent, 0 to 100
    double thinBeyond = 0; // with a view: beyond this distance from the nearest camera (0: off) ...
    double keepFar = 100;  // ... keep this percent instead
    bool operator==(const PlantThinning&) const = default;
    bool any() const { return keep < 100 || (thinBeyond > 0 && keepFar < 100); }
};

// How a kind's plants grow lighter with their distance from the nearest camera (FarModel, FarFrom and
// BoxFrom in the kind's section; with a view only, as there is no camera without one): beyond
// `farFrom` a plant is the far model instead of the kind's own objects, and beyond `boxFrom` the
// viewports show it as a box. A distance of 0 turns its rule off.
struct PlantDetail {
    std::string farFile;   // the far model's Max file; empty: none
    std::string farObject; // its object; empty: the file's name
    double farFrom = 0;
    double boxFrom = 0;
    bool operator==(const PlantDetail&) const = default;
    // The object the far model merges.
    std::string farObjectName() const;
    bool farModel() const { return !farFile.empty() && farFrom > 0; }
    bool any() const { return farModel() || boxFrom > 0; }
};

// Why the view cannot be used although each of its values was read by its key's rule
// (project/kind_keys.h, which holds every value's range): the camera on its target, so the view looks
// nowhere. None when it can.
std::optional<std::string> ViewProblem(const PlantView& view);
// The first problem of the views, naming the view as the kinds table does: "View2: ...".
std::optional<std::string> ViewsProblem(const std::vector<PlantView>& views);

} // namespace tes
