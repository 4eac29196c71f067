#include "ui/main/fault_marks.h"

#include <QLineEdit>
#include <QPalette>
#include <QTableWidgetItem>

namespace tes {

namespace {

// The field's own tooltip, kept on the field while a mark's stands in its place.
constexpr const char* kPlainToolTip = "tesPlainToolTip";

QString FaultToolTip(const QString& why) {
    return why +
           QStringLiteral(".\nMend it here, or leave it as it is and its line in the kinds table stays.");
}

} // namespace

QColor FaultBackground() {
    return QColor(255, 214, 140);
}

QColor FaultForeground() {
    return QColor(Qt::black);
}

void ShowFaultMark(QLineEdit& field, const QString& why) {
    if (!field.property(kPlainToolTip).isValid())
        field.setProperty(kPlainToolTip, field.toolTip());
    QPalette palette; // unmarked: the palette the field inherits
    if (!why.isEmpty()) {
        palette = field.palette();
        palette.setColor(QPalette::Base, FaultBackground());
        palette.setColor(QPalette::Text, FaultForeground());
    }
    field.setPalette(palette);
    field.setToolTip(why.isEmpty() ? field.property(kPlainToolTip).toString() : FaultToolTip(why));
}

void ShowFaultMark(QTableWidgetItem& item, const QString& why) {
    const bool marked = !why.isEmpty();
    // Set only when it changes, as each change tells the table's itemChanged.
    if (item.data(Qt::BackgroundRole).isValid() == marked)
        return;
    item.setData(Qt::BackgroundRole, marked ? QVariant(FaultBackground()) : QVariant());
    item.setData(Qt::ForegroundRole, marked ? QVariant(FaultForeground()) : QVariant());
    item.setData(Qt::ToolTipRole, marked ? QVariant(FaultToolTip(why)) : QVariant());
}

} // namespace tes
