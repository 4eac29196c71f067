#pragma once

#include <QAbstractListModel>

class QItemSelection;

namespace tes {

class LineList;

// The lines of the rows in `selection`, in row order and each once, joined by CR LF: what Copy puts on
// the clipboard. Columns do not matter; a row is its whole line.
QString JoinedLines(const LineList& lines, const QItemSelection& selection);
// Every line of the list, joined by CR LF.
QString JoinedLines(const LineList& lines);

// Shows a LineList (UTF-8 lines) in a list view, one row per line, without copying the lines. The
// owner changes the list in bulk and then calls reload().
class LineListModel final : public QAbstractListModel {
    Q_OBJECT
public:
    LineListModel(const LineList& lines, QObject* parent);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Tells the views that the whole list may have changed.
    void reload();

private:
    const LineList& m_lines;
};

} // namespace tes
