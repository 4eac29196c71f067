#include "core/check/max_check.h"

#include "core/all_kinds.h"
#include "core/check/max_check_project.h"
#include "core/check/max_check_script.h"
#include "core/load_project.h"
#include "core/loaded_options.h"
#include "lib/atomic_file.h"
#include "lib/failure.h"
#include "lib/fields.h"
#include "lib/file_access.h"
#include "lib/numbers.h"
#include "lib/text_codec.h"

#include <filesystem>
#include <optional>

namespace tes {

namespace {

// The folder as a whole, plain path, without a separator at its end (unless it is a root).
std::string WholeFolder(const std::string& dir) {
    std::error_code error;
    std::filesystem::path path = std::filesystem::absolute(PathFromUtf8(dir), error);
    if (error)
        path = PathFromUtf8(dir);
    path = path.lexically_normal();
    if (!path.has_filename() && path.has_relative_path())
        path = path.parent_path();
    return Utf8FromPath(path);
}

// Made when missing; why it cannot take the files, if so.
std::optional<std::string> FolderProblem(const std::string& folder) {
    // The scripts and the test script are Windows-1252: each names the folder.
    if (!FitsWindows1252(folder))
        return "its path holds characters that the scripts' code page (Windows-1252) lacks; choose a folder "
               "such as C:\\MaxCheck";
    std::error_code error;
    const std::filesystem::path path = PathFromUtf8(folder);
    std::filesystem::create_directories(path, error);
    if (!std::filesystem::is_directory(path, error))
        return error ? "it cannot be made: " + error.message() : std::string("it is a file");
    return std::nullopt;
}

void WriteLines(const std::string& path, const std::vector<std::string>& lines,
                std::vector<std::string>& written) {
    AtomicTextWriter file(path);
    for (const std::string& line : lines)
        file.writeLine(line);
    file.commit();
    written.push_back(path);
}

// "3ds Max 2010 and later", as the first line of a fast script names it.
std::string MaxVersionsOf(const LineList& script) {
    const std::string first = script.size() > 0 ? std::string(script[0]) : std::string();
    const std::size_t from = first.find("for 3ds Max");
    const std::size_t to = from == std::string::npos ? from : first.find(',', from);
    if (to == std::string::npos)
        return "the 3ds Max versions the first line of the scripts names";
    return first.substr(from + 4, to - from - 4);
}

// The points of a kind's CSV point cache: the first three values of each line after the header.
std::vector<ScenePoint> CachedPoints(const std::vector<std::string>& cachePaths) {
    std::vector<ScenePoint> points;
    for (const std::string& path : cachePaths) {
        if (!path.ends_with(".csv"))
            continue;
        const std::string text = ReadFileBytes(path);
        std::size_t start = text.find('\n');
        while (start != std::string::npos && start + 1 < text.size()) {
            const std::size_t end = text.find('\n', start + 1);
            const std::string_view line(text.data() + start + 1,
                                        (end == std::string::npos ? text.size() : end) - start - 1);
            if (!GetElement(line, ",", 2).empty())
                points.push_back({LeadingNumberValue(GetElement(line, ",", 0)),
                                  LeadingNumberValue(GetElement(line, ",", 1)),
                                  LeadingNumberValue(GetElement(line, ",", 2))});
            start = end;
        }
    }
    return points;
}

// The options every script of the check shares: the loaded tile's, in the fast shape.
PlacementOptions CheckOptions(const LoadResult& load) {
    PlacementOptions options;
    TakeLoadedFields(load, options);
    options.style.shape = ScriptShape::Fast;
    return options;
}

// Builds every kind into one set of scripts and the joined one; the files go into `written`.
AllKindsResult BuildSet(const LoadResult& load, const KindsTable& table, PlacementOptions options,
                        std::vector<std::string>& written, std::string* versions) {
    AllKindsRequest request;
    request.records = &load.records;
    request.recordLines = &load.recordLines;
    request.kinds = load.kinds.kinds;
    request.table = &table;
    request.joinInto = JoinedScriptPath(options);
    request.options = std::move(options);
    request.kindDone = [versions](const KindOutcome& kind, const LineList& script) {
        if (versions && versions->empty() && kind.status == KindOutcome::Status::Built)
            *versions = MaxVersionsOf(script);
    };
    AllKindsResult result = BuildAllKinds(request);
    for (const KindOutcome& kind : result.kinds) {
        if (kind.status != KindOutcome::Status::Built)
            continue;
        written.push_back(kind.scriptPath);
        written.insert(written.end(), kind.cachePaths.begin(), kind.cachePaths.end());
    }
    if (!result.joinedPath.empty())
        written.push_back(result.joinedPath);
    written.insert(written.end(), result.joinedCachePaths.begin(), result.joinedCachePaths.end());
    return result;
}

std::vector<std::string> ReadmeLines() {
    return {
        "3ds Max check of Tolvane Enviro Scripter",
        "",
        "This folder holds a small Tolvane project (MaxCheck.prj), the scripts the program built for it,",
        "and MaxCheck_Test.ms, which runs them in 3ds Max and checks what they did.",
        "",
        "To run it:",
        "1. Start 3ds Max, or reset it (File > Reset): the test runs only in an empty scene.",
        "2. Choose Scripting > Run Script... (MAXScript > Run Script... in older versions) and open",
        "   MaxCheck_Test.ms from this folder. Keep the folder where it was written: the scripts name",
        "   the Max files in it by their whole path.",
        "3. The test makes its own models, saves them here as Max files, runs the scripts and prints one",
        "   line per check in the MAXScript Listener (F11), and the same lines into MaxCheck_Result.txt.",
        "",
        "PASS <check>: 3ds Max did what the check expects.",
        "FAIL <check>: <why>: it did not; the line says what it found.",
        "SKIP utf8: your 3ds Max is older than 2013 and reads no UTF-8 scripts.",
        "A dialog that comes up during the run (a duplicate material name, say) is a failure as well.",
        "",
        "When a check fails, send the Listener's whole text (or MaxCheck_Result.txt), the version of",
        "3ds Max (Help > About), and what any dialog said. To run the test again, reset the scene first.",
    };
}

} // namespace

MaxCheckResult WriteMaxCheck(const std::string& dir) {
    MaxCheckResult result;
    result.folder = WholeFolder(dir);
    if (std::optional<std::string> problem = FolderProblem(result.folder)) {
        result.messages.push_back(
            Refusal("The 3ds Max check cannot be written into " + result.folder + ": " + *problem + "."));
        return result;
    }
    try {
        for (const MaxCheckFile& file : MaxCheckProjectFiles(result.folder))
            WriteLines(JoinPath(result.folder, file.name), file.lines, result.files);
    } catch (const Failure& failure) {
        result.messages.push_back(Refusal("The 3ds Max check cannot be written into " + result.folder + ": " +
                                          failure.reason() + "."));
        return result;
    }
    LoadRequest request;
    request.projectPath = JoinPath(result.folder, std::string(kMaxCheckBase) + ".prj");
    const LoadResult load = LoadProject(request);
    Messages tableMessages;
    const KindsTable table = KindsTable::Read(KindsTable::PathFor(load.files.basePath), tableMessages);
    if (load.outcome != LoadOutcome::Loaded || AnyRefusalOrFailure(load.messages) ||
        AnyRefusalOrFailure(tableMessages) || table.faultCount() != 0) {
        result.messages.insert(result.messages.end(), load.messages.begin(), load.messages.end());
        result.messages.insert(result.messages.end(), tableMessages.begin(), tableMessages.end());
        result.messages.push_back({MessageKind::Failure, "The 3ds Max check's project could not be read."});
        return result;
    }

    MaxCheckScript script;
    script.folder = result.folder;
    PlacementOptions options = CheckOptions(load);
    options.style.cache = PointCache::Csv; // the positions the test expects
    const AllKindsResult plain = BuildSet(load, table, options, result.files, &script.maxVersions);
    options.style.cache = PointCache::None;
    options.style.utf8 = true;
    options.projectBasePath = JoinPath(result.folder, kMaxCheckUtf8Base);
    const AllKindsResult unicode = BuildSet(load, table, options, result.files, nullptr);
    for (const AllKindsResult* set : {&plain, &unicode})
        result.messages.insert(result.messages.end(), set->messages.begin(), set->messages.end());
    const std::size_t count = MaxCheckKinds().size();
    if (plain.anyFailed() || unicode.anyFailed() || plain.kinds.size() != count ||
        unicode.kinds.size() != count || plain.joinedPath.empty() || unicode.joinedPath.empty()) {
        result.messages.push_back({MessageKind::Failure, "The 3ds Max check's scripts could not be built."});
        return result;
    }

    try {
        for (std::size_t i = 0; i < count; ++i) {
            const MaxCheckKind& kind = MaxCheckKinds()[i];
            const KindOutcome& built = plain.kinds[i];
            MaxCheckExpected expected;
            expected.key = built.kind;
            expected.layer = GetBaseFileName(built.scriptPath);
            expected.utf8Layer = GetBaseFileName(unicode.kinds[i].scriptPath);
            expected.plants = kind.missingObject ? 0 : built.objects;
            if (!kind.missingObject)
                expected.points = CachedPoints(built.cachePaths);
            expected.onBase = kind.severalObjects;
            expected.missingObject = kind.missingObject;
            expected.materialsAlike = kind.materialsAlike;
            script.kinds.push_back(std::move(expected));
            script.kindScripts.push_back(built.scriptPath);
        }
        script.joinedScript = plain.joinedPath;
        script.utf8JoinedScript = unicode.joinedPath;
        result.testScript = JoinPath(result.folder, "MaxCheck_Test.ms");
        WriteLines(result.testScript, MaxCheckTestLines(script), result.files);
        WriteLines(JoinPath(result.folder, "README.txt"), ReadmeLines(), result.files);
    } catch (const Failure& failure) {
        result.testScript.clear();
        result.messages.push_back(
            {MessageKind::Failure,
             "The 3ds Max check's test script could not be written: " + failure.reason() + "."});
    }
    return result;
}

} // namespace tes
