#include "ui/main/records_model.h"

#include "lib/line_list.h"
#include "ui/to_qt.h"

#include <algorithm>
#include <array>
#include <limits>

namespace tes {

std::string_view RecordColumn(std::string_view line, int column) {
    std::size_t start = 0;
    for (int field = 0; field < column; ++field) {
        const std::size_t comma = line.find(',', start);
        if (comma == std::string_view::npos)
            return {};
        start = comma + 1;
    }
    if (column == RecordsModel::More)
        return line.substr(start);
    return line.substr(start, line.find(',', start) - start);
}

RecordsModel::RecordsModel(const LineList& lines, QObject* parent)
    : QAbstractTableModel(parent), m_lines(lines) {}

int RecordsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(std::min(m_shown, rowsInList()));
}

std::size_t RecordsModel::rowsInList() const {
    // Views count rows in int; a list beyond that shows its first rows only.
    return std::min<std::size_t>(m_lines.size(), std::numeric_limits<int>::max());
}

int RecordsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

namespace {

// Numbers stand right-aligned, so that decimals of equal length line up; the rest of a line reads from
// the left.
int ColumnAlignment(int column) {
    return static_cast<int>((column == RecordsModel::More ? Qt::AlignLeft : Qt::AlignRight) |
                            Qt::AlignVCenter);
}

} // namespace

QVariant RecordsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role == Qt::TextAlignmentRole)
        return ColumnAlignment(index.column());
    if (role != Qt::DisplayRole)
        return {};
    QString text = ToQString(RecordColumn(m_lines[static_cast<std::size_t>(index.row())], index.column()));
    // A lone line feed belongs to the line; show it as a blank so the row stays one line high.
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

QVariant RecordsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const std::array<QString, ColumnCount> kNames = {QStringLiteral("Kind"), QStringLiteral("X"),
                                                            QStringLiteral("Y"), QStringLiteral("Z"),
                                                            QStringLiteral("More")};
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return kNames[static_cast<std::size_t>(section)];
    if (role == Qt::TextAlignmentRole)
        return ColumnAlignment(section);
    return {};
}

void RecordsModel::reload(std::size_t rows) {
    beginResetModel();
    m_shown = rows;
    endResetModel();
}

bool RecordsModel::showMoreRows(std::size_t rows) {
    const auto shown = static_cast<std::size_t>(rowCount());
    const std::size_t all = rowsInList();
    if (shown < all && rows > 0) {
        const std::size_t last = shown + std::min(rows, all - shown) - 1;
        beginInsertRows(QModelIndex(), static_cast<int>(shown), static_cast<int>(last));
        m_shown = last + 1;
        endInsertRows();
    }
    return m_shown < all;
}

} // namespace tes
