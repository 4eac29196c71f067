#pragma once

#include <QObject>

class QAbstractButton;

namespace tes {

// Makes a button's access key (Alt+P) move the focus to the button before the button clicks, as a
// mouse click does, so the focus-loss check of the field being left runs before the command.
void TakeFocusOnAccessKey(QAbstractButton* button);

} // namespace tes
