#include "form/process_command.h"

#include "core/plants/kind_plan.h"
#include "core/script/output_paths.h"
#include "form/context.h"
#include "form/output_folder.h"
#include "form/process_all.h"
#include "form/show_messages.h"
#include "form/status_text.h"
#include "lib/numbers.h"

#include <optional>

namespace tes {

std::string ScriptBasePath(const Context& ctx) {
    return ScriptsBasePath(ctx.session.ProjectBasePath, ctx.outputFolder);
}

PlacementOptions PlacementOptionsFromForm(const Context& ctx) {
    const MainModel& form = ctx.form;
    PlacementOptions options;
    options.kindNumber = ChosenKindNumber(form.comboText());
    options.maxFile = form.text(TextField::txtMaxFile);
    options.objectName = form.text(TextField::txtMaxObjectName);
    options.mainTile = form.check(CheckBox::chkMainTile) == kChecked;
    options.terrainWidth = ctx.session.TerrainWidth;
    // The fields' numbers, read once here by the leading-number rule, as the window always read them.
    options.gridRes = LeadingNumberValue(form.text(TextField::txtGridRes));
    options.gridSize = LeadingNumberValue(form.text(TextField::txtGridSize));
    options.objectScale = LeadingNumberValue(form.text(TextField::txtObjectScale));
    options.useObjectScale = form.check(CheckBox::chkUseObjectScale) == kChecked;
    options.verticalScale = LeadingNumberValue(form.text(TextField::txtVerticalScale));
    options.verticalOffset = LeadingNumberValue(form.text(TextField::txtVerticalOffset));
    options.rotate = form.check(CheckBox::chkRotateObjects) == kChecked;
    options.rotationAngle = form.text(TextField::txtRotationAngle);
    options.projectBasePath = ScriptBasePath(ctx);
    options.saveToFile = ctx.session.SaveToFile;
    options.style = ctx.scriptStyle;
    return options;
}

Messages BuildScript(Context& ctx) {
    MainModel& form = ctx.form;
    // The kind is built as its row in the kinds table says, as Process All and the command line build
    // it; the fields give the Max file and object of a kind whose row names none.
    const PlacementOptions fields = PlacementOptionsFromForm(ctx);
    KindPlan plan = PlanKind(fields, fields.kindNumber, &ctx.kindsTable, {fields.maxFile, fields.objectName},
                             KindScope::One);
    if (plan.status != KindPlan::Status::Build) {
        form.setStatusText("Not built: " + plan.reason);
        Messages refused{
            Refusal(plan.reason + "\n\nMend it in Kinds... or in the file, then Process again.")};
        ShowMessages(ctx.platform, refused);
        return refused;
    }
    PlacementRequest request;
    request.options = std::move(plan.options);
    request.records = &form.list(ListId::List1);
    request.recordLines = &ctx.recordLines;
    request.progress = &ctx.platform;
    request.tuning = ctx.tuning;
    PlacementResult built = BuildPlacementScript(request);

    // The field that follows the other keeps its new value whatever became of the build.
    if (built.gridSize)
        form.setText(TextField::txtGridSize, *built.gridSize);
    if (built.objectScale)
        form.setText(TextField::txtObjectScale, *built.objectScale);
    // Finished or failed, List2 shows what the build produced; refused or cancelled, the last script
    // stays, in the list and on disk.
    if (built.outcome == BuildOutcome::Built || built.outcome == BuildOutcome::Failed) {
        if (!built.scriptPath.empty())
            ctx.session.ScriptFilePath = built.scriptPath;
        form.list(ListId::List2).swap(built.lines);
        built.lines.clearAndRelease();
        form.listChanged(ListId::List2);
    }
    if (built.outcome == BuildOutcome::Built)
        form.setStatusText(BuiltStatus(built, request.options, !ctx.outputFolder.empty()));
    else if (built.outcome == BuildOutcome::Failed)
        form.setStatusText(FailedStatus(built));
    // The engine names the file it could not write; the way out is in the window.
    if (built.failure && !built.failure->file().empty() && !built.messages.empty())
        built.messages.back().text += std::string("\n\n") + kChooseOutputFolder;
    ShowMessages(ctx.platform, built.messages);
    return std::move(built.messages);
}

namespace {

// The checks of the Process command, in order: a Max file, an object name, a chosen kind, and a kind
// that the list offers. The first that fails.
std::optional<Message> CheckProcessInput(const Context& ctx) {
    if (std::optional<Message> mistake = CheckObjectInput(PlacementOptionsFromForm(ctx)))
        return mistake;
    const std::string& chosen = ctx.form.comboText();
    if (chosen.empty())
        return Refusal("Please select a vegetation to process");
    if (!NamesOfferedKind(chosen, ctx.form.comboItems()))
        return Refusal("Please select only from the Vegetation List");
    return std::nullopt;
}

// The Max file and object in the fields are the kind's own once its row has any: the row takes them,
// so that Process All builds the kind as Process does.
void KeepFieldsInRow(Context& ctx) {
    const KindRow* row = ctx.kindsTable.find(ChosenKindNumber(ctx.form.comboText()));
    if (row && (row->maxFile != ctx.form.text(TextField::txtMaxFile) ||
                row->object() != ctx.form.text(TextField::txtMaxObjectName)))
        RememberKindMaxFile(ctx);
}

} // namespace

Messages btnProcess_Click(Context& ctx) {
    Messages messages;
    if (std::optional<Message> mistake = CheckProcessInput(ctx)) {
        ctx.platform.showMessageOfKind(*mistake);
        messages.push_back(std::move(*mistake));
    } else if (OfferToCreateOutputFolder(ctx)) {
        KeepFieldsInRow(ctx);
        ctx.platform.setWaitCursor(true);
        messages = BuildScript(ctx);
    }
    ctx.platform.setWaitCursor(false);
    return messages;
}

} // namespace tes
