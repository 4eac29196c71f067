#include "core/plants/kind_entries.h"

#include "lib/fields.h"
#include "lib/line_list.h"

#include <algorithm>

namespace tes {

std::map<std::string, std::uint64_t, std::less<>> CountRecordsByKind(const LineList& records) {
    std::map<std::string, std::uint64_t, std::less<>> counts;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::string_view line = records[i];
        const std::string_view kind = line.substr(0, line.find(','));
        const auto it = counts.find(kind);
        if (it != counts.end())
            ++it->second;
        else
            counts.emplace(std::string(kind), 1);
    }
    return counts;
}

std::string KindEntry::objectShown() const {
    return useFileName ? GetBaseFileName(row.maxFile) : row.objectName;
}

KindRow KindEntry::tableRow() const {
    KindRow kept = row;
    kept.objectName = useFileName ? std::string() : row.objectName;
    return kept;
}

std::vector<KindEntry> KindEntries(const std::vector<VegetationKind>& kinds, const LineList& records,
                                   const KindsTable& table) {
    const auto counts = CountRecordsByKind(records);
    std::vector<KindEntry> entries;
    for (const VegetationKind& kind : kinds) {
        KindEntry entry;
        entry.name = kind.name;
        entry.onTile = true;
        const auto count = counts.find(kind.number);
        entry.records = count == counts.end() ? 0 : count->second;
        const KindRow* known = table.find(kind.number);
        entry.row = known ? *known : KindRow{kind.number, {}, {}, true};
        entry.useFileName = entry.row.objectName.empty();
        entries.push_back(std::move(entry));
    }
    const auto onTile = [&kinds](const std::string& number) {
        return std::any_of(kinds.begin(), kinds.end(),
                           [&](const VegetationKind& kind) { return kind.number == number; });
    };
    for (const KindRow& row : table.rows()) {
        if (!onTile(row.number))
            entries.push_back({{}, 0, false, row, row.objectName.empty()});
    }
    return entries;
}

bool StoreKindEntries(const std::vector<KindEntry>& entries, KindsTable& table) {
    bool changed = false;
    for (const KindEntry& entry : entries) {
        KindRow row = entry.tableRow();
        const KindRow* known = table.find(row.number);
        // A kind nobody gave anything keeps out of the file.
        const bool differs = known ? !(*known == row)
                                   : !row.maxFile.empty() || !row.objectName.empty() || !row.enabled ||
                                         row.varies() || row.weight != 1 ||
                                         !(row.thinning == PlantThinning{}) ||
                                         !(row.detail == PlantDetail{}) || row.stand != PlantStand::Auto;
        if (differs) {
            table.set(std::move(row));
            changed = true;
        }
    }
    return changed;
}

} // namespace tes
