#pragma once

#include "project/kinds_table.h"

#include <cstdint>
#include <string>
#include <vector>

#include <QAbstractTableModel>

namespace tes {

class LineList;

// One kind as the Kinds dialog edits it: what the tile says about it, and its row of the kinds table.
struct KindEntry {
    std::string name;          // from the kind's entry in the combo box; empty when not on the tile
    std::uint64_t records = 0; // records of the tile that the kind's script places
    bool onTile = false;
    // The Max file, the typed object name (kept while the name does not follow the file) and Enabled.
    KindRow row;
    // The object name is the Max file's name without folder and extension.
    bool useFileName = true;

    std::string objectShown() const;
    // The row as the table keeps it: a name that follows the file is stored empty.
    KindRow tableRow() const;
};

// The entries for the dialog: the tile's kinds in the combo box's order (a kind offered twice, 5 and
// 05, once), each with its records counted, then the kinds of the table that are not on the tile.
std::vector<KindEntry> KindEntries(const std::vector<std::string>& comboItems, const LineList& records,
                                   const KindsTable& table);

// Stores the entries into the table: rows that changed, and new rows that say anything beyond the
// defaults. Returns whether the table changed.
bool StoreKindEntries(const std::vector<KindEntry>& entries, KindsTable& table);

// The kinds as a table to edit in place: the Max file and the object name as text, "use file name" and
// Enabled as check boxes. The object name follows the Max file while its row's box is checked; typing
// another name unchecks it.
class KindsModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Number, Name, Records, MaxFile, ObjectName, UseFileName, Enabled, ColumnCount };

    explicit KindsModel(std::vector<KindEntry> entries, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    const std::vector<KindEntry>& entries() const { return m_entries; }

private:
    QVariant text(const KindEntry& entry, int column) const;
    // Tells the views that the cells from `first` to `last` of the row changed.
    void rowChanged(int row, Column first, Column last);

    std::vector<KindEntry> m_entries;
};

} // namespace tes
