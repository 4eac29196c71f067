#include "ui/preview/preview_views_panel.h"

#include "ui/main/fault_marks.h"
#include "ui/preview/typed_field.h"
#include "ui/to_qt.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace tes {

namespace {

constexpr int kFieldWidth = 72; // pixels: "-12345.67" fits

struct FieldLabel {
    ViewField field;
    const char* label;
    const char* tip;
};

// Two rows of four, the camera's and the target's numbers first.
constexpr FieldLabel kLabels[] = {
    {ViewField::cameraX, "&Camera X", "The camera's X in the scene, as $Camera01.pos.x shows it in 3ds Max"},
    {ViewField::cameraY, "Camera Y", "The camera's Y in the scene"},
    {ViewField::fov, "Field of vie&w \u00B0", "The horizontal field of view in degrees, 1 to 179.9"},
    {ViewField::keepRadius, "&Keep radius", "Every plant this near the camera is kept (0: none)"},
    {ViewField::targetX, "&Target X", "The X of the point the camera looks at"},
    {ViewField::targetY, "Target Y", "The Y of the point the camera looks at"},
    {ViewField::margin, "&Margin %", "The percent the field is widened by, so edges and shadows stay"},
    {ViewField::far, "Fa&r", "No plant beyond this distance from the camera is kept (0: no limit)"},
};

} // namespace

PreviewViewsPanel::PreviewViewsPanel(QWidget* parent) : QWidget(parent) {
    m_mode = new QToolButton(this);
    m_mode->setText(QStringLiteral("Set &view"));
    m_mode->setCheckable(true);
    m_mode->setToolTip(
        QStringLiteral("Click in the picture to place the chosen view's camera (a new view "
                       "when there is none), drag to aim it; outside this mode dragging pans"));
    m_selector = new QComboBox(this);
    m_selector->setPlaceholderText(QStringLiteral("No view"));
    m_selector->setToolTip(QStringLiteral("The view that a click and the numbers set"));
    m_add = new QPushButton(QStringLiteral("&Add"), this);
    m_add->setToolTip(QStringLiteral("Add a view looking at the tile's middle, then click to place it"));
    m_remove = new QPushButton(QStringLiteral("R&emove"), this);
    m_remove->setToolTip(QStringLiteral("Remove the chosen view"));
    m_undo = new QPushButton(QStringLiteral("&Undo"), this);

    m_top = new QHBoxLayout;
    m_top->addWidget(m_mode);
    m_top->addWidget(m_selector);
    m_top->addWidget(m_add);
    m_top->addWidget(m_remove);
    m_top->addWidget(m_undo);
    m_top->addStretch(1);

    m_numbers = new QWidget(this);
    auto* grid = new QGridLayout(m_numbers);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(2);
    for (std::size_t i = 0; i < kFields; ++i) {
        const FieldLabel& entry = kLabels[i];
        auto* edit = new QLineEdit(m_numbers);
        edit->setFixedWidth(kFieldWidth);
        edit->setToolTip(QString::fromUtf8(entry.tip));
        auto* label = new QLabel(QString::fromUtf8(entry.label), m_numbers);
        label->setBuddy(edit);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        const int row = static_cast<int>(i / 4);
        const int column = static_cast<int>(i % 4) * 2;
        grid->addWidget(label, row, column);
        grid->addWidget(edit, row, column + 1);
        const ViewField field = entry.field;
        m_fields[static_cast<std::size_t>(field)] = edit;
        connect(edit, &QLineEdit::editingFinished, this, [this, field, edit] {
            const std::size_t index = static_cast<std::size_t>(field);
            edit->setModified(false); // typed no more: the panel shows it as the table writes it
            // Leaving a field that shows the view as it is changes nothing.
            if (edit->text() != m_shown[index] || m_marked[index])
                emit fieldEdited(field, edit->text());
        });
    }
    grid->setColumnStretch(8, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addLayout(m_top);
    layout->addWidget(m_numbers);

    connect(m_mode, &QToolButton::toggled, this, &PreviewViewsPanel::modeToggled);
    connect(m_selector, &QComboBox::currentIndexChanged, this, &PreviewViewsPanel::selected);
    connect(m_add, &QPushButton::clicked, this, &PreviewViewsPanel::addClicked);
    connect(m_remove, &QPushButton::clicked, this, &PreviewViewsPanel::removeClicked);
    connect(m_undo, &QPushButton::clicked, this, &PreviewViewsPanel::undoClicked);
    showViews({}, -1);
    showUndo(QString());
}

void PreviewViewsPanel::showViews(const std::vector<ViewSection>& views, int selected) {
    {
        const QSignalBlocker quiet(m_selector);
        m_selector->clear();
        for (const ViewSection& view : views) {
            // A view that cannot be read is listed as written, so it can be chosen and mended.
            m_selector->addItem(view.view ? ToQString(view.section)
                                          : ToQString(view.section) + QStringLiteral(" (cannot be read)"));
        }
        m_selector->setCurrentIndex(selected);
    }
    const bool any = selected >= 0 && static_cast<std::size_t>(selected) < views.size();
    m_selector->setEnabled(!views.empty());
    m_remove->setEnabled(any);
    // Greyed rather than hidden without a view, so the picture does not move when the first is placed.
    m_numbers->setEnabled(any);
    const ViewSection none;
    const ViewSection& view = any ? views[static_cast<std::size_t>(selected)] : none;
    const ViewFieldTexts texts = any ? ViewFieldsOf(view) : ViewFieldTexts();
    const ViewFieldTexts faults = ViewFieldFaultsOf(view);
    for (std::size_t i = 0; i < kFields; ++i) {
        m_shown[i] = ToQString(texts[i]);
        m_marked[i] = !faults[i].empty();
        ShowFaultMark(*m_fields[i], ToQString(faults[i]));
        ShowUnlessTyped(*m_fields[i], m_shown[i]);
    }
}

void PreviewViewsPanel::showUndo(const QString& what) {
    m_undo->setEnabled(!what.isEmpty());
    m_undo->setToolTip(what.isEmpty() ? QStringLiteral("Undo the last change of the views or areas (Ctrl+Z)")
                                      : QStringLiteral("Undo: %1 (Ctrl+Z)").arg(what));
}

ViewFieldTexts PreviewViewsPanel::fieldTexts() const {
    ViewFieldTexts texts;
    for (std::size_t i = 0; i < kFields; ++i)
        texts[i] = m_fields[i]->text().toStdString();
    return texts;
}

void PreviewViewsPanel::markField(ViewField field, const QString& why) {
    m_marked[static_cast<std::size_t>(field)] = !why.isEmpty();
    ShowFaultMark(*this->field(field), why);
}

} // namespace tes
