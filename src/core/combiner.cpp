#include "core/combiner.h"

#include "core/context.h"
#include "core/failure_message.h"
#include "lib/failure.h"
#include "lib/text_file.h"

#include <new>
#include <optional>
#include <string_view>

namespace tes {

namespace {

constexpr const char* kScriptFilter = "MS File (*.ms)|*.ms";

FileDialogRequest ScriptDialog(const Context& ctx, const char* title, bool save) {
    FileDialogRequest request;
    request.owner = DialogOwner::Combiner;
    request.title = title;
    request.initialFolder = ctx.session.DefaultDir;
    request.filter = kScriptFilter;
    request.filterIndex = 1;
    request.save = save;
    return request;
}

// Asks for a script file and runs `work` on it under the wait pointer; a failure is shown in the
// routine's own message form. A cancelled dialog does nothing.
template <typename Work>
void RunOnChosenFile(Context& ctx, const FileDialogRequest& request, const char* routine, Work work) {
    const std::string path = ctx.platform.showFileDialog(request);
    if (path.empty()) {
        ctx.platform.setWaitCursor(DialogOwner::Combiner, false);
        return;
    }
    ctx.platform.setWaitCursor(DialogOwner::Combiner, true);
    std::optional<Failure> failure;
    try {
        work(path);
    } catch (const Failure& f) {
        failure = f;
    } catch (const std::bad_alloc&) {
        failure = failures::outOfMemory();
    }
    if (failure)
        ctx.platform.showMessage(UnexpectedErrorMessage(routine, *failure));
    ctx.platform.setWaitCursor(DialogOwner::Combiner, false);
}

} // namespace

void AppendScriptFile(LineList& lines, const std::string& path) {
    LineReader reader(LineBreaks::CrOrCrLf, false);
    reader.open(path);
    std::string_view line;
    while (reader.next(line)) {
        reader.appendDecoded(lines.textBuffer(), line);
        lines.endLine();
    }
    reader.close();
    // Two empty lines part this script from the next one.
    lines.append("");
    lines.append("");
}

void SaveScriptLines(const LineList& lines, const std::string& path) {
    AtomicTextWriter writer(path);
    for (std::size_t row = 0; row < lines.size(); ++row)
        writer.writeLine(lines[row]);
    writer.commit();
}

void btnAddFile_Click(Context& ctx) {
    RunOnChosenFile(ctx, ScriptDialog(ctx, "Open MAX Script File (MS)", false), "btnAddFile",
                    [&ctx](const std::string& path) { AppendScriptFile(ctx.lstMaxScripts, path); });
}

void btnSaveAs_Click(Context& ctx) {
    RunOnChosenFile(ctx, ScriptDialog(ctx, "Save Compiled MAX Script As... (MS)", true), "btnSaveAs",
                    [&ctx](const std::string& path) { SaveScriptLines(ctx.lstMaxScripts, path); });
}

} // namespace tes
