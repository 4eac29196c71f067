#include "form/combiner_commands.h"

#include "core/combine_scripts.h"
#include "form/context.h"

namespace tes {

namespace {

constexpr const char* kScriptFilter = "MS File (*.ms)|*.ms";

FileDialogRequest ScriptDialog(const Context& ctx, const char* title, bool save) {
    FileDialogRequest request;
    request.title = title;
    request.initialFolder = ctx.session.DefaultDir;
    request.filter = kScriptFilter;
    request.filterIndex = 1;
    request.save = save;
    return request;
}

// Asks for a script file and runs `work` on it under the wait pointer, showing what it says. A
// cancelled dialog does nothing.
template <typename Work> Messages RunOnChosenFile(Context& ctx, const FileDialogRequest& request, Work work) {
    const std::string path = ctx.platform.showFileDialog(request);
    if (path.empty()) {
        ctx.platform.setWaitCursor(false);
        return {};
    }
    ctx.platform.setWaitCursor(true);
    Messages messages = work(path);
    ShowMessages(ctx.platform, messages);
    ctx.platform.setWaitCursor(false);
    return messages;
}

} // namespace

Messages btnAddFile_Click(Context& ctx) {
    return RunOnChosenFile(
        ctx, ScriptDialog(ctx, "Open MAX Script File (MS)", false),
        [&ctx](const std::string& path) { return AddScriptToCombination(ctx.lstMaxScripts, path); });
}

Messages btnSaveAs_Click(Context& ctx) {
    return RunOnChosenFile(ctx, ScriptDialog(ctx, "Save Compiled MAX Script As... (MS)", true),
                           [&ctx](const std::string& path) {
                               return SaveCombination(ctx.lstMaxScripts, path, ctx.tuning.fileByteLimit);
                           });
}

} // namespace tes
