#include "core/check/max_check_script.h"

#include "core/check/max_check_project.h"
#include "core/script/maxscript_literals.h"
#include "lib/fields.h"
#include "lib/numbers.h"
#include "lib/version.h"

namespace tes {

namespace {

using Lines = std::vector<std::string>;

void Append(Lines& lines, const Lines& more) {
    lines.insert(lines.end(), more.begin(), more.end());
}

std::string Quoted(const std::string& text) {
    return "\"" + MaxStringBody(text) + "\"";
}

// Every backslash doubled: the test script names exactly the files, whatever letter follows a
// backslash. The built scripts write their own merge paths.
std::string QuotedPath(const std::string& path) {
    return Quoted(path);
}

std::string PointText(const ScenePoint& p) {
    return "[" + PatternText(p.X, 1, 6) + "," + PatternText(p.Y, 1, 6) + "," + PatternText(p.Z, 1, 6) + "]";
}

// One check's two outcomes: "PASS <check>", or "FAIL <check>: " and why (`why`, a MAXScript
// expression), as one statement.
std::string Report(const std::string& passed, const std::string& check, const std::string& why) {
    return "if " + passed + " then append results " + Quoted("PASS " + check) + " else append results (" +
           Quoted("FAIL " + check + ": ") + " + " + why + ")";
}

// Runs one built script with fileIn. What stops it reaches the test as an error, which is kept in
// `thrown`; what it says is read back from the Listener into `said`. A missing object's kind must
// be named in one of the two; every other script must run to its end.
Lines RunScript(const std::string& path, const std::string& check, bool namesMissing) {
    const std::string shown = GetFileNameFromPath(path);
    Lines lines{
        "(",
        "-- " + MaxCommentText(shown),
        "local thrown = \"\"",
        "clearListener()",
        "try",
        "(",
        "fileIn " + QuotedPath(path),
        ")",
        "catch",
        "(",
        "thrown = (getCurrentException()) as string",
        "if thrown == \"\" do thrown = \"an error\"",
        ")",
        "setListenerSel #(0, -1)",
        "local said = (getListenerSelText()) as string",
        "setListenerSel #(-1, -1)",
        Report("thrown == \"\"", "runs " + check + " " + shown, "thrown"),
    };
    if (namesMissing) {
        const std::string name = Quoted(kMaxCheckMissingObject);
        lines.push_back(Report("(findString (thrown + said) " + name + ") != undefined",
                               "reported " + check + " " + kMaxCheckMissingObject,
                               Quoted("neither an error nor the Listener names it")));
    }
    lines.push_back(")");
    return lines;
}

// The plants of a kind are the nodes of its layer that hang below no other node. With `where` the
// plants are also looked for at every point: a plant of one object has its pivot there, a model of
// several objects its lowest point (and its pivot above the point).
Lines KindChecks(const MaxCheckExpected& kind, const std::string& layer, const std::string& run, bool where) {
    const std::string count = std::to_string(kind.missingObject ? 0 : kind.plants);
    const std::string named = run + " " + kind.key;
    Lines lines{
        "(",
        "local found = #()",
        "local layer = LayerManager.getLayerFromName " + Quoted(layer),
        "if layer != undefined do layer.nodes &found",
        "local plants = #()",
        "for o in found where o.parent == undefined do append plants o",
        Report("plants.count == " + count, "count " + named + " (" + count + " plants)",
               "(plants.count as string) + \" plants\""),
    };
    if (where && !kind.points.empty()) {
        lines.push_back("local points = #()");
        for (const ScenePoint& point : kind.points)
            lines.push_back("append points " + PointText(point));
        const std::string near = "(abs (o.pos.x - p.x)) < 0.01 and (abs (o.pos.y - p.y)) < 0.01";
        Append(lines, {
                          "local missed = \"\"",
                          kind.onBase ? "local sunk = \"\"" : "-- each plant's pivot is on its point",
                          "for p in points do",
                          "(",
                          "local hit = undefined",
                          "for o in plants where " + near +
                              (kind.onBase ? "" : " and (abs (o.pos.z - p.z)) < 0.01") + " do hit = o",
                          "if hit == undefined do missed = missed + \" \" + (p as string)",
                      });
        if (kind.onBase) {
            Append(lines,
                   {
                       "if hit != undefined do",
                       "(",
                       "local lowest = hit.min.z",
                       "if (isGroupHead hit) and hit.children.count > 0 do lowest = hit.children[1].min.z",
                       "for m in hit.children where m.min.z < lowest do lowest = m.min.z",
                       "if (abs (lowest - p.z)) >= 0.01 do sunk = sunk + \" \" + (p as string) + \" "
                       "lowest \" + (lowest as string)",
                       ")",
                   });
        }
        lines.push_back(")");
        lines.push_back(Report("missed == \"\"", "positions " + named, "\"no plant at\" + missed"));
        if (kind.onBase)
            lines.push_back(Report("sunk == \"\"", "base " + named, "\"not on the ground:\" + sunk"));
    }
    if (where && kind.materialsAlike) {
        Append(lines,
               {
                   "local painted = \"\"",
                   "for o in plants where o.material == undefined do painted = painted + \" \" + o.name",
                   "for o in plants where o.material != undefined and (classOf o) == Box and "
                   "o.material.diffuse.r < 128 do painted = painted + \" \" + o.name",
                   "for o in plants where o.material != undefined and (classOf o) == Cylinder and "
                   "o.material.diffuse.g < 128 do painted = painted + \" \" + o.name",
                   Report("painted == \"\"", "own material " + named, "\"not their own Bark:\" + painted"),
               });
    }
    lines.push_back(")");
    return lines;
}

Lines EveryKind(const MaxCheckScript& script, bool utf8, const std::string& run, bool where) {
    Lines lines;
    for (const MaxCheckExpected& kind : script.kinds)
        Append(lines, KindChecks(kind, utf8 ? kind.utf8Layer : kind.layer, run, where));
    return lines;
}

// The checks of the whole scene once every script has run.
Lines SceneChecks(const MaxCheckScript& script) {
    std::string layers;
    for (const MaxCheckExpected& kind : script.kinds)
        layers += (layers.empty() ? "" : ", ") + Quoted(kind.layer) + ", " + Quoted(kind.utf8Layer);
    const std::string kept = Quoted(kMaxCheckKeptNode);
    return {
        "(",
        "local hidden = \"\"",
        "for o in objects where o.isHidden do hidden = hidden + \" \" + o.name",
        Report("hidden == \"\"", "nothing hidden", "\"hidden:\" + hidden"),
        "local layers = #(" + layers + ")",
        "local stray = \"\"",
        "for o in objects where o.name != " + kept +
            " and (findItem layers o.layer.name) == 0 do stray = stray + \" \" + o.name",
        Report("stray == \"\"", "nothing left over", "\"outside the plants' layers:\" + stray"),
        "local keep = getNodeByName " + kept,
        "local repainted = \"\"",
        "if keep == undefined do repainted = \"the test's own box is gone\"",
        "if keep != undefined and keep.material == undefined do repainted = \"the test's own box lost its "
        "material\"",
        "if keep != undefined and keep.material != undefined and keep.material.diffuse.b < 128 do repainted "
        "= \"the test's own Bark material was changed\"",
        Report("repainted == \"\"", "user's material kept", "repainted"),
        ")",
    };
}

Lines Header(const MaxCheckScript& script) {
    return {
        std::string("-- Tolvane Enviro Scripter: 3ds Max check,  Version: ") + kVersion,
        "-- For " + MaxCommentText(script.maxVersions) +
            ", as the fast scripts it runs; their UTF-8 script needs 3ds Max 2013 and later.",
        "-- Run it in an EMPTY scene (File > Reset first): Scripting > Run Script... (MAXScript > Run",
        "-- Script... in older versions), or fileIn.",
        "-- It makes its own models, saves them as Max files in its folder, deletes them, runs the scripts",
        "-- written beside it and prints PASS or FAIL for each check in the Listener, and into",
        "-- MaxCheck_Result.txt in its folder. README.txt says what to send when a check fails.",
        "-- It stops at once, changing nothing, when the scene is not empty.",
        "",
    };
}

// Prints the results in the Listener, with the version of 3ds Max, and writes them to a file beside
// the test script.
Lines Results(const MaxCheckScript& script) {
    return {
        "local failed = 0",
        "for r in results where (findString r \"FAIL\") == 1 do failed += 1",
        "format \"-- 3ds Max check: % checks, % failed; 3ds Max version %\\n\" results.count failed "
        "(maxVersion())",
        "for r in results do format \"%\\n\" r",
        "format \"-- A dialog that came up during the run is a failure too: note what it said.\\n\"",
        "local report = undefined",
        "if ready do report = createFile " + QuotedPath(JoinPath(script.folder, "MaxCheck_Result.txt")),
        "if report != undefined do",
        "(",
        "format \"3ds Max version %\\n\" (maxVersion()) to:report",
        "for r in results do format \"%\\n\" r to:report",
        "close report",
        ")",
    };
}

} // namespace

std::vector<std::string> MaxCheckTestLines(const MaxCheckScript& script) {
    Lines lines = Header(script);
    // As getFilenamePath gives a folder: with its separator at the end.
    const std::string here = JoinPath(script.folder, "");
    Append(lines, {
                      "(",
                      "local results = #()",
                      "local ready = true",
                      Report("objects.count == 0", "empty scene",
                             "\"the scene holds objects: reset it and run the test again\""),
                      "if objects.count != 0 do ready = false",
                      "local thisFile = getThisScriptFilename()",
                      "local here = \"\"",
                      "if thisFile != undefined do here = getFilenamePath thisFile",
                      "local folderOk = (stricmp here " + QuotedPath(here) + ") == 0",
                      Report("folderOk", "folder",
                             "\"the test is in \" + here + \" but was written for \" + " + QuotedPath(here) +
                                 " + \": write the check again into this folder\""),
                      "if not folderOk do ready = false",
                      "if ready do",
                      "(",
                      "(",
                  });
    Append(lines, MaxCheckModelLines(script.folder));
    lines.push_back(")");
    lines.push_back("-- each kind's own script, then the kinds' plants");
    for (std::size_t i = 0; i < script.kindScripts.size() && i < script.kinds.size(); ++i)
        Append(lines, RunScript(script.kindScripts[i], "single", script.kinds[i].missingObject));
    Append(lines, EveryKind(script, false, "single", true));
    lines.push_back("-- the joined script, twice: the second run replaces the first");
    Append(lines, RunScript(script.joinedScript, "joined", true));
    Append(lines, EveryKind(script, false, "joined", false));
    Append(lines, RunScript(script.joinedScript, "rerun", true));
    Append(lines, EveryKind(script, false, "rerun", false));
    Append(lines, {
                      "-- the joined script in UTF-8, on layers of its own",
                      "local unicode = ((maxVersion())[1]) >= 15000",
                      "if not unicode do append results \"SKIP utf8: 3ds Max 2013 and later read UTF-8 "
                      "scripts\"",
                      "if unicode do",
                      "(",
                  });
    Append(lines, RunScript(script.utf8JoinedScript, "utf8", true));
    Append(lines, EveryKind(script, true, "utf8", true));
    lines.push_back(")");
    Append(lines, SceneChecks(script));
    lines.push_back(")");
    Append(lines, Results(script));
    lines.push_back(")");
    return lines;
}

} // namespace tes
