#pragma once

#include "core/place/record_position.h"

#include <cstdint>
#include <string>
#include <vector>

// The test script of the 3ds Max check (MaxCheck_Test.ms): what it expects of each kind, as the
// engine built and cached it, and the MAXScript that checks it.
namespace tes {

// One kind as 3ds Max must show it once its scripts have run.
struct MaxCheckExpected {
    std::string key;       // "Vegetation_2"
    std::string layer;     // the layer of its Windows-1252 scripts: the script's name
    std::string utf8Layer; // the layer of its UTF-8 script
    std::uint64_t plants = 0;
    // Each plant's point, as the kind's point cache holds it; none for a kind that places nothing.
    std::vector<ScenePoint> points;
    bool onBase = false;         // each plant's lowest point is on its point; else its pivot is
    bool missingObject = false;  // its script must say why it places nothing
    bool materialsAlike = false; // its box plants are red and its cylinder plants green
};

struct MaxCheckScript {
    std::string folder;                   // the whole path the Max files and scripts are in
    std::string maxVersions;              // "3ds Max 2010 and later": the fast scripts' own
    std::vector<std::string> kindScripts; // each kind's Windows-1252 script, in the kinds' order
    std::string joinedScript;
    std::string utf8JoinedScript;
    std::vector<MaxCheckExpected> kinds;
};

// The lines of MaxCheck_Test.ms. Every statement stands on a line of its own and every block opens
// with a lone "(" line and closes with a lone ")" line.
std::vector<std::string> MaxCheckTestLines(const MaxCheckScript& script);

// The MAXScript that makes the check's models, saves each as its Max file in `folder` and deletes
// them again (max_check_models.cpp).
std::vector<std::string> MaxCheckModelLines(const std::string& folder);

} // namespace tes
