#include "cli/project_session.h"

#include "cli/cli_platform.h"
#include "core/context.h"
#include "core/startup.h"
#include "project/load_command.h"
#include "project/main_handlers.h"

#include <filesystem>
#include <string_view>

namespace tes::cli {

namespace {

// Messages after which the load command stops, or goes on with part of the project unread.
bool EndsLoad(std::string_view message) {
    return message == "No Tolvane TXT environment file found!!" ||
           message.starts_with("Unexpected error in ");
}

// The window's fields as a user sets them before pressing Browse: each box clicked to its state and
// each number typed and left, so the handlers and focus-loss checks run as they would there.
void SetLoadFields(Context& ctx, const LoadOptions& options) {
    MainModel& form = ctx.form;
    if (options.perimeter)
        form.setCheck(CheckBox::chkMainTile, kUnchecked);
    if (options.overlap)
        form.setText(TextField::txtOverlap, *options.overlap);
    if (options.gridSize) {
        form.setText(TextField::txtGridSize, *options.gridSize);
        txtGridSize_LostFocus(ctx);
    }
    if (options.objectScale) {
        form.setCheck(CheckBox::chkUseObjectScale, kChecked);
        form.setText(TextField::txtObjectScale, *options.objectScale);
        txtObjectScale_LostFocus(ctx);
    }
    // The angle is typed before rotation is switched off: a disabled field takes no typing.
    if (options.rotationAngle) {
        form.setCheck(CheckBox::chkFaceTolvaneSun, kUnchecked);
        form.setText(TextField::txtRotationAngle, *options.rotationAngle);
    }
    if (options.noRotate)
        form.setCheck(CheckBox::chkRotateObjects, kUnchecked);
}

// The dialog answers with a full path, so the project folder and every script path are full too.
std::string DialogAnswer(const std::string& project) {
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(project, error);
    return error ? project : full.lexically_normal().string();
}

} // namespace

std::unique_ptr<Context> StartProgram(CliPlatform& platform) {
    std::unique_ptr<Context> ctx = CreateProgram(platform);
    StartSession(*ctx);
    return ctx;
}

bool LoadProject(Context& ctx, CliPlatform& platform, const LoadOptions& options) {
    SetLoadFields(ctx, options);
    const std::size_t shownBefore = platform.messages().size();
    platform.queueDialogAnswer(DialogAnswer(options.project));
    btnBrowseProjectFile_Click(ctx);
    bool loaded = ctx.form.processEnabled();
    for (std::size_t i = shownBefore; i < platform.messages().size(); ++i) {
        if (EndsLoad(platform.messages()[i]))
            loaded = false;
    }
    if (ctx.form.processEnabled() && options.heading) {
        ctx.form.setText(TextField::txtHeading, *options.heading);
        txtHeading_LostFocus(ctx);
    }
    return loaded;
}

} // namespace tes::cli
