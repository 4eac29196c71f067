#include "ui/main/variant_object_delegate.h"

#include "lib/fields.h"
#include "ui/to_qt.h"

#include <QLineEdit>

namespace tes {

QString VariantObjectDelegate::fileObject(const QModelIndex& index) const {
    const QString file = index.siblingAtColumn(m_fileColumn).data().toString();
    return ToQString(ObjectOrFileName(ToStdString(file), ""));
}

QWidget* VariantObjectDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                             const QModelIndex& index) const {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor))
        line->setPlaceholderText(fileObject(index));
    return editor;
}

void VariantObjectDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    if (!option->text.isEmpty())
        return;
    option->text = fileObject(index);
    option->palette.setColor(QPalette::Text, option->palette.color(QPalette::PlaceholderText));
}

} // namespace tes
