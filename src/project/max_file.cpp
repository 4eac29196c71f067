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
    FileDialogRequest request;
    request.owner = DialogOwner::MainWindow;
    request.title = "Select Max Object File";
    request.initialFolder = ctx.session.ObjectDir;
    request.filter = "MAX File (*.max)|*.max";
    request.filterIndex = 1;
    request.save = false;
    const std::string chosen = ctx.platform.showFileDialog(request);
    if (chosen.empty())
        return;
    ctx.session.ObjectDir = FolderOfPath(chosen);
    SaveFolderSettings(ctx);
    ctx.form.setText(TextField::txtMaxFile, chosen);
}

} // namespace tes
