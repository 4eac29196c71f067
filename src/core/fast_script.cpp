#include "core/fast_script.h"

namespace tes {

std::vector<std::string> FastPreamble(const FastScriptNames& names) {
    const std::string layer = "\"" + names.layer + "\"";
    const std::string object = "\"" + names.objectName + "\"";
    return {
        "-- merge the object once, then clone it to every position, without undo and redraw",
        "undo off",
        "(",
        "with redraw off",
        "(",
        "-- the nodes of an earlier run of this script go first",
        "local layer = LayerManager.getLayerFromName " + layer,
        "if layer != undefined do (local earlier; layer.nodes &earlier; delete earlier)",
        "if layer == undefined do layer = LayerManager.newLayerFromName " + layer,
        "mergeMAXFile \"" + names.mergePath + "\" #mergeDups #select #noredraw",
        "local merged = selection as array",
        "local src = undefined",
        // The name as the classic pathname finds it: letter case aside.
        "for o in merged where (stricmp o.name " + object + ") == 0 do src = o",
        "if src == undefined do throw (\"Tolvane Enviro Scripter: the Max file holds no object named \" + " +
            object + ")",
        "for o in merged do layer.addNode o",
        "clearSelection()",
        "local points = #()",
    };
}

std::vector<std::string> FastLoopAndEnd(const FastScriptNames& names) {
    return {
        "local n = 0",
        "for chunk in points do for p in chunk do",
        "(",
        "n += 1",
        std::string("local c = ") + (names.instances ? "instance" : "copy") + " src name:(\"" +
            names.objectName + "\" + (formattedPrint n format:\"02d\"))",
        "c.pos = p",
        "layer.addNode c",
        ")",
        ")",
        ")",
    };
}

} // namespace tes
