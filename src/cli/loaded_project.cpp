#include "cli/loaded_project.h"

#include "core/loaded_options.h"
#include "core/place/field_rules.h"
#include "lib/file_access.h"
#include "lib/platform.h"
#include "project/sun.h"

#include <filesystem>

namespace tes::cli {

namespace {

// A chosen file's path is a full one, so the project folder and every script path are full too.
std::string FullPath(const std::string& project) {
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(PathFromUtf8(project), error);
    return error ? project : Utf8FromPath(full.lexically_normal());
}

// The request as the window makes it from its fields once the options are set into them: each
// number is checked as when the focus leaves its field, and an angle of one's own turns the sun
// option off.
LoadRequest RequestFor(const LoadOptions& options, Platform& platform) {
    LoadRequest request;
    request.projectPath = FullPath(options.project);
    request.tile.mainTile = !options.perimeter;
    if (options.overlap)
        request.tile.overlap = *options.overlap;
    if (options.gridSize)
        request.fields.gridSize = CheckedGridSize(*options.gridSize);
    if (options.objectScale) {
        request.tile.useObjectScale = true;
        request.fields.objectScale = CheckedObjectScale(*options.objectScale);
    }
    if (options.rotationAngle) {
        request.faceSun = false;
        request.fields.rotationAngle = *options.rotationAngle;
    }
    request.progress = &platform;
    return request;
}

} // namespace

LoadedProject LoadWithOptions(const LoadOptions& options, Platform& platform,
                              const std::optional<std::string>& kindsFile) {
    const LoadRequest request = RequestFor(options, platform);
    LoadedProject project;
    project.tile = request.tile;
    project.rotate = !options.noRotate;
    // The window's dialog offers only files that exist; a typed path may name none.
    if (!IsRegularFile(request.projectPath)) {
        platform.showMessage("The project file " + options.project + " does not exist.");
        return project;
    }
    project.load = LoadProject(request);
    // Only the table the command works on is read, so that only its unreadable values are named.
    if (project.loaded()) {
        project.kindsTablePath = kindsFile ? *kindsFile : KindsTable::PathFor(project.load.files.basePath);
        project.kindsTable = KindsTable::Read(project.kindsTablePath, project.load.messages);
    }
    for (const Message& message : project.load.messages)
        platform.showMessage(message.text);
    project.complete = project.loaded() && !AnyRefusalOrFailure(project.load.messages);
    if (project.loaded() && options.heading) {
        SceneValues& scene = project.load.fields.scene;
        scene.heading = CheckedHeading(*options.heading);
        if (request.faceSun) {
            if (std::optional<std::string> angle = RotationFacingSun(scene.heading))
                project.load.fields.rotationAngle = *angle;
        }
    }
    return project;
}

PlacementOptions PlacementOptionsOf(const LoadedProject& project) {
    PlacementOptions options;
    TakeLoadedFields(project.load, options);
    options.mainTile = project.tile.mainTile;
    options.useObjectScale = project.tile.useObjectScale;
    options.rotate = project.rotate;
    options.saveToFile = true;
    return options;
}

} // namespace tes::cli
