#include "core/check/max_check_project.h"
#include "core/check/max_check_script.h"
#include "core/script/maxscript_literals.h"

namespace tes {

namespace {

std::string SavedTo(const std::string& folder, const char* file) {
    return "\"" + MaxStringBody(MaxCheckMaxFile(folder, file)) + "\"";
}

} // namespace

// Each model stands away from the scene's origin and its own foot, so that a plant the scripts did not
// move, or moved by the wrong point, is seen. Each is saved on its own, with every node it has.
std::vector<std::string> MaxCheckModelLines(const std::string& folder) {
    using namespace max_check;
    return {
        "-- OneBox: one object, its pivot at its foot (a box's own pivot)",
        "local oneBox = Box name:\"OneBox\" length:10 width:10 height:20 pos:[300,0,0]",
        "oneBox.pivot = [300,0,0]",
        "saveNodes #(oneBox) " + SavedTo(folder, kOneFile) + " quiet:true",
        "-- GroupTree: a group of two boxes; 3ds Max puts a new group's pivot at the middle of its box",
        "local trunk = Box name:\"GroupTreeTrunk\" length:4 width:4 height:10 pos:[0,300,3]",
        "local crown = Box name:\"GroupTreeCrown\" length:16 width:16 height:12 pos:[0,300,13]",
        "local groupTree = group #(trunk, crown) name:\"GroupTree\"",
        "saveNodes #(groupTree, trunk, crown) " + SavedTo(folder, kGroupFile) + " quiet:true",
        "-- GroupTreeB: the group's variant, in a Max file of its own",
        "local trunkB = Box name:\"GroupTreeBTrunk\" length:3 width:3 height:8 pos:[0,400,2]",
        "local crownB = Box name:\"GroupTreeBCrown\" length:12 width:12 height:16 pos:[0,400,10]",
        "local groupTreeB = group #(trunkB, crownB) name:\"GroupTreeB\"",
        "saveNodes #(groupTreeB, trunkB, crownB) " + SavedTo(folder, kGroupBFile) + " quiet:true",
        "-- FarTree: the group's far model, one box with its pivot at its foot",
        "local farTree = Box name:\"FarTree\" length:6 width:6 height:30 pos:[0,500,0]",
        "saveNodes #(farTree) " + SavedTo(folder, kFarFile) + " quiet:true",
        "-- Shrub: a box pivoted at its top, with a hidden cylinder linked below it",
        "local shrub = Box name:\"Shrub\" length:8 width:8 height:8 pos:[-300,0,0]",
        "shrub.pivot = [-300,0,8]",
        "local shrubTop = Cylinder name:\"ShrubTop\" radius:3 height:6 pos:[-300,0,8]",
        "shrubTop.parent = shrub",
        "hide shrubTop",
        "saveNodes #(shrub, shrubTop) " + SavedTo(folder, kHiddenFile) + " quiet:true",
        "-- BarkA and BarkB: two Max files, each with a material named Bark (red and green)",
        "local barkA = Box name:\"BarkA\" length:10 width:10 height:10 pos:[0,-300,0]",
        "barkA.material = StandardMaterial name:\"Bark\" diffuse:(color 200 30 30)",
        "saveNodes #(barkA) " + SavedTo(folder, kBarkAFile) + " quiet:true",
        "local barkB = Cylinder name:\"BarkB\" radius:5 height:10 pos:[0,-400,0]",
        "barkB.material = StandardMaterial name:\"Bark\" diffuse:(color 30 200 30)",
        "saveNodes #(barkB) " + SavedTo(folder, kBarkBFile) + " quiet:true",
        "-- the scene was empty: everything in it now is the models'",
        "delete objects",
        "local saved = #()",
        "append saved " + SavedTo(folder, kOneFile),
        "append saved " + SavedTo(folder, kGroupFile),
        "append saved " + SavedTo(folder, kGroupBFile),
        "append saved " + SavedTo(folder, kFarFile),
        "append saved " + SavedTo(folder, kHiddenFile),
        "append saved " + SavedTo(folder, kBarkAFile),
        "append saved " + SavedTo(folder, kBarkBFile),
        "local unsaved = \"\"",
        "for f in saved where not (doesFileExist f) do unsaved = unsaved + \" \" + f",
        "if unsaved == \"\" then append results \"PASS models saved\" else append results (\"FAIL models "
        "saved: \" + \"not written:\" + unsaved)",
        "-- the user's own object: a material named as the plants' must stay as it is",
        std::string("local keep = Box name:\"") + kMaxCheckKeptNode +
            "\" length:5 width:5 height:5 pos:[0,0,-200]",
        "keep.material = StandardMaterial name:\"Bark\" diffuse:(color 30 30 200)",
    };
}

} // namespace tes
