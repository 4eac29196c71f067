#pragma once

#include <string>
#include <vector>

// The small Tolvane project of the 3ds Max check: a few kinds, each with a handful of plants, whose
// models the check's test script makes in 3ds Max and saves as Max files in the check's folder.
namespace tes {

// The project's base name: MaxCheck.prj, MaxCheck.tes.ini, MaxCheck_MainVeg_01.ms ...
inline constexpr const char* kMaxCheckBase = "MaxCheck";
// The base name of the UTF-8 scripts, which place their plants on layers of their own.
inline constexpr const char* kMaxCheckUtf8Base = "MaxCheck_UTF8";
// The object the kinds table names but no Max file holds.
inline constexpr const char* kMaxCheckMissingObject = "NoSuchObject";
// The node the test script keeps in the scene as the user's own, with a material named as the
// plants' are.
inline constexpr const char* kMaxCheckKeptNode = "MaxCheck_Keep";

// The Max files the test script saves (without ".max"), and the objects the kinds table takes from
// them.
namespace max_check {
inline constexpr const char* kOneFile = "CheckOne"; // OneBox: a box with its pivot at its foot
inline constexpr const char* kOneObject = "OneBox";
inline constexpr const char* kGroupFile = "CheckGroup"; // GroupTree: a group of two boxes
inline constexpr const char* kGroupObject = "GroupTree";
inline constexpr const char* kGroupBFile = "CheckGroupB"; // GroupTreeB: the group's variant
inline constexpr const char* kGroupBObject = "GroupTreeB";
inline constexpr const char* kFarFile = "CheckFar"; // FarTree: the group's far model, one box
inline constexpr const char* kFarObject = "FarTree";
inline constexpr const char* kHiddenFile = "CheckHidden"; // Shrub with the hidden ShrubTop below it
inline constexpr const char* kHiddenObject = "Shrub";
inline constexpr const char* kBarkAFile = "CheckBarkA"; // BarkA: a box with the material "Bark"
inline constexpr const char* kBarkAObject = "BarkA";
inline constexpr const char* kBarkBFile = "CheckBarkB"; // BarkB: a cylinder with another "Bark"
inline constexpr const char* kBarkBObject = "BarkB";
} // namespace max_check

// What a kind of the check tries, and what 3ds Max must then show.
struct MaxCheckKind {
    std::string number;
    std::string name;
    // Its object is not in its Max file: its script places nothing and says why, and the next kind
    // still runs.
    bool missingObject = false;
    // Its model is several objects (a group, or nodes linked below the named one), which stand on the
    // base of their bounding box by default; a model of one object stands on its pivot.
    bool severalObjects = false;
    // Its two Max files each hold a material named alike: every plant keeps its own.
    bool materialsAlike = false;
};

// The kinds in the order the project lists them; the missing object's kind comes before others, so
// that a kind after it shows that the run went on.
const std::vector<MaxCheckKind>& MaxCheckKinds();

// A file of the project: its name in the folder and its lines (UTF-8 in memory).
struct MaxCheckFile {
    std::string name;
    std::vector<std::string> lines;
};

// The project's files for the folder `dir` (a whole path): MaxCheck.prj, .txt, .scn, .est and the
// kinds table MaxCheck.tes.ini, which names the Max files in `dir` that the test script saves.
std::vector<MaxCheckFile> MaxCheckProjectFiles(const std::string& dir);

// The Max file `name` (without ".max") in the folder.
std::string MaxCheckMaxFile(const std::string& dir, const std::string& name);

} // namespace tes
