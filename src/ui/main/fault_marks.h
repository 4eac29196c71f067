#pragma once

#include <QColor>
#include <QString>

class QComboBox;
class QLineEdit;
class QTableWidgetItem;

namespace tes {

// The look of a value the kinds table holds but could not read: a warm background the eye finds, with
// dark text whatever the palette.
QColor FaultBackground();
QColor FaultForeground();

// Shows a field or a cell as holding a value the table could not read, its tooltip saying why (the
// key's line and what is wrong with it) and that leaving it keeps the user's line; an empty `why` shows
// it plain again, with its own tooltip.
void ShowFaultMark(QLineEdit& field, const QString& why);
void ShowFaultMark(QComboBox& choice, const QString& why);
void ShowFaultMark(QTableWidgetItem& item, const QString& why);

} // namespace tes
