#include "ui/combiner/line_list_model.h"

#include "lib/line_list.h"
#include "ui/to_qt.h"

#include <algorithm>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include <QItemSelection>

namespace tes {

namespace {

using RowSpan = std::pair<std::size_t, std::size_t>; // first and last row

// The rows of the spans, joined by CR LF; the text is built once in UTF-8 and converted once.
QString JoinRows(const LineList& lines, const std::vector<RowSpan>& spans) {
    constexpr std::string_view kLineBreak = "\r\n";
    std::size_t bytes = 0;
    for (const auto& [first, last] : spans)
        bytes += lines.ends()[last] - (first == 0 ? 0 : lines.ends()[first - 1]) +
                 (last - first + 1) * kLineBreak.size();
    std::string text;
    text.reserve(bytes);
    for (const auto& [first, last] : spans) {
        for (std::size_t row = first; row <= last; ++row) {
            text += lines[row];
            text += kLineBreak;
        }
    }
    text.resize(text.size() - std::min(text.size(), kLineBreak.size())); // joined: none after the last
    return ToQString(text);
}

} // namespace

QString JoinedLines(const LineList& lines, const QItemSelection& selection) {
    std::vector<RowSpan> spans;
    for (const QItemSelectionRange& range : selection) {
        if (range.isValid() && range.top() >= 0 && static_cast<std::size_t>(range.bottom()) < lines.size())
            spans.emplace_back(static_cast<std::size_t>(range.top()),
                               static_cast<std::size_t>(range.bottom()));
    }
    // Ranges come in the order they were selected and may overlap: sort and merge them.
    std::sort(spans.begin(), spans.end());
    std::vector<RowSpan> merged;
    for (const RowSpan& span : spans) {
        if (!merged.empty() && span.first <= merged.back().second + 1)
            merged.back().second = std::max(merged.back().second, span.second);
        else
            merged.push_back(span);
    }
    return JoinRows(lines, merged);
}

QString JoinedLines(const LineList& lines) {
    if (lines.empty())
        return {};
    return JoinRows(lines, {{0, lines.size() - 1}});
}

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
