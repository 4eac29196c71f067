#pragma once

#include <QLineEdit>
#include <QString>

namespace tes {

// Shows `text` in the field, unless the user is typing in it: the panels are shown again whenever the
// picture follows the table, which may end while a number is half typed.
inline void ShowUnlessTyped(QLineEdit& field, const QString& text) {
    if (!(field.hasFocus() && field.isModified()))
        field.setText(text);
}

} // namespace tes
