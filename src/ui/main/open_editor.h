#pragma once

class QAbstractItemView;

namespace tes {

// Whether the view's current cell has its editor open.
bool HasOpenEditor(const QAbstractItemView& view);

// Takes the text of the current cell's open editor into the model and closes the editor, as the
// delegate itself does when the editor loses the focus. Does nothing when no editor is open.
void CommitOpenEditor(QAbstractItemView& view);

} // namespace tes
