#pragma once

#include <cstddef>
#include <limits>
#include <string_view>

#include <QAbstractTableModel>

namespace tes {

class LineList;

// The text of one column of a record line: fields 0 to 3 are the texts between commas, and the last
// column is everything after the fourth comma. A column the line does not reach is empty.
std::string_view RecordColumn(std::string_view line, int column);

// Shows the environment records of a LineList as a table with the columns Kind, X, Y, Z and More,
// one row per line. A line is split only when a view asks for one of its cells, so the model holds
// no copy of the list and nothing per row. The owner changes the list in bulk and then calls reload().
class RecordsModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Kind, X, Y, Z, More, ColumnCount };

    RecordsModel(const LineList& lines, QObject* parent);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Tells the views that the whole list may have changed, and shows its first `rows` lines. A view
    // lets millions of rows in a batch at a time (showMoreRows()), so that its first rows show at once;
    // with no rows it can change what all rows share (their height) without touching each of them.
    void reload(std::size_t rows = std::numeric_limits<std::size_t>::max());
    // Shows up to `rows` more lines; false once every line is shown.
    bool showMoreRows(std::size_t rows);
    const LineList& lines() const { return m_lines; }

private:
    // How many of the lines a view can have.
    std::size_t rowsInList() const;

    const LineList& m_lines;
    std::size_t m_shown = std::numeric_limits<std::size_t>::max(); // every line
};

} // namespace tes
