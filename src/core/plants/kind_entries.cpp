#include "core/plants/kind_entries.h"

#include "lib/fields.h"
#include "lib/ini.h"
#include "lib/line_list.h"
#include "project/kind_key_table.h"

#include <algorithm>
#include <iterator>

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

namespace {

std::vector<KeyFault> FaultsOf(const KindRow& row, const KindKey& key) {
    std::vector<KeyFault> faults;
    std::copy_if(row.faults.begin(), row.faults.end(), std::back_inserter(faults),
                 [&key](const KeyFault& fault) { return key.names(fault.key); });
    return faults;
}

bool SameKey(const KindKey& key, const KindRow& a, const KindRow& b) {
    return key.same(a, b) && FaultsOf(a, key) == FaultsOf(b, key);
}

bool SameKind(const KindEntry& a, const KindEntry& b) {
    return KindNumber(a.row.number) == KindNumber(b.row.number);
}

// The entry with `now` under it: the keys the user changed kept, the others as `now` gives them.
KindEntry FollowedEntry(const KindEntry& opened, const KindEntry& edited, const KindEntry& now) {
    KindEntry followed = now;
    const KindRow openedRow = opened.tableRow();
    followed.row = ApplyChangedKeys(openedRow, edited.tableRow(), now.tableRow());
    // An object name the table left as it was stays as the user sees it, following the file or not.
    if (followed.row.objectName == openedRow.objectName) {
        followed.row.objectName = edited.row.objectName;
        followed.useFileName = edited.useFileName;
    } else {
        followed.useFileName = followed.row.objectName.empty();
    }
    return followed;
}

} // namespace

std::vector<std::string> ChangedKeys(const KindRow& before, const KindRow& after) {
    std::vector<std::string> changed;
    for (const KindKey& key : KindKeys()) {
        if (!SameKey(key, before, after))
            changed.emplace_back(key.name);
    }
    return changed;
}

KindRow ApplyChangedKeys(const KindRow& opened, const KindRow& edited, KindRow onto) {
    for (const KindKey& key : KindKeys()) {
        if (SameKey(key, opened, edited))
            continue;
        key.take(edited, onto);
        std::erase_if(onto.faults, [&key](const KeyFault& fault) { return key.names(fault.key); });
        // The variants' faults keep the order of their places, as the file writes them.
        const std::vector<KeyFault> faults = FaultsOf(edited, key);
        onto.faults.insert(onto.faults.end(), faults.begin(), faults.end());
    }
    return onto;
}

bool ApplyKindEdits(const std::vector<KindEntry>& opened, const std::vector<KindEntry>& edited,
                    KindsTable& table) {
    bool changed = false;
    for (std::size_t i = 0; i < edited.size() && i < opened.size(); ++i) {
        const KindRow openedRow = opened[i].tableRow();
        const KindRow editedRow = edited[i].tableRow();
        if (ChangedKeys(openedRow, editedRow).empty())
            continue;
        const KindRow* known = table.find(editedRow.number);
        KindRow row =
            ApplyChangedKeys(openedRow, editedRow, known ? *known : KindRow{editedRow.number, {}, {}, true});
        if (!known || !(row == *known)) {
            table.set(std::move(row));
            changed = true;
        }
    }
    return changed;
}

FollowedKinds FollowKindEntries(const std::vector<KindEntry>& opened, const std::vector<KindEntry>& edited,
                                const std::vector<KindEntry>& now) {
    FollowedKinds followed;
    std::vector<bool> taken(opened.size(), false);
    const auto add = [&followed](KindEntry opened, KindEntry edited, std::size_t from,
                                 std::vector<std::string> changed) {
        followed.opened.push_back(std::move(opened));
        followed.edited.push_back(std::move(edited));
        followed.from.push_back(from);
        followed.changed.push_back(std::move(changed));
    };
    for (const KindEntry& entry : now) {
        const auto before = std::find_if(opened.begin(), opened.end(),
                                         [&entry](const KindEntry& was) { return SameKind(was, entry); });
        const auto at = static_cast<std::size_t>(before - opened.begin());
        if (before == opened.end() || at >= edited.size()) {
            add(entry, entry, std::string::npos, {});
            continue;
        }
        taken[at] = true;
        add(entry, FollowedEntry(*before, edited[at], entry), at,
            ChangedKeys(before->tableRow(), entry.tableRow()));
    }
    // A kind the table no longer has: the user's changes of it are still to be saved.
    for (std::size_t at = 0; at < opened.size() && at < edited.size(); ++at) {
        if (!taken[at] && !ChangedKeys(opened[at].tableRow(), edited[at].tableRow()).empty())
            add(opened[at], edited[at], at, {});
    }
    return followed;
}

std::string FaultSentence(const KeyFault& fault) {
    return fault.key + "=" + fault.text + " " + fault.problem;
}

std::optional<Message> UnmendedKindsNotice(const std::vector<KindEntry>& entries,
                                           const std::string& fileName) {
    std::string text;
    for (const KindEntry& entry : entries) {
        if (entry.row.faults.empty())
            continue;
        std::string faults;
        for (const KeyFault& fault : entry.row.faults)
            faults += (faults.empty() ? "" : "; ") + FaultSentence(fault);
        const bool one = entry.row.faults.size() == 1;
        text += std::string(text.empty() ? "" : "\n") + "Vegetation_" + entry.row.number + " keeps " +
                (one ? "a value" : "values") + " of " + fileName + " that cannot be read (" + faults +
                "): the kind is not built until " + (one ? "it is" : "they are") + " mended.";
    }
    if (text.empty())
        return std::nullopt;
    return Notice(std::move(text));
}

} // namespace tes
