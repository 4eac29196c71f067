#include "form/max_file.h"

#include "form/context.h"
#include "form/process_all.h"
#include "form/startup.h"
#include "lib/fields.h"

#include <string>

namespace tes {

namespace {

void FollowMaxFileName(Context& ctx) {
    if (ctx.form.isChecked(CheckBox::chkUseMaxName))
        ctx.form.setText(TextField::txtMaxObjectName, GetBaseFileName(ctx.form.text(TextField::txtMaxFile)));
}

} // namespace

void txtMaxFile_Change(Context& ctx) {
    FollowMaxFileName(ctx);
}
void txtMaxFile_Click(Context& ctx) {
    FollowMaxFileName(ctx);
}
void txtMaxFile_DblClick(Context& ctx) {
    FollowMaxFileName(ctx);
}
void txtMaxFile_GotFocus(Context& ctx) {
    FollowMaxFileName(ctx);
}
void txtMaxFile_LostFocus(Context& ctx) {
    FollowMaxFileName(ctx);
}
void chkUseMaxName_Click(Context& ctx) {
    FollowMaxFileName(ctx);
}

void btnBrowseMaxFile_Click(Context& ctx) {
    const std::string chosen = ctx.platform.showFileDialog({.title = "Select Max Object File",
                                                            .initialFolder = ctx.session.ObjectDir,
                                                            .filter = "MAX File (*.max)|*.max",
                                                            .filterIndex = 1,
                                                            .save = false,
                                                            .initialFileName = {}});
    if (chosen.empty())
        return;
    ctx.session.ObjectDir = FolderOfPath(chosen);
    SaveFolderSettings(ctx);
    ctx.form.setText(TextField::txtMaxFile, chosen);
    RememberKindMaxFile(ctx);
}

} // namespace tes
