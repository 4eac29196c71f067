#include "cli/project_session.h"

#include "cli/cli_platform.h"
#include "form/context.h"
#include "form/field_checks.h"
#include "form/load_command.h"
#include "form/main_events.h"
#include "form/startup.h"
#include "lib/file_access.h"

#include <filesystem>

namespace tes::cli {

namespace {

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

// A chosen file's path is a full one, so the project folder and every script path are full too.
std::string FullPath(const std::string& project) {
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(PathFromUtf8(project), error);
    return error ? project : Utf8FromPath(full.lexically_normal());
}

} // namespace

std::unique_ptr<Context> StartProgram(CliPlatform& platform) {
    std::unique_ptr<Context> ctx = CreateProgram(platform);
    StartSession(*ctx);
    return ctx;
}

bool LoadProjectWithOptions(Context& ctx, const LoadOptions& options) {
    SetLoadFields(ctx, options);
    const Messages messages = OpenProject(ctx, FullPath(options.project));
    const bool loaded = ctx.form.processEnabled() && !AnyRefusalOrFailure(messages);
    if (ctx.form.processEnabled() && options.heading) {
        ctx.form.setText(TextField::txtHeading, *options.heading);
        txtHeading_LostFocus(ctx);
    }
    return loaded;
}

} // namespace tes::cli
