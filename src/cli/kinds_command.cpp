#include "cli/cli_platform.h"
#include "cli/commands.h"
#include "cli/kinds_table_choice.h"
#include "cli/loaded_project.h"
#include "core/kind_entries.h"

#include <algorithm>

namespace tes::cli {

namespace {

void PrintEntry(std::ostream& out, const KindEntry& entry) {
    const KindRow& row = entry.row;
    out << row.number << '\t' << entry.name << '\t' << entry.records << '\t' << row.maxFile << '\t'
        << row.object() << '\t' << (row.enabled ? '1' : '0') << '\n';
}

// The tile's kinds in the list's order with their rows, then the rows of kinds not on the tile.
void PrintKinds(const LoadedProject& project, const KindsTable& table, std::ostream& out) {
    out << "number\tname\trecords\tmax file\tobject\tenabled\n";
    for (const KindEntry& entry : KindEntries(project.load.kinds.kinds, project.load.records, table))
        PrintEntry(out, entry);
}

bool Store(const KindsTableChoice& kinds, Platform& platform);

// Changes the row of one kind, or adds it, and writes the table; a table that could not be read is
// left as it is rather than replaced by the one row.
bool SetRow(KindsTableChoice kinds, const KindsOptions& options, const std::vector<VegetationKind>& onTile,
            Platform& platform) {
    const std::string number = KindNumber(*options.set);
    if (std::none_of(onTile.begin(), onTile.end(),
                     [&number](const VegetationKind& kind) { return kind.number == number; }))
        platform.showMessage("Kind " + number +
                             " is not on this tile; its row is written for the tiles "
                             "that have it.");
    const KindRow* known = kinds.table.find(*options.set);
    KindRow row = known ? *known : KindRow{*options.set, {}, {}, true};
    if (options.maxFile)
        row.maxFile = *options.maxFile;
    if (options.objectName)
        row.objectName = *options.objectName;
    row.enabled = !options.disable;
    if (options.turn)
        row.turn = options.turn;
    if (options.scale)
        row.scale = options.scale;
    if (options.weight)
        row.weight = *options.weight;
    if (options.clearVariants)
        row.variants.clear();
    row.variants.insert(row.variants.end(), options.variants.begin(), options.variants.end());
    kinds.table.set(std::move(row));
    return Store(kinds, platform);
}

// Writes the table where it is kept.
bool Store(const KindsTableChoice& kinds, Platform& platform) {
    if (kinds.path.empty())
        return false;
    if (std::optional<Message> failure = StoreKindsTable(kinds.table, kinds.path)) {
        platform.showMessage(failure->text);
        return false;
    }
    return true;
}

} // namespace

int RunKinds(const KindsOptions& options, CliPlatform& platform, std::ostream& out) {
    const LoadedProject project = LoadWithOptions(options.load, platform);
    if (!project.loaded())
        return kExitFailed;
    KindsTableChoice kinds = ChooseKindsTable(project, options.kindsFile, platform);
    if (options.seed)
        kinds.table.setSeed(*options.seed);
    if (options.set) {
        // A project read only in part is no ground to change its table.
        return project.complete && SetRow(std::move(kinds), options, project.load.kinds.kinds, platform)
                   ? kExitDone
                   : kExitFailed;
    }
    if (options.seed)
        return project.complete && Store(kinds, platform) ? kExitDone : kExitFailed;
    PrintKinds(project, kinds.table, out);
    return project.complete ? kExitDone : kExitFailed;
}

} // namespace tes::cli
