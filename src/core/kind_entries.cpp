#include "core/kind_entries.h"

#include "core/all_kinds.h"
#include "lib/fields.h"
#include "lib/line_list.h"

#include <algorithm>

namespace tes {

namespace {

// The name of an entry "Vegetation_5:  Pine": what follows the colon and its blanks.
std::string NameOfEntry(std::string_view entry) {
    const std::size_t colon = entry.find(':');
    if (colon == std::string_view::npos)
        return {};
    const std::string_view rest = entry.substr(colon + 1);
    return std::string(rest.substr(std::min(rest.size(), rest.find_first_not_of(' '))));
}

bool SameRow(const KindRow& a, const KindRow& b) {
    return a.maxFile == b.maxFile && a.objectName == b.objectName && a.enabled == b.enabled;
}

} // namespace

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

std::vector<KindEntry> KindEntries(const std::vector<std::string>& comboItems, const LineList& records,
                                   const KindsTable& table) {
    const auto counts = CountRecordsByKind(records);
    std::vector<KindEntry> entries;
    const auto listed = [&entries](const std::string& number) {
        return std::any_of(entries.begin(), entries.end(),
                           [&](const KindEntry& entry) { return entry.row.number == number; });
    };
    for (const std::string& item : comboItems) {
        const std::string key = KindKey(item);
        const std::string_view written = GetElement(key, "_", 1);
        const std::string number = KindNumber(written);
        if (number.empty() || listed(number))
            continue;
        KindEntry entry;
        entry.name = NameOfEntry(item);
        entry.onTile = true;
        const auto count = counts.find(written);
        entry.records = count == counts.end() ? 0 : count->second;
        const KindRow* known = table.find(number);
        entry.row = known ? *known : KindRow{number, {}, {}, true};
        entry.useFileName = entry.row.objectName.empty();
        entries.push_back(std::move(entry));
    }
    for (const KindRow& row : table.rows()) {
        if (!listed(row.number))
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
        const bool differs =
            known ? !SameRow(*known, row) : !row.maxFile.empty() || !row.objectName.empty() || !row.enabled;
        if (differs) {
            table.set(std::move(row));
            changed = true;
        }
    }
    return changed;
}

} // namespace tes
