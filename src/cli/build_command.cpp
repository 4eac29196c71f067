#include "cli/cli_platform.h"
#include "cli/commands.h"
#include "cli/kinds_table_choice.h"
#include "cli/loaded_project.h"
#include "core/all_kinds.h"
#include "lib/fields.h"
#include "lib/numbers.h"

#include <algorithm>
#include <optional>

namespace tes::cli {

namespace {

// Whether a --vegetation value names the kind, as the window's list check takes a typed text: its
// number (05 is 5), or its key, letter case aside, alone or before a colon ("vegetation_5",
// "Vegetation_5:  Pine").
bool NamesKind(std::string_view value, const VegetationKind& kind) {
    if (IsDigitsOnly(value))
        return KindNumber(value) == kind.number;
    const std::string key = UpperCase(KindKey(kind));
    const std::string typed = UpperCase(value);
    return typed == key || typed.starts_with(key + ":");
}

// The kind a --vegetation value names; the refusal when it names none.
std::optional<Message> ChooseKind(std::string_view value, const std::vector<VegetationKind>& kinds,
                                  std::string& number) {
    if (value.empty())
        return Refusal("Please select a vegetation to process");
    const auto named = std::find_if(kinds.begin(), kinds.end(),
                                    [value](const VegetationKind& kind) { return NamesKind(value, kind); });
    if (named == kinds.end()) {
        std::string listed;
        for (const VegetationKind& kind : kinds)
            listed +=
                (listed.empty() ? " " : ", ") + kind.number + (kind.name.empty() ? "" : " " + kind.name);
        return Refusal("Please select only from the Vegetation List\nThe kinds on this tile:" +
                       (listed.empty() ? std::string(" none") : listed));
    }
    number = named->number;
    return std::nullopt;
}

// The placement options with the build options' Max file, object and vertical values.
PlacementOptions BuildPlacementOptions(const LoadedProject& project, const BuildOptions& options) {
    PlacementOptions placement = PlacementOptionsOf(project);
    placement.maxFile = options.maxFile.value_or(std::string());
    // Without a name of its own the object is called as the Max file is.
    placement.objectName = options.objectName ? *options.objectName : GetBaseFileName(placement.maxFile);
    if (options.verticalScale)
        placement.verticalScale = *options.verticalScale;
    if (options.verticalOffset)
        placement.verticalOffset = *options.verticalOffset;
    placement.saveToFile = !options.noSave;
    if (options.outputDir)
        placement.projectBasePath =
            JoinPath(*options.outputDir, GetFileNameFromPath(placement.projectBasePath));
    placement.style.shape = options.fast ? ScriptShape::Fast : ScriptShape::Classic;
    placement.style.instances = options.instances;
    placement.style.utf8 = options.utf8;
    const std::string cache = options.cache.value_or("");
    placement.style.cache = cache == "prt"    ? PointCache::Prt
                            : cache == "csv"  ? PointCache::Csv
                            : cache == "both" ? PointCache::Both
                                              : PointCache::None;
    return placement;
}

// The files written (the script, then its point caches), or the script's lines when it is not saved.
void PrintScript(const PlacementOptions& placement, const std::string& path,
                 const std::vector<std::string>& cachePaths, const LineList& lines, std::ostream& out) {
    if (!placement.saveToFile) {
        PrintLines(lines, out);
        return;
    }
    out << path << '\n';
    for (const std::string& cache : cachePaths)
        out << cache << '\n';
}

// The kinds table of the run, with the seed the command line gives.
KindsTableChoice TableOfRun(const LoadedProject& project, const BuildOptions& options, Platform& platform) {
    KindsTableChoice table = ChooseKindsTable(project, options.kindsFile, platform);
    if (options.seed)
        table.table.setSeed(*options.seed);
    return table;
}

int BuildOneKind(const LoadedProject& project, const BuildOptions& options, Platform& platform,
                 std::ostream& out) {
    PlacementRequest request;
    request.options = BuildPlacementOptions(project, options);
    request.records = &project.load.records;
    request.recordLines = &project.load.recordLines;
    request.progress = &platform;
    const std::optional<Message> notOffered = ChooseKind(
        options.vegetation.value_or(std::string()), project.load.kinds.kinds, request.options.kindNumber);
    // A kind with a row in the kinds table is built as the row says, as the window's Process does.
    const KindsTableChoice table = TableOfRun(project, options, platform);
    if (const KindRow* row = notOffered ? nullptr : table.table.find(request.options.kindNumber)) {
        if (!options.maxFile && !row->maxFile.empty()) {
            request.options.maxFile = row->maxFile;
            request.options.objectName = options.objectName.value_or(row->object());
        }
        request.options.takeVariation(*row, table.table.seed());
    }
    std::optional<Message> mistake = CheckObjectInput(request.options);
    if (!mistake)
        mistake = notOffered;
    if (mistake) {
        platform.showMessage(mistake->text);
        return kExitFailed;
    }
    const PlacementResult built = BuildPlacementScript(request);
    for (const Message& message : built.messages)
        platform.showMessage(message.text);
    if (AnyRefusalOrFailure(built.messages))
        return kExitFailed;
    PrintScript(request.options, built.scriptPath, built.cachePaths, built.lines, out);
    return kExitDone;
}

// Every kind of the tile. With a kinds table each kind takes its row, or --max-file when its row names
// none; a kind that has neither, or is disabled, is skipped and named, a kind that fails is named, and
// the others go on. Without one every kind takes --max-file, and the first kind that fails ends the
// run with its messages.
int BuildEveryKind(const LoadedProject& project, const BuildOptions& options, Platform& platform,
                   std::ostream& out) {
    const std::vector<VegetationKind>& kinds = project.load.kinds.kinds;
    if (kinds.empty()) {
        platform.showMessage("Please select a vegetation to process");
        return kExitFailed;
    }
    const KindsTableChoice table = TableOfRun(project, options, platform);
    const bool withTable = !table.table.empty();
    AllKindsRequest request;
    request.options = BuildPlacementOptions(project, options);
    if (!withTable) {
        if (std::optional<Message> mistake = CheckObjectInput(request.options)) {
            platform.showMessage(mistake->text);
            return kExitFailed;
        }
    }
    request.records = &project.load.records;
    request.recordLines = &project.load.recordLines;
    request.kinds = kinds;
    request.table = &table.table;
    request.fallbackMaxFile = options.maxFile.value_or(std::string());
    request.fallbackObject =
        withTable ? options.objectName.value_or(std::string()) : request.options.objectName;
    request.afterFailure = withTable ? AfterFailure::GoOn : AfterFailure::Stop;
    request.progress = &platform;
    request.kindDone = [&](const KindOutcome& kind, const LineList& script) {
        switch (kind.status) {
        case KindOutcome::Status::Built:
            PrintScript(request.options, kind.scriptPath, kind.cachePaths, script, out);
            break;
        case KindOutcome::Status::Skipped:
            platform.showMessage("Skipped " + kind.kind + " (" + kind.reason + ")");
            break;
        case KindOutcome::Status::Failed:
            if (withTable) {
                platform.showMessage("Failed " + kind.kind + " (" + kind.reason + ")");
            } else {
                for (const Message& message : kind.messages)
                    platform.showMessage(message.text);
            }
            break;
        }
    };
    return BuildAllKinds(request).anyFailed() ? kExitFailed : kExitDone;
}

} // namespace

int RunBuild(const BuildOptions& options, CliPlatform& platform, std::ostream& out) {
    const LoadedProject project = LoadWithOptions(options.load, platform);
    // Scripts built from a project that was read only in part would place the wrong objects.
    if (!project.complete)
        return kExitFailed;
    return options.all ? BuildEveryKind(project, options, platform, out)
                       : BuildOneKind(project, options, platform, out);
}

} // namespace tes::cli
