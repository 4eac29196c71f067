#include "core/script/fast_script.h"

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

// The plants are shown and can be picked whatever the Max file did to the objects: nobody places a
// forest to have it invisible or frozen. Every merged node is unhidden, as each is either a plant's or
// deleted at the end.
const char* const kShown[] = {
    "-- the plants are shown and not frozen, whatever the Max file kept hidden or frozen",
    "unhide merged",
    "unfreeze merged",
};

void Append(std::vector<std::string>& lines, const std::vector<std::string>& more) {
    lines.insert(lines.end(), more.begin(), more.end());
}

// A model of several objects: each plant is a clone of `head` with every node linked below it (a group's
// members are linked to its head). cloneNodes keeps the links among the clones, so the clone of `head`
// places, turns and scales the whole about its pivot; it is found by the links alone, as the one clone
// whose parent was not cloned, whatever order cloneNodes returns them in. `pick` finds the plant's
// `head`, `place` names and places the clone `c`; with `boxes`, a negative object number `k` marks a
// plant the viewports show as a box, all of its nodes.
std::vector<std::string> WholeLoop(const std::string& loop, const std::string& head,
                                   const FastScriptNames& names, const std::vector<std::string>& pick,
                                   const std::vector<std::string>& place, bool boxes) {
    std::vector<std::string> lines{
        "-- a model of several objects: each plant is a clone of all of them, placed by the clone of the "
        "named one",
        loop,
        "(",
        "n += 1",
    };
    Append(lines, pick);
    Append(lines, {
                      "local nn = #()",
                      "maxOps.cloneNodes " + head + " expandHierarchy:true cloneType:" +
                          (names.instances ? "#instance" : "#copy") + " newNodes:&nn",
                      "local c = undefined",
                      "for o in nn do if (findItem nn o.parent) == 0 do c = o",
                  });
    Append(lines, place);
    lines.push_back("for o in nn do layer.addNode o");
    if (boxes)
        lines.push_back("if k < 0 do for o in nn do o.boxMode = true");
    lines.push_back(")");
    return lines;
}

// The loop of a model of one object, kept as it always was, runs only for such a model.
std::vector<std::string> OneObjectLoop(const std::string& test, const std::vector<std::string>& loop) {
    std::vector<std::string> lines{"-- a model of one object: a copy of it at every position", test, "("};
    Append(lines, loop);
    lines.push_back(")");
    return lines;
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
                                  // The object stays as the first plant, so what belongs to it is known.
                                  "-- the model: the object with every node linked below it (a group's "
                                  "members are linked to its head)",
                                  "local model = #(src)",
                                  "local k = 1",
                                  "while k <= model.count do",
                                  "(",
                                  "join model (model[k].children as array)",
                                  "k += 1",
                                  ")",
                              });
    lines.insert(lines.end(), std::begin(kShown), std::end(kShown));
    lines.push_back("local points = #()");
    return lines;
}

std::vector<std::string> VariedFastPreamble(const FastScriptNames& names,
                                            const std::vector<FastSource>& sources,
                                            const std::vector<std::string>& turnAndScale) {
    std::vector<std::string> lines = Opening(
        "-- merge each Max file once, then clone a turned and scaled object to every position, without undo "
        "and redraw",
        "\"" + names.layer + "\"");
    lines.insert(lines.end(), {"local sources = #()", "local src = undefined", "local merged = #()"});
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
                          "for o in " + list + " do layer.addNode o", "clearSelection()",
                          "join merged " + list});
        }
        const std::string object = "\"" + source.objectName + "\"";
        lines.insert(lines.end(),
                     {"src = undefined",
                      "for o in " + list + " where (stricmp o.name " + object + ") == 0 do src = o",
                      NoObjectThrow(object)});
        lines.insert(lines.end(), turnAndScale.begin(), turnAndScale.end());
        lines.push_back("append sources src");
    }
    lines.insert(lines.end(), std::begin(kShown), std::end(kShown));
    lines.insert(lines.end(), {
                                  "-- an object with nodes linked below it is cloned whole",
                                  "local whole = false",
                                  "for v in sources do if v.children.count > 0 do whole = true",
                                  "local points = #()",
                              });
    return lines;
}

std::vector<std::string> VariedFastLoopAndEnd(const FastScriptNames& names, bool lighter) {
    const std::string loop = "for chunk in points do for i = 1 to chunk.count by 4 do";
    // A negative object number marks a plant the viewports show as a box.
    const std::vector<std::string> pick =
        lighter ? std::vector<std::string>{"local k = chunk[i + 3]", "local v = sources[abs k]"}
                : std::vector<std::string>{"local v = sources[chunk[i + 3]]"};
    const std::string name = "v.name + (formattedPrint n format:\"02d\")";
    const std::vector<std::string> place{
        "rotate c (angleaxis chunk[i + 1] [0,0,1])",
        "c.scale = c.scale * chunk[i + 2]",
        "c.pos = chunk[i]",
    };
    std::vector<std::string> lines{"local n = 0"};
    std::vector<std::string> named{"c.name = " + name};
    Append(named, place);
    Append(lines, WholeLoop("if whole do " + loop, "v", names, pick, named, lighter));
    std::vector<std::string> one{loop, "(", "n += 1"};
    Append(one, pick);
    one.push_back(std::string("local c = ") + (names.instances ? "instance" : "copy") + " v name:(" + name +
                  ")");
    Append(one, place);
    if (lighter)
        one.push_back("if k < 0 do c.boxMode = true");
    Append(one, {"layer.addNode c", ")"});
    Append(lines, OneObjectLoop("if not whole do", one));
    // The plants are all clones: the sources (the far model may be one of the others too) and whatever
    // else the Max files held go.
    Append(lines, {
                      "-- nothing the Max files brought is a plant itself",
                      "for o in merged where not isDeleted o do delete o",
                      ")",
                      ")",
                  });
    return lines;
}

std::vector<std::string> FastLoopAndEnd(const FastScriptNames& names) {
    const std::string name = "\"" + names.objectName + "\" + (formattedPrint n format:\"02d\")";
    std::vector<std::string> lines{"local n = 0"};
    Append(lines, WholeLoop("if model.count > 1 do for chunk in points do for p in chunk do", "src", names,
                            {}, {"c.name = " + name, "c.pos = p"}, false));
    Append(lines, OneObjectLoop("if model.count == 1 do",
                                {
                                    "for chunk in points do for p in chunk do",
                                    "(",
                                    "n += 1",
                                    std::string("local c = ") + (names.instances ? "instance" : "copy") +
                                        " src name:(" + name + ")",
                                    "c.pos = p",
                                    "layer.addNode c",
                                    ")",
                                }));
    // The object itself is the first plant, with the model's other nodes.
    Append(lines, {
                      "-- what the Max file brought besides the model is not a plant",
                      "for o in merged where not isDeleted o do if (findItem model o) == 0 do delete o",
                      ")",
                      ")",
                  });
    return lines;
}

} // namespace tes
