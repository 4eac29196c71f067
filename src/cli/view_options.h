#pragma once

#include "cli/cli_options.h"

namespace CLI {
class App;
class Option;
} // namespace CLI

namespace tes::cli {

// Whether a command may add views to the kinds table's (kinds) or only give its own (build, preview).
enum class ViewScope { Table, Run };

// --view, --no-view, --fov, --margin, --keep-radius and --far; with ViewScope::Table also --add-view.
void AddViewOptions(CLI::App& app, ViewOptions& views, ViewScope scope);

// Refuses numbers given without a view to apply to, and a view that looks nowhere; for the command's
// callback, after every option is read.
void CheckViewOptions(const ViewOptions& views);

// "CX,CY:TX,TY", as --view takes it and `kinds` prints it.
std::string CameraText(const PlantView& view);

} // namespace tes::cli
