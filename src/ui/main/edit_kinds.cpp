// The "Kinds..." button's routine: the dialog over the loaded project, its OK stored into the kinds
// table before the dialog closes.
#include "core/plants/kind_entries.h"
#include "form/chosen_kind.h"
#include "form/context.h"
#include "form/fast_script_offer.h"
#include "form/process_all.h"
#include "form/startup.h"
#include "lib/fields.h"
#include "ui/main/kinds_dialog.h"
#include "ui/main/main_window.h"

namespace tes {

void EditKinds(Context& ctx, QWidget* owner, const DialogRunner& run) {
    std::string objectDir = ctx.session.ObjectDir;
    const std::string tableName = GetFileNameFromPath(ctx.kindsTablePath);
    const auto entries = [&ctx] {
        return KindEntries(ctx.kinds, ctx.form.list(ListId::List1), ctx.kindsTable);
    };
    const std::vector<KindEntry> opened = entries();
    KindsDialog dialog(opened, {tableName, GetFileNameFromPath(JoinedScriptPath(ctx))}, ctx.joinAllScripts,
                       ctx.kindsTable.seed(), ctx.kindsTable.seedFault(),
                       ChosenKindEntry(opened, ctx.form.comboText()).value_or(0), owner);
    dialog.setRefusalShower(
        [&ctx](const std::string& text) { ctx.platform.showMessageOfKind(Refusal(text)); });
    dialog.setMaxFileChooser([&ctx, &objectDir] {
        const std::string chosen = ctx.platform.showFileDialog({.title = "Select Max Object File",
                                                                .initialFolder = objectDir,
                                                                .filter = "MAX File (*.max)|*.max",
                                                                .filterIndex = 1,
                                                                .save = false,
                                                                .initialFileName = {}});
        // The next Browse starts where this one ended.
        if (!chosen.empty())
            objectDir = FolderOfPath(chosen);
        return chosen;
    });
    // The window reads the table again when it changes on disk; the dialog shows it under the user's edits.
    if (auto* window = qobject_cast<MainWindow*>(owner)) {
        QObject::connect(window, &MainWindow::kindsTableFollowed, &dialog, [&ctx, &dialog, entries] {
            dialog.follow(entries(), ctx.kindsTable.seed(), ctx.kindsTable.seedFault());
        });
    }
    bool changed = false;
    std::vector<std::string> neededFastScript;
    dialog.setStore([&] {
        neededFastScript = KindsNeedingFastScript(ctx.kindsTable);
        KindsTable before = ctx.kindsTable;
        changed = ApplyKindEdits(dialog.openedEntries(), dialog.entries(), ctx.kindsTable);
        // A seed typed anew mends one the table could not read, even where it gives the same number.
        if (const std::optional<std::int64_t> seed = dialog.seed();
            seed && (*seed != ctx.kindsTable.seed() || ctx.kindsTable.seedFault())) {
            ctx.kindsTable.setSeed(*seed);
            changed = true;
        }
        // Not written, nothing of it stays: the dialog is still open with what the user typed.
        if (changed && !SaveKindsTable(ctx) && !ctx.kindsTablePath.empty()) {
            ctx.kindsTable = std::move(before);
            changed = false;
            return false;
        }
        return true;
    });
    if (run(dialog) != QDialog::Accepted)
        return;

    if (objectDir != ctx.session.ObjectDir) {
        ctx.session.ObjectDir = objectDir;
        SaveFolderSettings(ctx);
    }
    if (dialog.joinChosen() != ctx.joinAllScripts) {
        ctx.joinAllScripts = dialog.joinChosen();
        SaveJoinAllScripts(ctx, ctx.joinAllScripts);
    }
    if (changed)
        OfferFastScript(ctx, neededFastScript);
    if (const std::optional<Message> unmended = UnmendedKindsNotice(entries(), tableName))
        ctx.platform.showMessageOfKind(*unmended);
}

} // namespace tes
