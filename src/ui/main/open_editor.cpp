#include "ui/main/open_editor.h"

#include <QAbstractItemDelegate>
#include <QAbstractItemView>

namespace tes {

bool HasOpenEditor(const QAbstractItemView& view) {
    return view.indexWidget(view.currentIndex()) != nullptr;
}

void CommitOpenEditor(QAbstractItemView& view) {
    const QModelIndex current = view.currentIndex();
    QWidget* editor = view.indexWidget(current);
    if (!editor)
        return;
    QAbstractItemDelegate* delegate = view.itemDelegateForIndex(current);
    emit delegate->commitData(editor);
    emit delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
}

} // namespace tes
