#include "core/script/output_paths.h"

#include "core/place/placement_frame.h"
#include "lib/fields.h"
#include "lib/numbers.h"

namespace tes {

namespace {

KindOutputPaths PathsOf(std::string_view scriptsBasePath, bool mainTile, std::string_view numberPart) {
    std::string stem(scriptsBasePath);
    stem += mainTile ? "_MainVeg_" : "_PerVeg_";
    stem += numberPart;
    return OutputPathsOfStem(std::move(stem));
}

} // namespace

KindOutputPaths OutputPathsOfStem(std::string stem) {
    KindOutputPaths paths;
    paths.script = stem + ".ms";
    paths.prt = stem + ".prt";
    paths.csv = stem + ".csv";
    paths.stem = std::move(stem);
    return paths;
}

std::string ScriptsBasePath(std::string_view projectBasePath, std::string_view outputFolder) {
    if (outputFolder.empty())
        return std::string(projectBasePath);
    return JoinPath(outputFolder, GetFileNameFromPath(projectBasePath));
}

KindOutputPaths KindOutputPathsOf(std::string_view scriptsBasePath, bool mainTile,
                                  const std::string& number) {
    return PathsOf(scriptsBasePath, mainTile, PatternText(FieldNumber(number), 2, 0));
}

KindOutputPaths JoinedOutputPaths(std::string_view scriptsBasePath, bool mainTile) {
    return PathsOf(scriptsBasePath, mainTile, "All");
}

} // namespace tes
