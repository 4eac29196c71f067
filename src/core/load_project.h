#pragma once

#include "lib/line_list.h"
#include "lib/message.h"
#include "lib/progress.h"
#include "project/project_info.h"
#include "project/vegetation_list.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tes {

// A project's files sit in one folder and share the project file's base name.
struct ProjectFiles {
    std::string folder;      // the folder of the project file
    std::string basePath;    // folder + separator + base name: the stem of every script name
    std::string environment; // base + ".txt"
    std::string scene;       // base + ".scn"
    std::string definitions; // base + ".est"
};

ProjectFiles ProjectFilesOf(const std::string& projectPath);

// How the records of a tile are chosen, and which of grid size and object scale is the user's.
struct TileOptions {
    bool mainTile = true;        // the main tile, or else the perimeter tile
    std::string overlap = "0";   // margin around the tile, in Tolvane units
    bool useObjectScale = false; // the object scale is the user's, the grid size follows
};

// The window's values that a load reads and writes, as texts the way the window shows them.
struct LoadFields {
    SceneValues scene;
    std::string gridSize = "256";
    std::string objectScale = "33.333333";
    std::string rotationAngle = "0.000";
};

struct LoadRequest {
    std::string projectPath; // the .prj file
    TileOptions tile;
    bool faceSun = true; // turn the objects to face the sun heading just read
    LoadFields fields;   // the values before the load: a value the project lacks keeps its own
    Progress* progress = nullptr;
};

enum class LoadOutcome {
    Loaded,    // the project was read; its messages say what was missing or failed
    Refused,   // the project has no environment file; nothing was read
    Cancelled, // the user stopped the read; nothing of it counts
};

struct LoadResult {
    LoadOutcome outcome = LoadOutcome::Refused;
    ProjectFiles files;
    LoadFields fields;                      // as the load leaves them
    LineList records;                       // the environment lines that stand on the tile
    std::vector<std::uint32_t> recordLines; // each record's line number in the file, from 1
    VegetationKinds kinds;
    Messages messages; // in the order they arose
};

// Loads a project: the scene's facts, the records of the chosen tile (grid size and object scale
// brought into agreement for it), the vegetation kinds on the tile and, when asked, the rotation
// angle that faces the sun.
LoadResult LoadProject(const LoadRequest& request);

// The environment reading alone: works out the tile, brings grid size and object scale into
// agreement in `fields`, and keeps the tile's records. An unexpected failure adds "Unexpected error
// in ReadEnvironmentFile ..." (the records kept until then stay). False when the user stopped it.
bool ReadEnvironment(const std::string& path, const TileOptions& tile, LoadFields& fields, LineList& records,
                     Messages& messages, Progress& progress,
                     std::vector<std::uint32_t>* lineNumbers = nullptr);

} // namespace tes
