#include "core/load_project.h"

#include "core/engine_step.h"
#include "core/place/tile_geometry.h"
#include "lib/failure.h"
#include "lib/fields.h"
#include "lib/file_access.h"
#include "lib/numbers.h"
#include "project/environment_reader.h"
#include "project/sun.h"

#include <new>

namespace tes {

namespace {

double FieldValue(const std::string& text) {
    return checkedFinite(LeadingNumberValue(text));
}

void ReadTile(const std::string& path, const TileOptions& tile, LoadFields& fields, LineList& records,
              Progress& progress, std::vector<std::uint32_t>* lineNumbers) {
    const double gridRes = FieldValue(fields.scene.gridRes);
    const double gridSize = checkedFinite(RoundHalfEven(FieldValue(fields.gridSize)));
    const double objectScale = FieldValue(fields.objectScale);
    const double overlap = FieldValue(tile.overlap);
    const TileGeometry geometry =
        ComputeTileGeometry(tile.mainTile, fields.scene.terrainWidth, gridRes, overlap);
    checkedFinite(geometry.low);
    checkedFinite(geometry.high);
    checkedFinite(geometry.span);
    const ScaleAgreement agreed = AgreeScale(tile.useObjectScale, gridSize, objectScale, geometry.span);
    if (agreed.gridSizeText)
        fields.gridSize = *agreed.gridSizeText;
    if (agreed.objectScaleText)
        fields.objectScale = *agreed.objectScaleText;
    ReadTileRecords(path, geometry.low, geometry.high, records, progress, lineNumbers);
}

} // namespace

ProjectFiles ProjectFilesOf(const std::string& projectPath) {
    ProjectFiles files;
    files.folder = FolderOfPath(projectPath);
    files.basePath = JoinPath(files.folder, GetBaseFileName(projectPath));
    files.environment = files.basePath + ".txt";
    files.scene = files.basePath + ".scn";
    files.definitions = files.basePath + ".est";
    return files;
}

bool ReadEnvironment(const std::string& path, const TileOptions& tile, LoadFields& fields, LineList& records,
                     Messages& messages, Progress& progress, std::vector<std::uint32_t>* lineNumbers) {
    try {
        ReadTile(path, tile, fields, records, progress, lineNumbers);
    } catch (const Failure& failure) {
        if (IsCancellation(failure))
            return false;
        messages.push_back(StepFailure(EngineStep::ReadEnvironment, failure));
    } catch (const std::bad_alloc&) {
        messages.push_back(StepFailure(EngineStep::ReadEnvironment, failures::outOfMemory()));
    }
    return true;
}

LoadResult LoadProject(const LoadRequest& request) {
    LoadResult result;
    result.files = ProjectFilesOf(request.projectPath);
    result.fields = request.fields;
    if (!IsRegularFile(result.files.environment)) {
        result.messages.push_back(Refusal("No Tolvane TXT environment file found!!"));
        return result;
    }
    Progress& progress = request.progress ? *request.progress : NoProgress();
    // The order matters: the environment is read with the tile count and grid resolution that the
    // scene has just given, and the kinds are those of the records just kept.
    ReadProjectInfo(result.files.scene, result.fields.scene, result.messages);
    if (!ReadEnvironment(result.files.environment, request.tile, result.fields, result.records,
                         result.messages, progress, &result.recordLines)) {
        result.outcome = LoadOutcome::Cancelled;
        return result;
    }
    result.kinds = ReadVegetationKinds(result.records, result.files.definitions, result.messages);
    if (request.faceSun) {
        if (std::optional<std::string> angle = RotationFacingSun(result.fields.scene.heading))
            result.fields.rotationAngle = std::move(*angle);
    }
    result.outcome = LoadOutcome::Loaded;
    return result;
}

} // namespace tes
