#include "core/context.h"
#include "core/startup.h"
#include "lib/fields.h"
#include "project/main_handlers.h"

#include <string>

namespace tes {

void txtMaxFile_Event(Context& ctx) {
    if (ctx.form.isChecked(CheckBox::chkUseMaxName))
        ctx.form.setText(TextField::txtMaxObjectName, GetBaseFileName(ctx.form.text(TextField::txtMaxFile)));
}

void btnBrowseMaxFile_Click(Context& ctx) {
    const std::string chosen = ctx.platform.showFileDialog({.owner = DialogOwner::MainWindow,
                                                            .title = "Select Max Object File",
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
}

} // namespace tes
