#include "cli/preview_command.h"

#include "cli/cli_platform.h"
#include "cli/loaded_project.h"
#include "cli/path_checks.h"
#include "lib/failure.h"
#include "lib/fields.h"
#include "lib/file_access.h"
#include "picture/preview_png.h"
#include "project/kinds_table.h"

#include <CLI/CLI.hpp>
#include <algorithm>

namespace tes::cli {

namespace {

constexpr int kSmallestSide = 64;
constexpr int kLargestSide = 16384;
const std::string kSideRange =
    "each side from " + std::to_string(kSmallestSide) + " to " + std::to_string(kLargestSide);

// "WxH", each side from the smallest to the largest a picture may have.
bool ReadSize(const std::string& text, int& width, int& height) {
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string::npos || x == 0 || x + 1 == text.size() ||
        text.find_first_not_of("0123456789", x + 1) != std::string::npos ||
        text.find_first_not_of("0123456789") != x || x > 5 || text.size() - x - 1 > 5)
        return false;
    width = std::stoi(text.substr(0, x));
    height = std::stoi(text.substr(x + 1));
    return width >= kSmallestSide && height >= kSmallestSide && width <= kLargestSide &&
           height <= kLargestSide;
}

} // namespace

void AddPreviewOptions(CLI::App& app, PreviewOptions& options) {
    app.add_option("--png", options.png, "The picture file to write (replaced if it exists)")
        ->type_name("OUT.png")
        ->required();
    app.add_option_function<std::string>(
           "--size",
           [&options](const std::string& text) {
               if (!ReadSize(text, options.width, options.height))
                   throw CLI::ValidationError("--size", "must be WxH, " + kSideRange + " pixels");
           },
           "The picture's size in pixels, " + kSideRange + " (default 1024x1024)")
        ->type_name("WxH");
    app.add_option("--output-dir", options.outputDir, "Write a relative OUT.png into this folder")
        ->type_name("DIR")
        ->check(ExistingFolder());
    app.add_option("--kind", options.kinds,
                   "Show only this kind (its number: 5 and 05 are one kind); repeatable")
        ->type_name("N");
}

int RunPreview(const PreviewOptions& options, CliPlatform& platform, std::ostream& out) {
    if (!CanDrawPreviewPictures()) {
        platform.showMessage("This build cannot draw pictures");
        return kExitUsage;
    }
    const LoadedProject project = LoadWithOptions(options.load, platform);
    if (!project.complete)
        return kExitFailed;

    PreviewInput input;
    input.placement = PlacementOptionsOf(project);
    input.overlap = project.tile.overlap;
    input.heading = project.load.fields.scene.heading;
    input.kinds = project.load.kinds.kinds;
    // The plants differ as the table beside the project says, as in the window.
    input.kindRows = project.kindsTable.rows();
    input.seed = project.kindsTable.seed();
    // The plants the views keep, the command line's instead of the table's when it gives them. While a
    // view of the table cannot be read no plant is known to be kept or not, thinned or not: the picture
    // shows them all, as the window's preview does, and the command says why (the load has named each
    // view).
    const bool unreadableViews = !options.views.replace && !project.kindsTable.viewFaults().empty();
    if (unreadableViews) {
        for (KindRow& row : input.kindRows)
            row.plants.thinning = PlantThinning{};
    } else {
        input.views = options.views.given() ? options.views.applied(project.kindsTable.views())
                                            : project.kindsTable.views();
    }
    if (!options.noAreas)
        input.areas = project.kindsTable.areas();
    PreviewScene scene;
    try {
        scene = BuildPreviewScene(input, project.load.records);
    } catch (const Failure& failure) {
        platform.showMessage("The records cannot be placed: " + failure.description());
        return kExitFailed;
    }
    PreviewPictureRequest request;
    request.path = options.outputDir && PathFromUtf8(options.png).is_relative()
                       ? JoinPath(*options.outputDir, options.png)
                       : options.png;
    request.width = options.width;
    request.height = options.height;
    request.views = input.views;
    if (!options.kinds.empty())
        request.shown.assign(scene.kinds.size(), false);
    for (const std::string& number : options.kinds) {
        const auto kind =
            std::find_if(scene.kinds.begin(), scene.kinds.end(), [&number](const PreviewKind& k) {
                return k.number == number || k.number == KindNumber(number);
            });
        if (kind == scene.kinds.end()) {
            platform.showMessage("There is no vegetation kind " + number + " on the tile");
            return kExitFailed;
        }
        request.shown[static_cast<std::size_t>(kind - scene.kinds.begin())] = true;
    }
    if (std::optional<Message> failure = WritePreviewPicture(scene, request)) {
        platform.showMessage(failure->text);
        return kExitFailed;
    }
    out << request.path << '\n';
    if (unreadableViews) {
        platform.showMessage("The views of " + project.kindsTable.fileName() +
                             " cannot all be read, so the picture shows every plant; mend them, or give "
                             "this run's views with --view or --no-view.");
        return kExitFailed;
    }
    return kExitDone;
}

} // namespace tes::cli
