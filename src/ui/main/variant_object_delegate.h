#pragma once

#include <QStyledItemDelegate>

namespace tes {

// The variants' Object column: an empty cell shows, greyed, the object the script takes instead (the
// Max file's name), as a line edit shows its placeholder; the cell's text stays empty.
class VariantObjectDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    VariantObjectDelegate(int fileColumn, QObject* parent)
        : QStyledItemDelegate(parent), m_fileColumn(fileColumn) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    QString fileObject(const QModelIndex& index) const;

    int m_fileColumn;
};

} // namespace tes
