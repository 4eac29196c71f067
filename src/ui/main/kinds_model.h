#pragma once

#include "core/plants/kind_entries.h"

#include <string>
#include <vector>

#include <QAbstractTableModel>

namespace tes {

// The kinds as a table to edit in place: the Max file and the object name as text, "use file name" and
// Enabled as check boxes. The object name follows the Max file while its row's box is checked; typing
// another name unchecks it. A kind whose row holds values the table could not read has its number
// marked; a faulty Enabled is marked in its box, and clicking the box mends it.
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
    // Sets how a row's plants differ, are thinned and stand, which the table does not show, and the row's
    // faults left.
    void setVariation(std::size_t row, const KindRow& variation);

    // Shows the entries as the kinds table, read again while the dialog is open, leaves them, with
    // `changed` the keys it changed of each (they stay marked until the dialog closes); `table` names
    // the file in the marks' tooltips.
    void follow(std::vector<KindEntry> entries, std::vector<std::vector<std::string>> changed,
                const std::string& table);

private:
    QVariant text(const KindEntry& entry, int column) const;
    // Why a cell is marked: a value the table could not read, or one that changed under the dialog.
    QVariant markToolTip(int row, int column) const;
    // Tells the views that the cells from `first` to `last` of the row changed.
    void rowChanged(int row, Column first, Column last);

    std::vector<KindEntry> m_entries;
    std::vector<std::vector<std::string>> m_changed; // by row, the keys changed under the dialog
    std::string m_tableName;
};

} // namespace tes
