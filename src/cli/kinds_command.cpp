#include "cli/cli_platform.h"
#include "cli/commands.h"
#include "cli/loaded_project.h"
#include "cli/view_options.h"
#include "core/plants/kind_entries.h"
#include "lib/numbers.h"

#include <algorithm>
#include <optional>
#include <tuple>

namespace tes::cli {

namespace {

// A value as the row has it, or the file's own text when it could not be read (the load has named
// it already).
std::string Shown(const KindRow& row, std::string_view key, std::string value) {
    for (const KeyFault& fault : row.faults) {
        if (fault.key == key)
            return fault.text;
    }
    return value;
}

// The row's variants in the file's order, "; " between them, those that could not be read as written.
std::string VariantsShown(const KindRow& row) {
    std::vector<const KeyFault*> faults;
    for (const KeyFault& fault : row.faults) {
        if (fault.key.starts_with("Variant"))
            faults.push_back(&fault);
    }
    std::stable_sort(faults.begin(), faults.end(),
                     [](const KeyFault* a, const KeyFault* b) { return a->variant < b->variant; });
    std::string text;
    auto fault = faults.begin();
    std::size_t next = 0;
    for (std::size_t place = 0; next < row.variants.size() || fault != faults.end(); ++place) {
        const bool faulty =
            fault != faults.end() && ((*fault)->variant <= place || next == row.variants.size());
        text += (place == 0 ? "" : "; ") + (faulty ? (*fault++)->text : VariantText(row.variants[next++]));
    }
    return text;
}

void PrintEntry(std::ostream& out, const KindEntry& entry, const KindsTable& table) {
    const KindRow* kept = table.find(entry.row.number);
    const KindRow& row = kept ? *kept : entry.row;
    out << entry.row.number << '\t' << entry.name << '\t' << entry.records << '\t' << entry.row.maxFile
        << '\t' << entry.row.object() << '\t' << Shown(row, "Enabled", row.enabled ? "1" : "0") << '\t'
        << Shown(row, "Turn", row.turn ? tes::RangeText(*row.turn) : "") << '\t'
        << Shown(row, "Scale", row.scale ? tes::RangeText(*row.scale) : "") << '\t'
        << Shown(row, "Weight", std::to_string(row.weight)) << '\t' << VariantsShown(row) << '\t'
        << Shown(row, "Keep", DecimalText(row.thinning.keep)) << '\t'
        << Shown(row, "ThinBeyond", DecimalText(row.thinning.thinBeyond)) << '\t'
        << Shown(row, "KeepFar", DecimalText(row.thinning.keepFar)) << '\t'
        << Shown(row, "FarModel", FarModelText(row.detail)) << '\t'
        << Shown(row, "FarFrom", DecimalText(row.detail.farFrom)) << '\t'
        << Shown(row, "BoxFrom", DecimalText(row.detail.boxFrom)) << '\t'
        << Shown(row, "Stand", StandText(row.stand)) << '\n';
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

// The tile's kinds in the list's order with their rows, then the rows of kinds not on the tile, then
// the project's seed and its views.
void PrintKinds(const LoadedProject& project, const KindsTable& table, std::ostream& out) {
    out << "number\tname\trecords\tmax file\tobject\tenabled\tturn\tscale\tweight\tvariants\tkeep\t"
           "thin beyond\tkeep far\tfar model\tfar from\tbox from\tstand\n";
    for (const KindEntry& entry : KindEntries(project.load.kinds.kinds, project.load.records, table))
        PrintEntry(out, entry, table);
    const std::optional<KeyFault>& seedFault = table.seedFault();
    out << "seed\t" << (seedFault ? seedFault->text : std::to_string(table.seed())) << '\n';
    PrintViews(table, out);
}

// The line of one kind as PrintKinds prints it.
void PrintKind(const LoadedProject& project, const KindsTable& table, const std::string& number,
               std::ostream& out) {
    for (const KindEntry& entry : KindEntries(project.load.kinds.kinds, project.load.records, table)) {
        if (KindNumber(entry.row.number) == KindNumber(number))
            PrintEntry(out, entry, table);
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

// Changes the row of one kind, or adds it, and writes the table; a table that could not be read is
// left as it is rather than replaced by the one row. A key given a value forgets the fault the file's
// text had, so that the row can be built again.
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
    if (options.maxFile)
        row.maxFile = *options.maxFile;
    if (options.objectName)
        row.objectName = *options.objectName;
    row.enabled = !options.disable;
    row.clearFault("Enabled");
    if (options.stand) {
        row.stand = *options.stand;
        row.clearFault("Stand");
    }
    if (options.turn) {
        row.turn = *options.turn;
        row.clearFault("Turn");
    }
    if (options.scale) {
        row.scale = *options.scale;
        row.clearFault("Scale");
    }
    if (options.weight) {
        row.weight = *options.weight;
        row.clearFault("Weight");
    }
    // Each number of the thinning and the level of detail given: its value, and the key it mends.
    const struct {
        const std::optional<double>& given;
        double& value;
        const char* key;
    } numbers[] = {{options.keep, row.thinning.keep, "Keep"},
                   {options.thinBeyond, row.thinning.thinBeyond, "ThinBeyond"},
                   {options.keepFar, row.thinning.keepFar, "KeepFar"},
                   {options.farFrom, row.detail.farFrom, "FarFrom"},
                   {options.boxFrom, row.detail.boxFrom, "BoxFrom"}};
    for (const auto& number : numbers) {
        if (number.given) {
            number.value = *number.given;
            row.clearFault(number.key);
        }
    }
    if (options.farModel) {
        std::tie(row.detail.farFile, row.detail.farObject) = *options.farModel;
        row.clearFault("FarModel");
    }
    if (options.clearVariants || !options.variants.empty()) {
        row.variants = options.variants;
        row.clearFault("Variant");
    }
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
    // A project read only in part is no ground to change its table.
    if (options.set) {
        if (!project.complete ||
            !SetRow(table, project.kindsTablePath, options, project.load.kinds.kinds, platform))
            return kExitFailed;
        PrintKind(project, table, *options.set, out);
        return kExitDone;
    }
    if (options.seed || options.views.given())
        return project.complete && Store(table, project.kindsTablePath, platform) ? kExitDone : kExitFailed;
    PrintKinds(project, table, out);
    return project.complete ? kExitDone : kExitFailed;
}

} // namespace tes::cli
