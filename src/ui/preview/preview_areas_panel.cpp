#include "ui/preview/preview_areas_panel.h"

#include "project/area_keys.h"
#include "ui/main/fault_marks.h"
#include "ui/preview/typed_field.h"
#include "ui/to_qt.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>

namespace tes {

namespace {

constexpr int kFieldWidth = 64; // pixels: "12345.5" fits

std::size_t At(AreaField field) {
    return static_cast<std::size_t>(field);
}

} // namespace

PreviewAreasPanel::PreviewAreasPanel(QWidget* parent) : QWidget(parent) {
    m_mode = new QToolButton(this);
    m_mode->setText(QStringLiteral("&Draw area"));
    m_mode->setCheckable(true);
    m_mode->setToolTip(QStringLiteral(
        "Click points for a new area; Enter or a double-click ends it: closed, or a line as wide as Width "
        "when Width holds a number. Drag a point of the chosen area to move it; Delete removes the area"));
    m_selector = new QComboBox(this);
    m_selector->setPlaceholderText(QStringLiteral("New area"));
    m_selector->setToolTip(QStringLiteral("The area whose points and values are edited"));
    m_selector->setMinimumContentsLength(16);
    m_delete = new QPushButton(QStringLiteral("Delete area"), this);
    m_delete->setToolTip(QStringLiteral("Remove the chosen area (Delete in the picture)"));
    m_areaMode = new QComboBox(this);
    m_areaMode->addItems(
        {ToQString(AreaModeText(AreaMode::exclude)), ToQString(AreaModeText(AreaMode::include))});
    m_areaMode->setToolTip(QStringLiteral("exclude: no plant of its kinds inside; include: its kinds' plants "
                                          "only inside the include areas that name them"));
    const auto edit = [this](const QString& tip) {
        auto* field = new QLineEdit(this);
        field->setFixedWidth(kFieldWidth);
        field->setToolTip(tip);
        return field;
    };
    m_kinds = edit(QStringLiteral("The kind numbers it acts on, apart by commas (1,5); empty: every kind"));
    m_width = edit(QStringLiteral("Empty: a closed area; a number: a line (a road, a river) that wide"));
    m_falloff =
        edit(QStringLiteral("The soft edge's breadth, where plants thin out progressively; 0: a hard edge"));

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_mode);
    row->addWidget(m_selector);
    row->addWidget(m_delete);
    const auto labelled = [this, row](const char* text, QWidget* field) {
        auto* label = new QLabel(QString::fromUtf8(text), this);
        label->setBuddy(field);
        row->addWidget(label);
        row->addWidget(field);
    };
    labelled("M&ode", m_areaMode);
    labelled("K&inds", m_kinds);
    labelled("Widt&h", m_width);
    labelled("Fa&lloff", m_falloff);
    row->addStretch(1);

    connect(m_mode, &QToolButton::toggled, this, &PreviewAreasPanel::modeToggled);
    connect(m_selector, &QComboBox::currentIndexChanged, this, &PreviewAreasPanel::selected);
    connect(m_delete, &QPushButton::clicked, this, &PreviewAreasPanel::deleteClicked);
    connect(m_areaMode, &QComboBox::activated, this, [this] { emit fieldsEdited(AreaField::mode); });
    for (const AreaField field : {AreaField::kinds, AreaField::width, AreaField::falloff}) {
        QLineEdit* line = this->field(field);
        connect(line, &QLineEdit::editingFinished, this, [this, field, line] {
            line->setModified(false); // typed no more: the panel shows it as the table writes it
            // Leaving a value as it was shown changes nothing.
            if (line->text() != ToQString(m_shown[At(field)]))
                emit fieldsEdited(field);
        });
    }
    showAreas({}, -1, NewAreaFields());
}

QLineEdit* PreviewAreasPanel::field(AreaField field) const {
    switch (field) {
    case AreaField::kinds:
        return m_kinds;
    case AreaField::width:
        return m_width;
    case AreaField::falloff:
        return m_falloff;
    case AreaField::mode:
        break;
    }
    return nullptr;
}

void PreviewAreasPanel::showAreas(const std::vector<AreaSection>& areas, int selected,
                                  const AreaFieldTexts& fresh) {
    {
        const QSignalBlocker quiet(m_selector);
        m_selector->clear();
        for (const AreaSection& area : areas)
            m_selector->addItem(ToQString(AreaListText(area)));
        m_selector->setCurrentIndex(selected);
    }
    const bool any = selected >= 0 && static_cast<std::size_t>(selected) < areas.size();
    m_selector->setEnabled(!areas.empty());
    m_delete->setEnabled(any);
    m_shown = any ? AreaFieldsOf(areas[static_cast<std::size_t>(selected)]) : fresh;
    const AreaFieldTexts faults =
        any ? AreaFieldFaultsOf(areas[static_cast<std::size_t>(selected)]) : AreaFieldTexts();
    {
        const QSignalBlocker quiet(m_areaMode);
        // A Mode that cannot be read shows exclude, marked, its tip saying what the file holds.
        const int mode = m_areaMode->findText(ToQString(m_shown[At(AreaField::mode)]), Qt::MatchFixedString);
        m_areaMode->setCurrentIndex(std::max(mode, 0));
        ShowFaultMark(*m_areaMode, ToQString(faults[At(AreaField::mode)]));
    }
    for (const AreaField each : {AreaField::kinds, AreaField::width, AreaField::falloff}) {
        ShowUnlessTyped(*field(each), ToQString(m_shown[At(each)]));
        ShowFaultMark(*field(each), ToQString(faults[At(each)]));
    }
}

void PreviewAreasPanel::markField(AreaField which, const QString& why) {
    if (which == AreaField::mode)
        ShowFaultMark(*m_areaMode, why);
    else
        ShowFaultMark(*field(which), why);
}

AreaFieldTexts PreviewAreasPanel::fieldTexts() const {
    AreaFieldTexts texts;
    texts[At(AreaField::mode)] = m_areaMode->currentText().toStdString();
    for (const AreaField each : {AreaField::kinds, AreaField::width, AreaField::falloff})
        texts[At(each)] = field(each)->text().toStdString();
    return texts;
}

} // namespace tes
