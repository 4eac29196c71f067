#pragma once

#include "cli/cli_options.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace tes::cli {

class CliPlatform;

// The picture of the loaded tile, written as a PNG file.
struct PreviewOptions {
    LoadOptions load;
    std::string png;
    int width = 1024;
    int height = 1024;
    std::vector<std::string> kinds;       // field 0 of the kinds to show; none: every kind
    std::optional<std::string> outputDir; // the folder a relative --png goes into
    ViewOptions views;                    // instead of the kinds table's
    bool noAreas = false;                 // every plant, whatever areas the kinds table holds
};

// The options of the preview verb besides the load options.
void AddPreviewOptions(CLI::App& app, PreviewOptions& options);

// Loads the project as the window does and writes the picture; prints the file written. A build that
// cannot draw pictures says so and returns the status of wrong arguments.
int RunPreview(const PreviewOptions& options, CliPlatform& platform, std::ostream& out);

} // namespace tes::cli
