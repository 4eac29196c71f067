#include "cli/cli_platform.h"
#include "cli/commands.h"
#include "cli/kinds_table_choice.h"
#include "cli/project_session.h"
#include "core/all_kinds.h"
#include "core/kind_entries.h"
#include "form/context.h"
#include "form/process_all.h"
#include "lib/fields.h"

#include <algorithm>

namespace tes::cli {

namespace {

constexpr std::string_view kNameSeparator = ":  "; // between an entry's key and the kind's name

void PrintRow(std::ostream& out, std::string_view number, std::string_view name, std::size_t records,
              const KindRow* row) {
    out << number << '\t' << name << '\t' << records << '\t' << (row ? row->maxFile : "") << '\t'
        << (row ? row->object() : "") << '\t' << (!row || row->enabled ? '1' : '0') << '\n';
}

// The tile's kinds in the list's order with their rows, then the rows of kinds not on the tile.
void PrintKinds(const Context& ctx, const KindsTable& table, std::ostream& out) {
    out << "number\tname\trecords\tmax file\tobject\tenabled\n";
    const auto counts = CountRecordsByKind(ctx.form.list(ListId::List1));
    std::vector<std::string> onTile;
    for (const std::string& entry : ctx.form.comboItems()) {
        const std::string key = KindKey(entry);
        const std::string number(GetElement(key, "_", 1));
        const std::string_view name =
            std::string_view(entry).substr(std::min(entry.size(), key.size() + kNameSeparator.size()));
        const auto count = counts.find(number);
        PrintRow(out, number, name, count == counts.end() ? 0 : count->second, table.find(number));
        onTile.push_back(KindNumber(number));
    }
    for (const KindRow& row : table.rows()) {
        if (std::find(onTile.begin(), onTile.end(), row.number) == onTile.end())
            PrintRow(out, row.number, "", 0, &row);
    }
}

// Changes the row of one kind, or adds it, and writes the table; a table that could not be read is
// left as it is rather than replaced by the one row.
bool SetRow(Context& ctx, KindsTableChoice kinds, const KindsOptions& options) {
    const KindRow* known = kinds.table.find(*options.set);
    KindRow row = known ? *known : KindRow{*options.set, {}, {}, true};
    if (options.maxFile)
        row.maxFile = *options.maxFile;
    if (options.objectName)
        row.objectName = *options.objectName;
    row.enabled = !options.disable;
    kinds.table.set(std::move(row));
    ctx.kindsTable = std::move(kinds.table);
    ctx.kindsTablePath = kinds.path;
    return SaveKindsTable(ctx);
}

} // namespace

int RunKinds(const KindsOptions& options, CliPlatform& platform, std::ostream& out) {
    std::unique_ptr<Context> ctx = StartProgram(platform);
    const bool loaded = LoadProjectWithOptions(*ctx, options.load);
    if (!ctx->form.processEnabled())
        return kExitFailed;
    KindsTableChoice kinds = ChooseKindsTable(*ctx, options.kindsFile, platform);
    if (options.set) {
        // A project read only in part is no ground to change its table.
        return loaded && SetRow(*ctx, std::move(kinds), options) ? kExitDone : kExitFailed;
    }
    PrintKinds(*ctx, kinds.table, out);
    return loaded ? kExitDone : kExitFailed;
}

} // namespace tes::cli
