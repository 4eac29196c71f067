#pragma once

#include <QStyledItemDelegate>

namespace tes {

// Paints one cell of the records' table: the style's panel (background, selection, focus) and the text
// on one line, in the cell's alignment. Qt's own painting lays each text out twice (once to size it,
// once to draw it) with line breaking and eliding, which a table of short numbers pays for in every
// cell; this draws it once.
class RecordsDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

} // namespace tes
