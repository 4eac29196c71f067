#include "cli/cli_platform.h"
#include "cli/commands.h"
#include "cli/loaded_project.h"
#include "core/all_kinds.h"
#include "core/plants/kind_plan.h"
#include "core/script/output_paths.h"
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
    const std::string key = UpperCase(KindSectionName(kind));
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
        placement.verticalScale = LeadingNumberValue(*options.verticalScale);
    if (options.verticalOffset)
        placement.verticalOffset = LeadingNumberValue(*options.verticalOffset);
    placement.saveToFile = !options.noSave;
    if (options.outputDir)
        placement.projectBasePath = ScriptsBasePath(placement.projectBasePath, *options.outputDir);
    placement.style.shape = options.fast ? ScriptShape::Fast : ScriptShape::Classic;
    placement.fastScriptChoice = "--fast";
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

// The joined files after the kinds' own, or the messages of a join that failed; whether it went well.
bool PrintJoined(const AllKindsResult& result, Platform& platform, std::ostream& out) {
    if (!result.joinedPath.empty())
        out << result.joinedPath << '\n';
    for (const std::string& cache : result.joinedCachePaths)
        out << cache << '\n';
    // The kinds' failures come first in the messages, and were named as each kind ended.
    std::size_t kindMessages = 0;
    for (const KindOutcome& kind : result.kinds)
        kindMessages += kind.messages.size();
    const Messages joinMessages(
        result.messages.begin() + static_cast<std::ptrdiff_t>(std::min(kindMessages, result.messages.size())),
        result.messages.end());
    for (const Message& message : joinMessages)
        platform.showMessage(message.text);
    return !AnyRefusalOrFailure(joinMessages);
}

// The kinds table of the run, with the seed, the views and the areas the command line gives.
KindsTable TableOfRun(const LoadedProject& project, const BuildOptions& options) {
    KindsTable table = project.kindsTable;
    if (options.seed)
        table.setSeed(*options.seed);
    if (options.views.given())
        table.setViews(options.views.applied(table.views()));
    if (options.noAreas)
        table.removeAreas();
    return table;
}

// --max-file and --object: the Max file and object of a kind whose row names none.
KindFallback FallbackOf(const BuildOptions& options) {
    return {options.maxFile.value_or(std::string()), options.objectName.value_or(std::string())};
}

// The kind --vegetation names, planned as Process plans the kind picked: with its row, or with the
// typed Max file and object, which are checked as the window checks its fields.
int BuildOneKind(const LoadedProject& project, const BuildOptions& options, Platform& platform,
                 std::ostream& out) {
    const PlacementOptions shared = BuildPlacementOptions(project, options);
    std::string number;
    const std::optional<Message> notOffered =
        ChooseKind(options.vegetation.value_or(std::string()), project.load.kinds.kinds, number);
    const KindsTable table = TableOfRun(project, options);
    const KindRow* row = notOffered ? nullptr : table.find(number);
    std::optional<KindPlan> plan;
    if (!notOffered)
        plan = PlanKind(shared, number, &table, FallbackOf(options), KindScope::One);
    // A kind the tile lacks is said first: no Max file or object would make it one to build.
    std::optional<Message> mistake = notOffered;
    if (!mistake && plan->status != KindPlan::Status::Build)
        mistake = Refusal(plan->reason);
    else if (!mistake)
        mistake = CheckObjectInput(row && !row->maxFile.empty() ? plan->options : shared);
    if (mistake) {
        platform.showMessage(mistake->text);
        return kExitFailed;
    }
    PlacementRequest request;
    request.options = plan->options;
    request.records = &project.load.records;
    request.recordLines = &project.load.recordLines;
    request.progress = &platform;
    const PlacementResult built = BuildPlacementScript(request);
    for (const Message& message : built.messages)
        platform.showMessage(message.text);
    if (AnyRefusalOrFailure(built.messages))
        return kExitFailed;
    PrintScript(request.options, built.scriptPath, built.cachePaths, built.lines, out);
    // What a view or thinning left of the kind, beside the files (standard output lists only those).
    if (built.filtered)
        platform.showMessage(
            KeptPlantsText("Vegetation_" + built.number, built.objectCount, built.kindRecords));
    return kExitDone;
}

// Every kind of the tile. With a kinds table each kind takes its row, or --max-file when its row names
// none; a kind that has neither, or is disabled, is skipped and named, a kind that fails or whose row
// cannot be read is named, and the others go on. Without one every kind takes --max-file, and the first kind
// that fails ends the run with its messages.
int BuildEveryKind(const LoadedProject& project, const BuildOptions& options, Platform& platform,
                   std::ostream& out) {
    const std::vector<VegetationKind>& kinds = project.load.kinds.kinds;
    if (kinds.empty()) {
        platform.showMessage("Please select a vegetation to process");
        return kExitFailed;
    }
    const KindsTable table = TableOfRun(project, options);
    const bool withTable = !table.empty();
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
    request.table = &table;
    request.fallbackMaxFile = options.maxFile.value_or(std::string());
    request.fallbackObject =
        withTable ? options.objectName.value_or(std::string()) : request.options.objectName;
    request.afterFailure = withTable ? AfterFailure::GoOn : AfterFailure::Stop;
    request.progress = &platform;
    request.kindDone = [&](const KindOutcome& kind, const LineList& script) {
        switch (kind.status) {
        case KindOutcome::Status::Built:
            PrintScript(request.options, kind.scriptPath, kind.cachePaths, script, out);
            if (kind.filtered)
                platform.showMessage(KeptPlantsText(kind.kind, kind.objects, kind.records));
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
    // The joined script is named by the engine's rule for a kind's script, as Process All names it.
    if (options.join)
        request.joinInto = JoinedScriptPath(request.options);
    const AllKindsResult result = BuildAllKinds(request);
    return PrintJoined(result, platform, out) && !result.anyFailed() ? kExitDone : kExitFailed;
}

} // namespace

int RunBuild(const BuildOptions& options, CliPlatform& platform, std::ostream& out) {
    const LoadedProject project = LoadWithOptions(options.load, platform, options.kindsFile);
    // Scripts built from a project that was read only in part would place the wrong objects.
    if (!project.complete)
        return kExitFailed;
    return options.all ? BuildEveryKind(project, options, platform, out)
                       : BuildOneKind(project, options, platform, out);
}

} // namespace tes::cli
