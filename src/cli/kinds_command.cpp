#include "cli/area_options.h"
#include "cli/cli_platform.h"
#include "cli/commands.h"
#include "cli/loaded_project.h"
#include "cli/view_options.h"
#include "core/plants/kind_entries.h"
#include "lib/numbers.h"
#include "project/kind_key_table.h"

#include <algorithm>
#include <optional>

namespace tes::cli {

namespace {

// The kind's line: its number, name and records, then each key of its row as the table has it, a value
// that could not be read as the file writes it (the load has named it already).
void PrintEntry(std::ostream& out, const KindEntry& entry) {
    out << entry.row.number << '\t' << entry.name << '\t' << entry.records;
    for (const KindKey& key : KindKeys())
        out << '\t' << PrintedText(key, entry.row);
    out << '\n';
}

// One line a view: a view that cannot be read is shown with why and its lines as the file has them,
// each behind a tab, so that it can be mended.
void PrintViews(const KindsTable& table, std::ostream& out) {
    const std::vector<ViewSection>& sections = table.viewSections();
    for (std::size_t i = 0; i < sections.size(); ++i) {
        const ViewSection& section = sections[i];
        out << "view\t" << i + 1;
        if (const std::optional<PlantView>& view = section.view) {
            out << '\t' << CameraText(*view) << "\tfov " << DecimalText(view->fov) << "\tmargin "
                << DecimalText(view->margin) << "\tkeep radius " << DecimalText(view->keepRadius) << "\tfar "
                << DecimalText(view->far) << '\n';
            continue;
        }
        out << "\tcannot be read";
        for (const KeyFault& fault : section.faults)
            out << '\t' << table.viewFaultText({section.section, fault});
        out << '\n';
        for (const std::string& line : section.lines)
            out << '\t' << line << '\n';
    }
}

// One line an area, as views are printed.
void PrintAreas(const KindsTable& table, std::ostream& out) {
    const std::vector<AreaSection>& sections = table.areaSections();
    for (std::size_t i = 0; i < sections.size(); ++i) {
        const AreaSection& section = sections[i];
        out << "area\t" << i + 1;
        if (section.area) {
            out << '\t' << AreaText(*section.area) << '\n';
            continue;
        }
        out << "\tcannot be read";
        for (const KeyFault& fault : section.faults)
            out << '\t' << table.areaFaultText(section, fault);
        out << '\n';
        for (const std::string& line : section.lines)
            out << '\t' << line << '\n';
    }
}

// The tile's kinds in the list's order with their rows, then the rows of kinds not on the tile, then
// the project's seed, its views and its areas.
void PrintKinds(const LoadedProject& project, const KindsTable& table, std::ostream& out) {
    out << "number\tname\trecords";
    for (const KindKey& key : KindKeys())
        out << '\t' << key.column;
    out << '\n';
    for (const KindEntry& entry : KindEntries(project.load.kinds.kinds, project.load.records, table))
        PrintEntry(out, entry);
    const std::optional<KeyFault>& seedFault = table.seedFault();
    out << "seed\t" << (seedFault ? seedFault->text : std::to_string(table.seed())) << '\n';
    PrintViews(table, out);
    PrintAreas(table, out);
}

// The line of one kind as PrintKinds prints it.
void PrintKind(const LoadedProject& project, const KindsTable& table, const std::string& number,
               std::ostream& out) {
    for (const KindEntry& entry : KindEntries(project.load.kinds.kinds, project.load.records, table)) {
        if (KindNumber(entry.row.number) == KindNumber(number))
            PrintEntry(out, entry);
    }
}

// Writes the table where it is kept.
bool Store(KindsTable& table, const std::string& path, Platform& platform) {
    if (path.empty())
        return false;
    if (std::optional<Message> failure = StoreKindsTable(table, path)) {
        platform.showMessage(failure->text);
        return false;
    }
    return true;
}

// The values given onto the row. Each key given takes its default first, so that a list becomes
// exactly the values given, then reads their texts (checked when the options were read); a key that a
// flag switches off is switched on without it. A key given a value forgets the fault the file's text
// had, so that the row can be built again.
void Apply(const std::vector<GivenValue>& given, KindRow& row) {
    for (const KindKey& key : KindKeys()) {
        const bool named = std::any_of(given.begin(), given.end(),
                                       [&key](const GivenValue& value) { return value.key == &key; });
        if (!named && key.option.form != KeyOptionForm::Disable)
            continue;
        key.take(KindRow(row.number), row);
        for (const GivenValue& value : given) {
            if (value.key == &key && value.text)
                key.read(*value.text, row);
        }
        row.clearFault(key.name);
    }
}

// Changes the row of one kind, or adds it, and writes the table; a table that could not be read is
// left as it is rather than replaced by the one row.
bool SetRow(KindsTable& table, const std::string& path, const KindsOptions& options,
            const std::vector<VegetationKind>& onTile, Platform& platform) {
    const std::string number = KindNumber(*options.set);
    if (std::none_of(onTile.begin(), onTile.end(),
                     [&number](const VegetationKind& kind) { return kind.number == number; }))
        platform.showMessage("Kind " + number +
                             " is not on this tile; its row is written for the tiles "
                             "that have it.");
    const KindRow* known = table.find(*options.set);
    KindRow row = known ? *known : KindRow{*options.set, {}, {}, true};
    Apply(options.given, row);
    table.set(std::move(row));
    return Store(table, path, platform);
}

} // namespace

int RunKinds(const KindsOptions& options, CliPlatform& platform, std::ostream& out) {
    LoadedProject project = LoadWithOptions(options.load, platform, options.kindsFile);
    if (!project.loaded())
        return kExitFailed;
    KindsTable& table = project.kindsTable;
    if (options.seed)
        table.setSeed(*options.seed);
    if (options.views.given()) {
        // Views added beside ones that cannot be read would drop those from the file unseen.
        if (!options.views.replace && !table.viewFaults().empty()) {
            platform.showMessage("The views of " + table.fileName() +
                                 " cannot all be read; mend them, or replace them with --view or --no-view.");
            return kExitFailed;
        }
        table.setViews(options.views.applied(table.views()));
    }
    if (std::optional<std::string> refused = ApplyAreaOptions(options.areas, table)) {
        platform.showMessage(*refused);
        return kExitFailed;
    }
    // A project read only in part is no ground to change its table.
    if (options.set) {
        if (!project.complete ||
            !SetRow(table, project.kindsTablePath, options, project.load.kinds.kinds, platform))
            return kExitFailed;
        PrintKind(project, table, *options.set, out);
        return kExitDone;
    }
    if (options.seed || options.views.given() || options.areas.given())
        return project.complete && Store(table, project.kindsTablePath, platform) ? kExitDone : kExitFailed;
    PrintKinds(project, table, out);
    return project.complete ? kExitDone : kExitFailed;
}

} // namespace tes::cli
