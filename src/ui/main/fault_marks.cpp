#include "ui/main/fault_marks.h"

#include <QComboBox>
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

// Marks a widget through the palette's roles of its face and of its text.
void MarkWidget(QWidget& widget, const QString& why, QPalette::ColorRole face, QPalette::ColorRole text) {
    if (!widget.property(kPlainToolTip).isValid())
        widget.setProperty(kPlainToolTip, widget.toolTip());
    QPalette palette; // unmarked: the palette the widget inherits
    if (!why.isEmpty()) {
        palette = widget.palette();
        palette.setColor(face, FaultBackground());
        palette.setColor(text, FaultForeground());
    }
    widget.setPalette(palette);
    widget.setToolTip(why.isEmpty() ? widget.property(kPlainToolTip).toString() : FaultToolTip(why));
}

} // namespace

QColor FaultBackground() {
    return QColor(255, 214, 140);
}

QColor FaultForeground() {
    return QColor(Qt::black);
}

void ShowFaultMark(QLineEdit& field, const QString& why) {
    MarkWidget(field, why, QPalette::Base, QPalette::Text);
}

void ShowFaultMark(QComboBox& choice, const QString& why) {
    // A choice that cannot be typed into is drawn as a button.
    MarkWidget(choice, why, QPalette::Button, QPalette::ButtonText);
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
