#include "cli/table_build.h"

#include "core/all_kinds.h"
#include "form/context.h"
#include "form/process_all.h"
#include "lib/fields.h"

#include <set>

namespace tes::cli {

namespace {

// The engine gives a kind that takes the fallback Max file the file's name as its object; a typed
// --object names it instead, so those kinds get rows of their own here.
KindsTable WithTypedObject(KindsTable table, const std::vector<std::string>& kinds,
                           const BuildOptions& options) {
    if (!options.maxFile || !options.objectName)
        return table;
    for (const std::string& entry : kinds) {
        const std::string number = KindNumber(GetElement(KindKey(entry), "_", 1));
        const KindRow* row = table.find(number);
        if (!row || (row->enabled && row->maxFile.empty()))
            table.set({number, *options.maxFile, *options.objectName, true});
    }
    return table;
}

void Report(const KindOutcome& kind, const AllKindsResult& result, bool saved, Platform& platform,
            std::ostream& out) {
    switch (kind.status) {
    case KindOutcome::Status::Built:
        if (saved) {
            out << kind.scriptPath << '\n';
            break;
        }
        for (std::size_t row = 0; row < result.lastScript.size(); ++row)
            out << result.lastScript[row] << '\n';
        break;
    case KindOutcome::Status::Skipped:
        platform.showMessage("Skipped " + kind.kind + " (" + kind.reason + ")");
        break;
    case KindOutcome::Status::Failed:
        platform.showMessage("Failed " + kind.kind + " (" + kind.reason + ")");
        break;
    }
}

} // namespace

bool BuildFromTable(Context& ctx, const KindsTable& table, const BuildOptions& options, Platform& platform,
                    std::ostream& out) {
    const std::vector<std::string> kinds = ctx.form.comboItems();
    const KindsTable rows = WithTypedObject(table, kinds, options);
    AllKindsRequest request = AllKindsRequestFromForm(ctx);
    request.table = &rows;
    request.fallbackMaxFile = options.maxFile;
    request.progress = &platform;

    // One kind at a time: the engine keeps only the last script's lines, and each is printed as it
    // is done. A kind listed twice (5 and 05) is built the first time only.
    std::set<std::string> seen;
    bool failed = false;
    ProgressScope shown(platform, "Building scripts");
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        shown.report(i, kinds.size());
        if (!seen.insert(UpperCase(KindKey(kinds[i]))).second)
            continue;
        request.kinds = {kinds[i]};
        const AllKindsResult result = BuildAllKinds(request);
        for (const KindOutcome& kind : result.kinds)
            Report(kind, result, request.options.saveToFile, platform, out);
        failed = failed || result.anyFailed();
    }
    return !failed;
}

} // namespace tes::cli
