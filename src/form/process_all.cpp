#include "form/process_all.h"

#include "core/all_kinds.h"
#include "form/context.h"
#include "form/process_command.h"
#include "form/status_text.h"
#include "lib/fields.h"

#include <algorithm>

namespace tes {

std::string JoinedScriptPath(const Context& ctx) {
    const bool mainTile = ctx.form.check(CheckBox::chkMainTile) == kChecked;
    return ScriptBasePath(ctx) + (mainTile ? "_MainVeg_All.ms" : "_PerVeg_All.ms");
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
    const std::string text =
        ctx.outputFolder.empty() ? result.summary : result.summary + " Folder: " + ctx.outputFolder + ".";
    ctx.form.setStatusText(text);
    const Message summary{
        result.anyFailed() || !result.messages.empty() ? MessageKind::Failure : MessageKind::Notice, text};
    // The run is over while its summary is read.
    ctx.platform.setWaitCursor(false);
    ctx.platform.showMessage(summary.text);
    return {summary};
}

bool SaveKindsTable(Context& ctx) {
    if (ctx.kindsTablePath.empty())
        return false;
    if (std::optional<Message> failure = StoreKindsTable(ctx.kindsTable, ctx.kindsTablePath)) {
        ctx.platform.showMessage(failure->text);
        return false;
    }
    ctx.form.setStatusText(SavedKindsTableStatus(ctx.kindsTable));
    return true;
}

void comboSelectVegetation_Click(Context& ctx) {
    const KindRow* row = ctx.kindsTable.find(ChosenKindNumber(ctx.form.comboText()));
    if (!row || row->maxFile.empty())
        return;
    MainModel& form = ctx.form;
    // The box's handler makes the object name follow the file while it is checked.
    form.setCheck(CheckBox::chkUseMaxName, row->objectName.empty() ? kChecked : kUnchecked);
    form.setText(TextField::txtMaxFile, row->maxFile);
    if (!row->objectName.empty())
        form.setText(TextField::txtMaxObjectName, row->objectName);
}

void RememberKindMaxFile(Context& ctx) {
    // Only a kind the tile offers; a damaged table was named at the load and stays as it is.
    const std::vector<std::string>& offered = ctx.form.comboItems();
    if (std::find(offered.begin(), offered.end(), ctx.form.comboText()) == offered.end() ||
        ctx.kindsTablePath.empty() || ctx.kindsTable.damaged())
        return;
    const std::string number = ChosenKindNumber(ctx.form.comboText());
    const KindRow* known = ctx.kindsTable.find(number);
    KindRow row = known ? *known : KindRow{number, {}, {}, true};
    row.maxFile = ctx.form.text(TextField::txtMaxFile);
    row.objectName = ctx.form.isChecked(CheckBox::chkUseMaxName) ? std::string()
                                                                 : ctx.form.text(TextField::txtMaxObjectName);
    ctx.kindsTable.set(std::move(row));
    SaveKindsTable(ctx);
}

} // namespace tes
