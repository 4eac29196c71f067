#pragma once

#include "lib/version.h"

#include <cstdint>
#include <string>

namespace tes {

// The process-wide record of the one working session. Plain data: commands read and write it directly.
struct Session {
    std::string AppTitle;
    std::string DefaultDir;          // folder for project and script files (saved per user)
    std::string ObjectDir;           // folder for 3ds Max object files (saved per user)
    std::string ProjectDir;          // folder of the project file last opened
    std::string ProjectBasePath;     // ProjectDir + separator + base name: the stem of every script name
    std::string EnvironmentFilePath; // base + ".txt"
    std::string SceneFilePath;       // base + ".scn"
    std::string VegetationFilePath;  // base + ".est"
    std::string ScriptFilePath;      // the placement script of the last build
    std::int32_t TerrainWidth = 0;   // tiles along one side of the terrain; 0 until a scene file gives one
    bool SaveToFile = false;
    double Pi = 0;
};

inline constexpr const char* kAppTitle = "Tolvane Enviro Scripter";
// The caption of every message box: the product's name, as the window's title shows it.
inline constexpr const char* kMessageCaption = kAppTitle;

} // namespace tes
