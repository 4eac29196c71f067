#include "cli/commands.h"

#include "cli/cli_platform.h"
#include "cli/kinds_table_choice.h"
#include "cli/project_session.h"
#include "cli/table_build.h"
#include "cli/vegetation_choice.h"
#include "core/combine_scripts.h"
#include "form/context.h"
#include "form/max_file.h"
#include "form/process_command.h"
#include "lib/fields.h"

#include <set>
#include <string>

namespace tes::cli {

namespace {

void PrintLines(const LineList& lines, std::ostream& out) {
    for (std::size_t row = 0; row < lines.size(); ++row)
        out << lines[row] << '\n';
}

// The build fields as a user fills them after the load.
void SetBuildFields(Context& ctx, const BuildOptions& options) {
    MainModel& form = ctx.form;
    if (options.maxFile) {
        // "Use abbr. Max file name" is checked, so the object name follows the typed path.
        form.setCheck(CheckBox::chkUseMaxName, kChecked);
        form.setText(TextField::txtMaxFile, *options.maxFile);
        txtMaxFile_LostFocus(ctx); // leaving the field
    }
    if (options.objectName) {
        form.setCheck(CheckBox::chkUseMaxName, kUnchecked);
        form.setText(TextField::txtMaxObjectName, *options.objectName);
    }
    if (options.verticalScale)
        form.setText(TextField::txtVerticalScale, *options.verticalScale);
    if (options.verticalOffset)
        form.setText(TextField::txtVerticalOffset, *options.verticalOffset);
    if (options.noSave)
        form.setCheck(CheckBox::chkSave, kUnchecked);
    ctx.scriptStyle.shape = options.fast ? ScriptShape::Fast : ScriptShape::Classic;
    ctx.scriptStyle.instances = options.instances;
    ctx.scriptStyle.utf8 = options.utf8;
}

// Presses Process; prints the script file written, or the script's lines when it is not saved.
bool ProcessAndReport(Context& ctx, std::ostream& out) {
    if (AnyRefusalOrFailure(btnProcess_Click(ctx)))
        return false;
    if (ctx.session.SaveToFile)
        out << ctx.session.ScriptFilePath << '\n';
    else
        PrintLines(ctx.form.list(ListId::List2), out);
    return true;
}

// Processes every kind the list offers once, in the list's order, with the Max file typed; a kind
// listed twice (5 and 05 in the environment file) is built only the first time. The first kind
// whose Process shows a message ends the run.
bool ProcessEveryKind(Context& ctx, CliPlatform& platform, std::ostream& out) {
    const std::vector<std::string> items = ctx.form.comboItems();
    std::set<std::string> built;
    platform.beginProgress("Building scripts");
    bool done = true;
    for (std::size_t i = 0; i < items.size() && done; ++i) {
        platform.reportProgress(i, items.size());
        if (!built.insert(UpperCase(GetElement(items[i], ":", 0))).second)
            continue;
        ctx.form.pickComboItem(i);
        done = ProcessAndReport(ctx, out);
    }
    platform.endProgress();
    return done;
}

} // namespace

int RunInfo(const LoadOptions& options, CliPlatform& platform, std::ostream& out) {
    std::unique_ptr<Context> ctx = StartProgram(platform);
    const bool loaded = LoadProjectWithOptions(*ctx, options);
    if (!ctx->form.processEnabled())
        return kExitFailed;

    const MainModel& form = ctx->form;
    const std::pair<const char*, TextField> fields[] = {
        {"tile format: ", TextField::txtNumberOfTiles},
        {"grid res: ", TextField::txtGridRes},
        {"heading: ", TextField::txtHeading},
        {"pitch: ", TextField::txtPitch},
        {"rotation angle: ", TextField::txtRotationAngle},
        {"grid size: ", TextField::txtGridSize},
        {"object scale: ", TextField::txtObjectScale},
    };
    for (const auto& [caption, field] : fields)
        out << caption << form.text(field) << '\n';
    out << "records: " << form.list(ListId::List1).size() << '\n';
    for (const std::string& item : form.comboItems())
        out << "vegetation: " << item << '\n';
    return loaded ? kExitDone : kExitFailed;
}

int RunRecords(const LoadOptions& options, CliPlatform& platform, std::ostream& out) {
    std::unique_ptr<Context> ctx = StartProgram(platform);
    const bool loaded = LoadProjectWithOptions(*ctx, options);
    if (!ctx->form.processEnabled())
        return kExitFailed;
    PrintLines(ctx->form.list(ListId::List1), out);
    return loaded ? kExitDone : kExitFailed;
}

int RunBuild(const BuildOptions& options, CliPlatform& platform, std::ostream& out) {
    std::unique_ptr<Context> ctx = StartProgram(platform);
    // Scripts built from a project that was read only in part would place the wrong objects.
    if (!LoadProjectWithOptions(*ctx, options.load))
        return kExitFailed;
    SetBuildFields(*ctx, options);
    if (options.all) {
        if (ctx->form.comboItems().empty()) {
            platform.showMessage("Please select a vegetation to process");
            return kExitFailed;
        }
        // A table without rows gives no kind a Max file: the typed one is all there is, as before.
        const KindsTableChoice kinds = ChooseKindsTable(*ctx, options.kindsFile, platform);
        const bool done = kinds.table.empty() ? ProcessEveryKind(*ctx, platform, out)
                                              : BuildFromTable(*ctx, kinds.table, options, platform, out);
        return done ? kExitDone : kExitFailed;
    }
    ChooseVegetation(ctx->form, options.vegetation.value_or(std::string()));
    return ProcessAndReport(*ctx, out) ? kExitDone : kExitFailed;
}

int RunCombine(const CombineOptions& options, CliPlatform& platform) {
    const CombineResult combined = CombineScripts({options.inputs, options.output});
    for (const Message& message : combined.messages)
        platform.showMessage(message.text);
    return AnyRefusalOrFailure(combined.messages) ? kExitFailed : kExitDone;
}

} // namespace tes::cli
