#include "cli/loaded_project.h"

#include "cli/path_checks.h"
#include "core/loaded_options.h"
#include "core/place/field_rules.h"
#include "lib/file_access.h"
#include "lib/platform.h"
#include "project/sun.h"

#include <filesystem>
#include <optional>
#include <utility>

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

// The refusal of a file the command would read that is there but is no regular file: a pipe would
// keep it waiting, a device or a folder holds nothing of the project's.
std::optional<std::string> NotAFile(const std::string& what, const std::string& path) {
    if (std::optional<std::string> kind = NonFileKind(path))
        return what + " " + path + " is " + *kind + ", not a regular file.";
    return std::nullopt;
}

} // namespace

LoadedProject LoadWithOptions(const LoadOptions& options, Platform& platform,
                              const std::optional<std::string>& kindsFile) {
    const LoadRequest request = RequestFor(options, platform);
    LoadedProject project;
    project.tile = request.tile;
    project.rotate = !options.noRotate;
    // The window's dialog offers only files that exist; a typed path may name none.
    if (std::optional<std::string> refusal = NotAFile("The project file", options.project)) {
        platform.showMessage(*refusal);
        return project;
    }
    if (!IsRegularFile(request.projectPath)) {
        platform.showMessage("The project file " + options.project + " does not exist.");
        return project;
    }
    // The records and the kinds table are refused before anything is read when they are no regular
    // files (a missing record file is the load's to refuse, a missing table is an empty one).
    const ProjectFiles files = ProjectFilesOf(request.projectPath);
    const std::string tablePath = kindsFile ? *kindsFile : KindsTable::PathFor(files.basePath);
    const std::pair<const char*, const std::string&> read[] = {{"The environment file", files.environment},
                                                               {"The kinds table", tablePath}};
    for (const auto& [what, path] : read) {
        if (std::optional<std::string> refusal = NotAFile(what, path)) {
            platform.showMessage(*refusal);
            return project;
        }
    }
    project.load = LoadProject(request);
    // Only the table the command works on is read, so that only its unreadable values are named.
    if (project.loaded()) {
        project.kindsTablePath = tablePath;
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
