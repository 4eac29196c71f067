#include "cli/commands.h"

#include "cli/cli_platform.h"
#include "cli/loaded_project.h"
#include "cli/path_checks.h"
#include "core/check/max_check.h"
#include "core/script/combine_scripts.h"
#include "lib/file_access.h"

#include <optional>
#include <string>
#include <utility>

namespace tes::cli {

void PrintLines(const LineList& lines, std::ostream& out) {
    for (std::size_t row = 0; row < lines.size(); ++row)
        out << lines[row] << '\n';
}

int RunInfo(const LoadOptions& options, CliPlatform& platform, std::ostream& out) {
    const LoadedProject project = LoadWithOptions(options, platform);
    if (!project.loaded())
        return kExitFailed;

    const LoadFields& fields = project.load.fields;
    const std::pair<const char*, const std::string&> shown[] = {
        {"tile format: ", fields.scene.tileFormat}, {"grid res: ", fields.scene.gridRes},
        {"heading: ", fields.scene.heading},        {"pitch: ", fields.scene.pitch},
        {"rotation angle: ", fields.rotationAngle}, {"grid size: ", fields.gridSize},
        {"object scale: ", fields.objectScale},
    };
    for (const auto& [caption, text] : shown)
        out << caption << text << '\n';
    out << "records: " << project.load.records.size() << '\n';
    // The kinds as the window's list offers them: a kind written both 5 and 05 twice.
    for (const std::string& entry : VegetationEntries(project.load.kinds))
        out << "vegetation: " << entry << '\n';
    return project.complete ? kExitDone : kExitFailed;
}

int RunRecords(const LoadOptions& options, CliPlatform& platform, std::ostream& out) {
    const LoadedProject project = LoadWithOptions(options, platform);
    if (!project.loaded())
        return kExitFailed;
    PrintLines(project.load.records, out);
    return project.complete ? kExitDone : kExitFailed;
}

int RunCombine(const CombineOptions& options, CliPlatform& platform) {
    // The window adds only files that its dialog found; here a mistyped name is named before anything
    // is read or written.
    for (const std::string& input : options.inputs) {
        if (std::optional<std::string> kind = NonFileKind(input)) {
            platform.showMessage("The script " + input + " is " + *kind + ", not a regular file.");
            return kExitFailed;
        }
        if (!IsRegularFile(input)) {
            platform.showMessage("The script " + input + " does not exist.");
            return kExitFailed;
        }
    }
    const CombineResult combined = CombineScripts({options.inputs, options.output});
    for (const Message& message : combined.messages)
        platform.showMessage(message.text);
    return AnyRefusalOrFailure(combined.messages) ? kExitFailed : kExitDone;
}

int RunMaxCheck(const MaxCheckOptions& options, CliPlatform& platform, std::ostream& out) {
    const MaxCheckResult check = WriteMaxCheck(options.folder);
    for (const std::string& file : check.files)
        out << file << '\n';
    bool refused = false;
    for (const Message& message : check.messages) {
        platform.showMessage(message.text);
        refused = refused || message.kind == MessageKind::Refusal;
    }
    if (refused)
        return kExitUsage;
    return check.testScript.empty() ? kExitFailed : kExitDone;
}

} // namespace tes::cli
