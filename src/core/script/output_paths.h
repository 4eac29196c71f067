#pragma once

#include <string>
#include <string_view>

// The names of the files a build writes: the project's scripts go beside it or into the output folder
// the user chose, and each script's point caches take its name with their own extensions.
namespace tes {

// The files of one script, all named from one stem.
struct KindOutputPaths {
    std::string stem;   // folder and name, without an extension
    std::string script; // <stem>.ms
    std::string prt;    // <stem>.prt, the PRT point cache
    std::string csv;    // <stem>.csv, the CSV point cache
};

// The files named from `stem`.
KindOutputPaths OutputPathsOfStem(std::string stem);

// The stem of a project's scripts: the project's own (`projectBasePath`, its folder and name) or, when
// the user chose an output folder, the project's name in that folder.
std::string ScriptsBasePath(std::string_view projectBasePath, std::string_view outputFolder);

// The files of the kind whose records' field 0 reads `number`: <base>_MainVeg_NN, or _PerVeg_NN for the
// perimeter tile, NN its number with at least two digits. Throws Failure 6 beyond the double range.
KindOutputPaths KindOutputPathsOf(std::string_view scriptsBasePath, bool mainTile, const std::string& number);

// The files every kind is joined into: <base>_MainVeg_All, or _PerVeg_All.
KindOutputPaths JoinedOutputPaths(std::string_view scriptsBasePath, bool mainTile);

} // namespace tes
