#include "ui/combiner/line_list_model.h"

#include "lib/line_list.h"
#include "ui/to_qt.h"

#include <algorithm>
#include <limits>

namespace tes {

LineListModel::LineListModel(const LineList& lines, QObject* parent)
    : QAbstractListModel(parent), m_lines(lines) {}

int LineListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    // Views count rows in int; a list beyond that shows its first rows only.
    return static_cast<int>(std::min<std::size_t>(m_lines.size(), std::numeric_limits<int>::max()));
}

QVariant LineListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() ||
        static_cast<std::size_t>(index.row()) >= m_lines.size())
        return {};
    QString text = ToQString(m_lines[static_cast<std::size_t>(index.row())]);
    // A lone line feed belongs to the line; show it as a blank so the row stays one line high.
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

void LineListModel::reload() {
    beginResetModel();
    endResetModel();
}

} // namespace tes
