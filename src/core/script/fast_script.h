#pragma once

#include "project/plant_stand.h"

#include <string>
#include <vector>

// The fast shape of a placement script, for 3ds Max 2011 and later: one merge, the merged object found
// once by its name (letter case aside, no wildcards) and kept in a variable, the positions as data, and one
// loop that clones the object to each of them, all without undo and redraw. Every node the script makes goes
// onto a layer named after the script, whose nodes an earlier run left are deleted first, so a second run
// leaves one set and the scripts of different kinds and tiles never meet.
//
// The model a plant is cloned from may be one object, a group or an object with others linked below it;
// only 3ds Max knows which, so the script decides when it runs. A model of one object takes the loop of
// copy or instance it always had; a model of several objects is cloned whole with maxOps.cloneNodes, its
// links kept, and placed, turned and scaled by the clone of the named object. The plants are shown and not
// frozen whatever the Max file did to the objects, and whatever a Max file brought that is not a plant is
// deleted at the end.
//
// A merge asks nothing and changes nothing the scene held: a node named like one of the scene's is merged
// beside it, a material named like one of the scene's is merged under a new name, links are kept, and the
// nodes merged are those the merge names, hidden ones too. The work runs inside a try: a script that fails
// (a Max file that cannot be merged, an object it lacks) deletes what it made, says why in the Listener,
// and lets the scripts joined after it run; one that succeeds says how many plants it placed.
namespace tes {

struct FastScriptNames {
    std::string layer;      // the script file's name without its extension (string body)
    std::string mergePath;  // the Max file as the merge line writes it (string body)
    std::string objectName; // the object's name (string body)
    bool instances = false; // clones share the object's geometry
    PlantStand stand = PlantStand::Auto;
};

// The points are written in arrays of at most this many, which MAXScript compiles quickly.
inline constexpr int kFastPointsPerArray = 1000;

// After the heading comments: the layer, the merge, the object and its model (`model`: the object and
// every node below it).
std::vector<std::string> FastPreamble(const FastScriptNames& names);
// The object at the first position: "src.pos = [" is followed by the position.
inline constexpr const char* kFastFirstPosition = "src.pos = [";
// Opens and closes an array of points.
inline constexpr const char* kFastOpenPoints = "append points #(";
inline constexpr const char* kFastClosePoints = ")";
// After the last point: the model set on its base when it stands so, the loop that places a clone at
// every point, the report, and the blocks' ends.
std::vector<std::string> FastLoopAndEnd(const FastScriptNames& names);

// The fast shape for plants that differ. Each Max file is merged once, and each variant's object is
// found in it, given the kind's own turn and scale and kept in `sources`. Every plant is then a clone
// of its variant's object: the data hold, for each plant, its position and then its turn, scale factor
// and variant number as three items of their own (four items a plant, the fewest bytes the loop can
// read). When any of the objects has nodes below it, every plant is cloned whole. Everything merged goes
// at the end.
struct FastSource {
    std::string mergePath;  // the Max file as the merge line writes it (string body)
    std::string objectName; // the object's name (string body)
};
std::vector<std::string> VariedFastPreamble(const FastScriptNames& names,
                                            const std::vector<FastSource>& sources,
                                            const std::vector<std::string>& turnAndScale);
// `lighter`: some plants are the far model or boxes (a negative object number), and an object may
// stand twice among the sources.
std::vector<std::string> VariedFastLoopAndEnd(const FastScriptNames& names, bool lighter = false);

// The whole body of a script whose kind has no plant left: the plants of an earlier run go, nothing is
// merged, and the Listener says 0 were placed.
std::vector<std::string> EmptyFastScript(const FastScriptNames& names);

} // namespace tes
