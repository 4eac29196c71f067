#include "form/process_all.h"

#include "core/all_kinds.h"
#include "core/engine_step.h"
#include "form/chosen_kind.h"
#include "form/context.h"
#include "form/output_folder.h"
#include "form/process_command.h"
#include "form/status_text.h"
#include "lib/fields.h"
#include "lib/numbers.h"

namespace tes {

namespace {

// What a kind's build came to, on one line: "Vegetation_5: 34 objects, Valley_MainVeg_05.ms".
std::string KindLine(const KindOutcome& kind, bool saved) {
    switch (kind.status) {
    case KindOutcome::Status::Built: {
        std::string line = kind.filtered ? KeptPlantsText(kind.kind, kind.objects, kind.records)
                                         : kind.kind + ": " + CountText(kind.objects, "object");
        if (saved) {
            line += ", " + GetFileNameFromPath(kind.scriptPath);
            for (const std::string& cache : kind.cachePaths)
                line += ", " + GetFileNameFromPath(cache);
        }
        return line;
    }
    case KindOutcome::Status::Skipped:
        return kind.kind + ": skipped (" + kind.reason + ")";
    case KindOutcome::Status::Failed: {
        // A failure's file goes by its name: the folder is named once, above.
        const bool failed = !kind.messages.empty() && kind.messages.front().kind == MessageKind::Failure;
        const std::string file = failed ? FailureFile(kind.messages.front()) : std::string();
        return kind.kind + ": failed (" + (failed ? FailureLine(kind.messages.front()) : kind.reason) + ")" +
               (file.empty() ? "" : ", " + GetFileNameFromPath(file));
    }
    }
    return kind.kind;
}

// Process All's message box: the counts and the folder, one line per kind, then the joined files and
// what stopped the run. Each line is whole, so no path is broken.
std::string Report(Context& ctx, const AllKindsRequest& request, const AllKindsResult& result) {
    const bool saved = request.options.saveToFile;
    std::uint64_t scripts = 0;
    std::uint64_t objects = 0;
    std::string kinds;
    for (const KindOutcome& kind : result.kinds) {
        if (kind.status == KindOutcome::Status::Built) {
            ++scripts;
            objects += kind.objects;
        }
        kinds += "\n" + KindLine(kind, saved);
    }
    std::string text = std::string(saved ? "Wrote " : "Built ") + CountText(scripts, "script") + ", " +
                       CountText(objects, "object") + (saved ? "." : " (not saved).");
    const std::string folder = FolderOfPath(ScriptBasePath(ctx));
    if (saved)
        text += "\nFolder: " + folder;
    if (!kinds.empty())
        text += "\n" + kinds;
    std::string end;
    if (!result.joinedPath.empty()) {
        end += "\nJoined into " + GetFileNameFromPath(result.joinedPath);
        for (const std::string& path : result.joinedCachePaths)
            end += " and " + GetFileNameFromPath(path);
        end += ".";
    } else if (!request.joinInto.empty() && scripts > 0 && !result.cancelled && !result.stopped &&
               !result.messages.empty()) {
        end += "\nNot joined: " + FailureLine(result.messages.back()) + ".";
    }
    if (result.cancelled)
        end += "\nStopped before the other kinds.";
    if (!end.empty())
        text += "\n" + end;
    // Scripts that could not be written where they go: why, and the way out.
    if (saved && result.anyFailed()) {
        if (std::optional<std::string> problem = ScriptsFolderProblem(folder))
            text += "\n\n" + *problem + "\n" + kChooseOutputFolder;
    }
    return text;
}

} // namespace

std::string JoinedScriptPath(const Context& ctx) {
    return JoinedScriptPath(PlacementOptionsFromForm(ctx));
}

AllKindsRequest AllKindsRequestFromForm(Context& ctx) {
    AllKindsRequest request;
    request.options = PlacementOptionsFromForm(ctx);
    request.records = &ctx.form.list(ListId::List1);
    request.recordLines = &ctx.recordLines;
    request.kinds = ctx.kinds;
    request.table = &ctx.kindsTable;
    request.progress = &ctx.platform;
    request.tuning = ctx.tuning;
    return request;
}

Messages btnProcessAll_Click(Context& ctx) {
    if (!OfferToCreateOutputFolder(ctx))
        return {};
    ctx.platform.setWaitCursor(true);
    AllKindsRequest request = AllKindsRequestFromForm(ctx);
    if (ctx.joinAllScripts && ctx.session.SaveToFile)
        request.joinInto = JoinedScriptPath(ctx);
    AllKindsResult result = BuildAllKinds(request);

    if (!result.lastScript.empty()) {
        ctx.form.list(ListId::List2).swap(result.lastScript);
        ctx.form.listChanged(ListId::List2);
        for (auto it = result.kinds.rbegin(); it != result.kinds.rend(); ++it) {
            if (it->status == KindOutcome::Status::Built) {
                ctx.session.ScriptFilePath = it->scriptPath;
                break;
            }
        }
    }
    // Written elsewhere than beside the project, the summary says where.
    ctx.form.setStatusText(ctx.outputFolder.empty() ? result.summary
                                                    : result.summary + " Folder: " + ctx.outputFolder + ".");
    const Message summary{result.anyFailed() || !result.messages.empty() ? MessageKind::Failure
                                                                         : MessageKind::Notice,
                          Report(ctx, request, result)};
    // The run is over while its summary is read.
    ctx.platform.setWaitCursor(false);
    ctx.platform.showMessageOfKind(summary);
    return {summary};
}

bool SaveKindsTable(Context& ctx) {
    if (ctx.kindsTablePath.empty())
        return false;
    // Fields the user has not edited show the chosen kind's row as the file now has it.
    const bool untouched = ChosenKindFieldsUntouched(ctx);
    std::optional<Message> failure = StoreKindsTable(ctx.kindsTable, ctx.kindsTablePath);
    if (failure) {
        // What could not be saved does not live on: the window and Process take the file as it is,
        // as the command line does.
        Messages faults;
        ctx.kindsTable = KindsTable::Read(ctx.kindsTablePath, faults);
    }
    if (untouched)
        FillChosenKindFields(ctx);
    ctx.form.setStatusText(failure ? failure->text : SavedKindsTableStatus(ctx.kindsTable));
    if (failure)
        ctx.platform.showMessageOfKind(*failure);
    return !failure;
}

void comboSelectVegetation_Click(Context& ctx) {
    FillChosenKindFields(ctx);
}

void RememberKindMaxFile(Context& ctx) {
    // Only a kind the tile offers, picked or typed; a damaged table was named at the load and stays as
    // it is.
    if (!NamesOfferedKind(ctx.form.comboText(), ctx.form.comboItems()) || ctx.kindsTablePath.empty() ||
        ctx.kindsTable.damaged())
        return;
    const std::string number = ChosenKindNumber(ctx.form.comboText());
    const KindRow* known = ctx.kindsTable.find(number);
    KindRow row = known ? *known : KindRow{number, {}, {}, true};
    row.maxFile = ctx.form.text(TextField::txtMaxFile);
    row.objectName = ctx.form.isChecked(CheckBox::chkUseMaxName) ? std::string()
                                                                 : ctx.form.text(TextField::txtMaxObjectName);
    ctx.kindsTable.set(std::move(row));
    // Saved, the fields are the kind's own: the file's later changes to its row may fill them again.
    if (SaveKindsTable(ctx))
        RememberChosenKindFields(ctx);
}

} // namespace tes
