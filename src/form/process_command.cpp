#include "form/process_command.h"

#include "form/context.h"
#include "form/status_text.h"

#include <optional>

namespace tes {

PlacementOptions PlacementOptionsFromForm(const Context& ctx) {
    const MainModel& form = ctx.form;
    PlacementOptions options;
    options.vegetation = form.comboText();
    options.maxFile = form.text(TextField::txtMaxFile);
    options.objectName = form.text(TextField::txtMaxObjectName);
    options.mainTile = form.check(CheckBox::chkMainTile) == kChecked;
    options.terrainWidth = ctx.session.TerrainWidth;
    options.gridRes = form.text(TextField::txtGridRes);
    options.gridSize = form.text(TextField::txtGridSize);
    options.objectScale = form.text(TextField::txtObjectScale);
    options.useObjectScale = form.check(CheckBox::chkUseObjectScale) == kChecked;
    options.verticalScale = form.text(TextField::txtVerticalScale);
    options.verticalOffset = form.text(TextField::txtVerticalOffset);
    options.rotate = form.check(CheckBox::chkRotateObjects) == kChecked;
    options.rotationAngle = form.text(TextField::txtRotationAngle);
    options.projectBasePath = ctx.session.ProjectBasePath;
    options.saveToFile = ctx.session.SaveToFile;
    options.style = ctx.scriptStyle;
    return options;
}

Messages BuildScript(Context& ctx) {
    MainModel& form = ctx.form;
    PlacementRequest request;
    request.options = PlacementOptionsFromForm(ctx);
    request.records = &form.list(ListId::List1);
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
        form.setStatusText(BuiltStatus(built));
    ShowMessages(ctx.platform, built.messages);
    return std::move(built.messages);
}

Messages btnProcess_Click(Context& ctx) {
    Messages messages;
    if (std::optional<Message> mistake =
            CheckProcessInput(PlacementOptionsFromForm(ctx), ctx.form.comboItems())) {
        ctx.platform.showMessage(mistake->text);
        messages.push_back(std::move(*mistake));
    } else {
        ctx.platform.setWaitCursor(true);
        messages = BuildScript(ctx);
    }
    ctx.platform.setWaitCursor(false);
    return messages;
}

} // namespace tes
