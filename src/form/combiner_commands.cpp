#include "form/combiner_commands.h"

#include "core/script/combine_scripts.h"
#include "form/combiner_state.h"
#include "form/show_messages.h"

namespace tes {

namespace {

constexpr const char* kScriptFilter = "MS File (*.ms)|*.ms";

FileDialogRequest ScriptDialog(const CombinerState& combiner, const char* title, bool save) {
    FileDialogRequest request;
    request.title = title;
    // Where the window's scripts go, when that is not beside the project.
    request.initialFolder = combiner.outputFolder.empty() ? combiner.defaultDir : combiner.outputFolder;
    request.filter = kScriptFilter;
    request.filterIndex = 1;
    request.save = save;
    return request;
}

// Asks for a script file and runs `work` on it under the wait pointer, showing what it says. A
// cancelled dialog does nothing.
template <typename Work>
Messages RunOnChosenFile(CombinerState& combiner, const FileDialogRequest& request, Work work) {
    const std::string path = combiner.platform.showFileDialog(request);
    if (path.empty()) {
        combiner.platform.setWaitCursor(false);
        return {};
    }
    combiner.platform.setWaitCursor(true);
    Messages messages = work(path);
    ShowMessages(combiner.platform, messages);
    combiner.platform.setWaitCursor(false);
    return messages;
}

} // namespace

Messages btnAddFile_Click(CombinerState& combiner) {
    return RunOnChosenFile(combiner, ScriptDialog(combiner, "Open MAX Script File (MS)", false),
                           [&combiner](const std::string& path) {
                               return AddScriptToCombination(combiner.lstMaxScripts, path, &combiner.utf8);
                           });
}

Messages btnSaveAs_Click(CombinerState& combiner) {
    return RunOnChosenFile(combiner, ScriptDialog(combiner, "Save Compiled MAX Script As... (MS)", true),
                           [&combiner](const std::string& path) {
                               Messages messages = SaveCombination(combiner.lstMaxScripts, path,
                                                                   combiner.fileByteLimit, combiner.utf8);
                               // Saved, the window says where, as the main window does after Process.
                               combiner.status =
                                   AnyRefusalOrFailure(messages) ? std::string() : "Wrote " + path;
                               return messages;
                           });
}

} // namespace tes
