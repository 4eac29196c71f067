#pragma once

#include "support/temp_dir.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace tes::test {

// One in-process run of enviro-script.
struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

CliRun RunEnviroScript(const std::vector<std::string>& args);

// Splits printed text into its lines (each ended by a line feed).
std::vector<std::string> Lines(const std::string& text);

// The files of a small Tolvane project named P in `dir`: a 5 x 5 terrain with grid resolution 1,
// so the main tile is [512, 768] on both axes and the sun target 1801,199,801 gives heading 45.
struct SmallProject {
    std::string txt = "5,600,10,700\r\n"
                      "12,520,0,530\r\n"
                      "7,100,0,100\r\n"
                      "5,700,2.5,600\r\n";
    std::string scn = "[Environment]\r\nTerrainWidth=5\r\nTerrainWidthScale=1\r\n"
                      "[Light2]\r\nTargetPosition=1801,199,801\r\n";
    std::string est = "[Vegetation_5]\r\nName=Pine\r\n[Vegetation_12]\r\nName=Oak\r\n";
    bool writeTxt = true;

    // Writes the files and returns the path of P.prj.
    std::string writeTo(const TempDir& dir) const;
};

} // namespace tes::test
