#pragma once

namespace tes {

// Where a kind's model meets the terrain point of each plant (Stand in the kind's section). A model of
// several objects is mostly a group, whose head 3ds Max pivots at the middle of the group's box, so by
// default it stands on its base; a model of one object keeps the pivot its modeller gave it, usually
// its foot.
enum class PlantStand {
    Auto,  // no Stand key: `Pivot` for a model of one object, `Base` for one of several
    Pivot, // the model's pivot is on the point
    Base,  // the lowest point of the model's bounding box is on the point; X and Y by the pivot
};

} // namespace tes
