#include "core/check/max_check_project.h"

#include "lib/fields.h"
#include "project/kind_key_table.h"
#include "project/kinds_table.h"

namespace tes {

namespace {

// Five plants a kind, as environment records (kind, x, height, z) on the one tile of a terrain one
// tile wide with a grid resolution of 1: the tile is [0, 256] on both axes, the object scale 100 %.
// The heights differ, so a plant standing on the wrong point is seen.
const char* const kRecords[] = {
    "1,40,0,40",     "2,30,3,20",    "3,50,0,100",  "4,70,1,150",  "5,80,2,240",
    "1,60,5.5,200",  "2,90,8,70",    "3,100,0,30",  "4,140,6,50",  "5,120,7,90",
    "1,128,10,128",  "2,150,0,130",  "3,170,0,170", "4,190,3,220", "5,160,0,20",
    "1,200,2.25,60", "2,110,12,190", "3,210,0,110", "4,240,9,10",  "5,180,11,150",
    "1,230,0,230",   "2,220,4,245",  "3,20,0,240",  "4,15,0,15",   "5,250,5,80",
};

// The kinds' rows: kind 2 varies and has a far model, kind 3 names an object its file lacks.
std::vector<KindRow> KindRows(const std::string& dir) {
    using namespace max_check;
    const auto file = [&dir](const char* name) { return MaxCheckMaxFile(dir, name); };
    std::vector<KindRow> rows = {{"1", file(kOneFile), kOneObject},
                                 {"2", file(kGroupFile), kGroupObject},
                                 {"3", file(kOneFile), kMaxCheckMissingObject},
                                 {"4", file(kHiddenFile), kHiddenObject},
                                 {"5", file(kBarkAFile), kBarkAObject}};
    rows[1].plants.turn = ValueRange{0, 360};
    rows[1].plants.scale = ValueRange{80, 120};
    rows[1].plants.variants = {{file(kGroupBFile), kGroupBObject, 1}};
    rows[1].plants.detail = {file(kFarFile), kFarObject, 150, 250};
    rows[4].plants.variants = {{file(kBarkBFile), kBarkBObject, 1}};
    return rows;
}

std::vector<std::string> KindsTableLines(const std::string& dir) {
    std::vector<std::string> lines = {
        "; The kinds of the 3ds Max check: MaxCheck_Test.ms makes the models these Max files hold.",
        "[Variation]",
        "Seed=3", // both of kind 2's and of kind 5's objects among the plants
        // One camera whose keep radius holds every plant: kind 2's plants far from it take the far
        // model, and those farther still show as boxes.
        "[View1]",
        "Camera=-150,0",
        "Target=0,0",
        "KeepRadius=1000",
    };
    for (const KindRow& row : KindRows(dir)) {
        lines.push_back("[Vegetation_" + row.number + "]");
        for (std::string& line : RowLines(row))
            lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace

const std::vector<MaxCheckKind>& MaxCheckKinds() {
    static const std::vector<MaxCheckKind> kinds{
        {"1", "One object", false, false, false},
        {"2", "Group with variant and far model", false, true, false},
        {"3", "Missing object", true, false, false},
        {"4", "Hidden member", false, true, false},
        {"5", "Materials named alike", false, false, true},
    };
    return kinds;
}

std::vector<MaxCheckFile> MaxCheckProjectFiles(const std::string& dir) {
    const std::string base = kMaxCheckBase;
    std::vector<std::string> records(std::begin(kRecords), std::end(kRecords));
    std::vector<std::string> est;
    for (const MaxCheckKind& kind : MaxCheckKinds())
        est.insert(est.end(), {"[Vegetation_" + kind.number + "]", "Name=" + kind.name});
    return {
        {base + ".prj", {"Tolvane project " + base}},
        {base + ".txt", std::move(records)},
        {base + ".scn",
         {"; Tolvane scene", "[Environment]", "TerrainWidth=1", "TerrainWidthScale=1.0", "[Light2]",
          "Type=Directional", "Position=0,500,0", "TargetPosition=100,400,300"}},
        {base + ".est", std::move(est)},
        {base + ".tes.ini", KindsTableLines(dir)},
    };
}

std::string MaxCheckMaxFile(const std::string& dir, const std::string& name) {
    return JoinPath(dir, name + ".max");
}

} // namespace tes
