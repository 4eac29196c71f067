#pragma once

#include "lib/line_list.h"
#include "support/maxscript_cursor.h"

#include <iosfwd>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// A small reader of placement scripts, of either shape, that works out what a run of the script in a
// new 3ds Max scene leaves: the nodes it merges and clones, with their names and transforms. It knows
// the statements the engine writes, and those of the 3ds Max check's test script (models made and
// saved, scripts run with fileIn, the Listener read back), and nothing more; anything else is a fault
// it reports.
namespace tes::test {

enum class NodeOrigin { Merged, Copy, Instance };

struct PlacedNode {
    std::string name;
    Point3 position;
    float rotation = 0; // about Z in degrees: the sum of the rotate statements
    Point3 scale{1, 1, 1};
    NodeOrigin origin = NodeOrigin::Merged;
    std::string file; // the Max file its object was merged from, as the merge line's string reads
    bool box = false; // shown as a box in the viewports
    bool hidden = false;
    bool frozen = false;
    long long parent = -1; // the node it is linked to, among the nodes read, or -1
    // How far the lowest point of its box lies above its pivot, at scale 1 (below: negative). The
    // reader knows only this height of a node's box; its min's x and y are the pivot's.
    float bottom = 0;
    float height = 0; // of its box, at scale 1: known for the nodes the scripts make
    std::string type; // classOf: "Box", "Cylinder", "Dummy"; "" for a Max file's object the test names
    bool groupHead = false;
    long long material = -1; // its material among the scene's, or none
    bool operator==(const PlacedNode&) const = default;
};

void PrintTo(const PlacedNode& node, std::ostream* out);

struct Placement {
    std::vector<PlacedNode> nodes;   // in the order the script makes them
    std::vector<std::string> layers; // each node's layer, "" for none
    std::string mergedFile;          // the merge line's file as 3ds Max reads its string
    // Empty when the script ran to its end; otherwise "line N: what" (after the file's name where a
    // script file was run, for each script file in turn), and `nodes` as they stood then
    // (3ds Max stops a script at its first error too).
    std::string fault;
    // The lines the script printed in the Listener.
    std::vector<std::string> listener;
};

// An object of a Max file: its name, the object it is linked to ("" for none; a group's members are
// linked to its head), where it stands and how the file keeps it.
struct MaxObject {
    MaxObject(const char* name, const char* parent = "", Point3 at = {}, bool hidden = false,
              bool frozen = false, float bottom = 0)
        : name(name), parent(parent), at(at), hidden(hidden), frozen(frozen), bottom(bottom) {}
    std::string name;
    std::string parent;
    Point3 at;
    bool hidden;
    bool frozen;
    float bottom; // as PlacedNode's
};

// The objects each Max file holds, by the file as the merge line's string reads.
using MaxFiles = std::map<std::string, std::vector<MaxObject>>;

// `objectName` is the name the merged object has inside the Max file; with `files`, merging a file
// they do not name is a fault. A merge must name what happens to names the scene holds already and run
// quietly, as the fast script's do; only the classic script's merge line (a script headed for 3dsMax
// 3.1) keeps the words it always had.
Placement ReadPlacement(std::string_view script, std::string_view objectName, const MaxFiles& files = {});
Placement ReadPlacement(const LineList& lines, std::string_view objectName, const MaxFiles& files = {});

// Runs the script file at `path` in a new, empty scene, as 3ds Max's fileIn does, with each script it
// runs by fileIn read from its file: the Max files a merge finds are those its scripts saved.
Placement RunScriptFile(const std::string& path);

} // namespace tes::test
