#pragma once

#include <QAbstractListModel>

namespace tes {

class LineList;

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
