#include "core/fast_script.h"

#include "lib/fields.h"

#include <string_view>
#include <unordered_map>

namespace tes {

namespace {

// The lines that open the blocks and clear the layer of an earlier run.
std::vector<std::string> Opening(const std::string& comment, const std::string& layer) {
    return {
        comment,
        "undo off",
        "(",
        "with redraw off",
        "(",
        "-- the nodes of an earlier run of this script go first",
        "local layer = LayerManager.getLayerFromName " + layer,
        "if layer != undefined do (local earlier; layer.nodes &earlier; delete earlier)",
        "if layer == undefined do layer = LayerManager.newLayerFromName " + layer,
    };
}

std::string NoObjectThrow(const std::string& object) {
    return "if src == undefined do throw (\"Tolvane Enviro Scripter: the Max file holds no object named \" "
           "+ " +
           object + ")";
}

} // namespace

std::vector<std::string> FastPreamble(const FastScriptNames& names) {
    const std::string object = "\"" + names.objectName + "\"";
    std::vector<std::string> lines =
        Opening("-- merge the object once, then clone it to every position, without undo and redraw",
                "\"" + names.layer + "\"");
    lines.insert(lines.end(), {
                                  "mergeMAXFile \"" + names.mergePath + "\" #mergeDups #select #noredraw",
                                  "local merged = selection as array",
                                  "local src = undefined",
                                  // The name as the classic pathname finds it: letter case aside.
                                  "for o in merged where (stricmp o.name " + object + ") == 0 do src = o",
                                  NoObjectThrow(object),
                                  "for o in merged do layer.addNode o",
                                  "clearSelection()",
                                  "local points = #()",
                              });
    return lines;
}

std::vector<std::string> VariedFastPreamble(const FastScriptNames& names,
                                            const std::vector<FastSource>& sources,
                                            const std::vector<std::string>& turnAndScale) {
    std::vector<std::string> lines = Opening(
        "-- merge each Max file once, then clone a turned and scaled object to every position, without undo "
        "and redraw",
        "\"" + names.layer + "\"");
    lines.insert(lines.end(), {"local sources = #()", "local src = undefined"});
    // The files merged so far, by their merge path, each with its number.
    std::unordered_map<std::string_view, std::size_t> merged;
    merged.reserve(sources.size());
    // Each object taken so far, by its file and name, with its place among the sources: an object
    // named twice (the far model may be one of the others) is turned and scaled once.
    std::unordered_map<std::string, std::size_t> taken;
    std::size_t place = 0;
    for (const FastSource& source : sources) {
        const auto [first, fresh] =
            taken.try_emplace(source.mergePath + '|' + UpperCase(source.objectName), ++place);
        if (!fresh) {
            lines.push_back("append sources sources[" + std::to_string(first->second) + "]");
            continue;
        }
        const auto [file, added] = merged.try_emplace(source.mergePath, merged.size() + 1);
        const std::string list = "merged" + std::to_string(file->second);
        if (added) {
            lines.insert(lines.end(),
                         {"mergeMAXFile \"" + source.mergePath + "\" #mergeDups #select #noredraw",
                          "local " + list + " = selection as array",
                          "for o in " + list + " do layer.addNode o", "clearSelection()"});
        }
        const std::string object = "\"" + source.objectName + "\"";
        lines.insert(lines.end(),
                     {"src = undefined",
                      "for o in " + list + " where (stricmp o.name " + object + ") == 0 do src = o",
                      NoObjectThrow(object)});
        lines.insert(lines.end(), turnAndScale.begin(), turnAndScale.end());
        lines.push_back("append sources src");
    }
    lines.push_back("local points = #()");
    return lines;
}

std::vector<std::string> VariedFastLoopAndEnd(const FastScriptNames& names, bool lighter) {
    const std::string clone = std::string("local c = ") + (names.instances ? "instance" : "copy") +
                              " v name:(v.name + (formattedPrint n format:\"02d\"))";
    if (lighter) {
        // A negative object number marks a plant the viewports show as a box. The far model may be one
        // of the other objects too, so each is deleted once.
        return {
            "local n = 0",
            "for chunk in points do for i = 1 to chunk.count by 4 do",
            "(",
            "n += 1",
            "local k = chunk[i + 3]",
            "local v = sources[abs k]",
            clone,
            "rotate c (angleaxis chunk[i + 1] [0,0,1])",
            "c.scale = c.scale * chunk[i + 2]",
            "c.pos = chunk[i]",
            "if k < 0 do c.boxMode = true",
            "layer.addNode c",
            ")",
            "-- the objects the plants were cloned from are not plants themselves",
            "for v in sources where not isDeleted v do delete v",
            ")",
            ")",
        };
    }
    return {
        "local n = 0",
        "for chunk in points do for i = 1 to chunk.count by 4 do",
        "(",
        "n += 1",
        "local v = sources[chunk[i + 3]]",
        clone,
        "rotate c (angleaxis chunk[i + 1] [0,0,1])",
        "c.scale = c.scale * chunk[i + 2]",
        "c.pos = chunk[i]",
        "layer.addNode c",
        ")",
        "-- the objects the plants were cloned from are not plants themselves",
        "for v in sources do delete v",
        ")",
        ")",
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
