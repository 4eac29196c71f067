#include "core/script/fast_script.h"

#include "lib/fields.h"

#include <string_view>
#include <unordered_map>

namespace tes {

namespace {

void Append(std::vector<std::string>& lines, const std::vector<std::string>& more) {
    lines.insert(lines.end(), more.begin(), more.end());
}

std::string Quoted(const std::string& body) {
    return "\"" + body + "\"";
}

// The lines that open the blocks and clear the layer of an earlier run. Deleting a group's head may
// delete its members before the loop reaches them, so each node is checked first.
std::vector<std::string> Opening(const std::string& comment, const std::string& layer) {
    return {
        comment,
        "undo off",
        "(",
        "with redraw off",
        "(",
        "-- the nodes of an earlier run of this script go first",
        "local layer = LayerManager.getLayerFromName " + layer,
        "if layer != undefined do",
        "(",
        "local earlier = #()",
        "layer.nodes &earlier",
        "for o in earlier where not isDeleted o do delete o",
        ")",
    };
}

// The start of the work that a failure ends: what it merged so far is kept in `merged`, `n` counts the
// clones placed, `src` is the object a plant is cloned from and `named` how many nodes bear its name.
std::vector<std::string> TryOpening(const std::string& layer) {
    return {
        "if layer == undefined do layer = LayerManager.newLayerFromName " + layer,
        "local n = 0",
        "local merged = #()",
        "local src = undefined",
        "local named = 0",
        "try",
        "(",
    };
}

// The report of a script that ran, and of one that failed: whatever the failure, what the script made
// goes, so a kind is placed whole or not at all.
std::vector<std::string> TryEnd(const std::string& layer, const std::string& placed) {
    return {
        "format \"Tolvane Enviro Scripter: %: placed % plants\\n\" " + layer + " " + placed,
        ")",
        "catch",
        "(",
        "format \"Tolvane Enviro Scripter: %: not placed: %\\n\" " + layer + " (getCurrentException())",
        "for o in merged where not isDeleted o do delete o",
        "local left = #()",
        "layer.nodes &left",
        "for o in left where not isDeleted o do delete o",
        ")",
        ")",
        ")",
    };
}

const char* const kMergeComment =
    "-- the merge asks nothing and changes nothing of the scene: a name the scene holds already is kept "
    "beside it, a material named like one of the scene's comes in renamed, links are kept";

// Merges the Max file, naming every node merged in `list`, hidden ones too.
std::string MergeLine(const std::string& mergePath, const std::string& list) {
    return "if not (mergeMAXFile " + Quoted(mergePath) +
           " #mergeDups #renameMtlDups #alwaysReparent #noRedraw quiet:true mergedNodes:&" + list +
           ") do throw (\"the Max file cannot be merged: \" + " + Quoted(mergePath) + ")";
}

// Finds `object` among the nodes of `list` into src. Several nodes may bear the name (a group's
// member named like its head): the first at the top of its hierarchy is taken, else the first, and
// the Listener says so.
std::vector<std::string> FindObject(const std::string& list, const std::string& mergePath,
                                    const std::string& object, const std::string& layer) {
    const std::string each = "for o in " + list + " where (stricmp o.name " + object + ") == 0 do ";
    return {
        "src = undefined",
        "named = 0",
        each + "named += 1",
        each + "if o.parent == undefined do if src == undefined do src = o",
        each + "if src == undefined do src = o",
        "if src == undefined do throw (\"the Max file \" + " + Quoted(mergePath) +
            " + \" holds no object named \" + " + object + ")",
        "if named > 1 do format \"Tolvane Enviro Scripter: %: % objects are named %; the plants are made "
        "of the first with no parent, or else the first\\n\" " +
            layer + " named " + object,
    };
}

// The plants are shown and can be picked whatever the Max file did to the objects: nobody places a
// forest to have it invisible or frozen. Every merged node is unhidden, as each is either a plant's or
// deleted at the end.
const char* const kShown[] = {
    "-- the plants are shown and not frozen, whatever the Max file kept hidden or frozen",
    "unhide merged",
    "unfreeze merged",
};

// Into `low`, the lowest point of the boxes of `nodes`, which start with `head`.
std::vector<std::string> LowestOf(const std::string& head, const std::string& nodes) {
    return {"local low = " + head + ".min.z", "for o in " + nodes + " do if o.min.z < low do low = o.min.z"};
}

const char* const kBaseComment =
    "-- the model stands on its base: the lowest point of its box at each plant's point";
const char* const kAutoBaseComment = "-- a model of several objects (a group) stands on its base: the lowest "
                                     "point of its box at each plant's point";

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
    const std::string layer = Quoted(names.layer);
    std::vector<std::string> lines =
        Opening("-- merge the object once, then clone it to every position, without undo and redraw", layer);
    Append(lines, TryOpening(layer));
    Append(lines, {kMergeComment, MergeLine(names.mergePath, "merged")});
    Append(lines, FindObject("merged", names.mergePath, Quoted(names.objectName), layer));
    Append(lines, {
                      "for o in merged do layer.addNode o",
                      // The object stays as the first plant, so what belongs to it is known.
                      "-- the model: the object with every node linked below it (a group's members are "
                      "linked to its head)",
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
    const std::string layer = Quoted(names.layer);
    std::vector<std::string> lines = Opening(
        "-- merge each Max file once, then clone a turned and scaled object to every position, without undo "
        "and redraw",
        layer);
    Append(lines, TryOpening(layer));
    Append(lines, {"local sources = #()", kMergeComment});
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
            lines.push_back("append sources (sources[" + std::to_string(first->second) + "])");
            continue;
        }
        const auto [file, added] = merged.try_emplace(source.mergePath, merged.size() + 1);
        const std::string list = "merged" + std::to_string(file->second);
        if (added) {
            Append(lines, {"local " + list + " = #()", MergeLine(source.mergePath, list),
                           "join merged " + list, "for o in " + list + " do layer.addNode o"});
        }
        Append(lines, FindObject(list, source.mergePath, Quoted(source.objectName), layer));
        Append(lines, turnAndScale);
        lines.push_back("append sources src");
    }
    lines.insert(lines.end(), std::begin(kShown), std::end(kShown));
    Append(lines, {
                      "-- an object with nodes linked below it is cloned whole",
                      "local whole = false",
                      "for v in sources do if v.children.count > 0 do whole = true",
                  });
    if (names.stand != PlantStand::Pivot) {
        // How far each source's pivot stands above its base, before the plant's own scale.
        Append(lines,
               {names.stand == PlantStand::Base ? kBaseComment : kAutoBaseComment, "local lifts = #()",
                "for v in sources do", "(", "local nodes = #(v)", "local j = 1", "while j <= nodes.count do",
                "(", "join nodes (nodes[j].children as array)", "j += 1", ")"});
        Append(lines, LowestOf("v", "nodes"));
        if (names.stand == PlantStand::Base)
            lines.push_back("append lifts (v.pos.z - low)");
        else
            Append(lines,
                   {"local lift = 0", "if nodes.count > 1 do lift = v.pos.z - low", "append lifts lift"});
        lines.push_back(")");
    }
    lines.push_back("local points = #()");
    return lines;
}

std::vector<std::string> VariedFastLoopAndEnd(const FastScriptNames& names, bool lighter) {
    const std::string loop = "for chunk in points do for i = 1 to chunk.count by 4 do";
    const bool lifted = names.stand != PlantStand::Pivot;
    // A negative object number marks a plant the viewports show as a box.
    const std::string index = lighter ? "abs k" : "chunk[i + 3]";
    std::vector<std::string> pick;
    if (lighter)
        pick.push_back("local k = chunk[i + 3]");
    pick.push_back("local v = sources[" + index + "]");
    if (lifted)
        pick.push_back("local up = lifts[" + index + "] * chunk[i + 2]");
    const std::string name = "v.name + (formattedPrint n format:\"02d\")";
    const std::vector<std::string> place{
        "rotate c (angleaxis (chunk[i + 1]) [0,0,1])",
        "c.scale = c.scale * chunk[i + 2]",
        lifted ? "c.pos = chunk[i] + [0,0,1] * up" : "c.pos = chunk[i]",
    };
    std::vector<std::string> lines;
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
    Append(lines, {"-- nothing the Max files brought is a plant itself",
                   "for o in merged where not isDeleted o do delete o"});
    Append(lines, TryEnd(Quoted(names.layer), "n"));
    return lines;
}

std::vector<std::string> FastLoopAndEnd(const FastScriptNames& names) {
    const std::string name = Quoted(names.objectName) + " + (formattedPrint n format:\"02d\")";
    std::vector<std::string> lines;
    // The first plant, the object itself, is lifted with the whole model; the clones follow it.
    if (names.stand == PlantStand::Base) {
        lines.push_back(kBaseComment);
        Append(lines, LowestOf("src", "model"));
        Append(lines, {"local lift = src.pos.z - low", "src.pos = src.pos + [0,0,1] * lift"});
    } else if (names.stand == PlantStand::Auto) {
        Append(lines, {kAutoBaseComment, "local lift = 0", "if model.count > 1 do", "("});
        Append(lines, LowestOf("src", "model"));
        Append(lines, {"lift = src.pos.z - low", "src.pos = src.pos + [0,0,1] * lift", ")"});
    }
    const std::string wholePlace =
        names.stand == PlantStand::Pivot ? "c.pos = p" : "c.pos = p + [0,0,1] * lift";
    const std::string onePlace = names.stand == PlantStand::Base ? "c.pos = p + [0,0,1] * lift" : "c.pos = p";
    Append(lines, WholeLoop("if model.count > 1 do for chunk in points do for p in chunk do", "src", names,
                            {}, {"c.name = " + name, wholePlace}, false));
    Append(lines, OneObjectLoop("if model.count == 1 do",
                                {
                                    "for chunk in points do for p in chunk do",
                                    "(",
                                    "n += 1",
                                    std::string("local c = ") + (names.instances ? "instance" : "copy") +
                                        " src name:(" + name + ")",
                                    onePlace,
                                    "layer.addNode c",
                                    ")",
                                }));
    // The object itself is the first plant, with the model's other nodes.
    Append(lines, {
                      "-- what the Max file brought besides the model is not a plant",
                      "for o in merged where not isDeleted o do if (findItem model o) == 0 do delete o",
                  });
    Append(lines, TryEnd(Quoted(names.layer), "(n + 1)"));
    return lines;
}

std::vector<std::string> EmptyFastScript(const FastScriptNames& names) {
    const std::string layer = Quoted(names.layer);
    std::vector<std::string> lines = Opening(
        "-- no plant of this kind is left: the plants of an earlier run go, and nothing is merged", layer);
    Append(lines, {"format \"Tolvane Enviro Scripter: %: placed 0 plants\\n\" " + layer, ")", ")"});
    return lines;
}

} // namespace tes
