#include "ui/main/kind_variation_panel.h"

#include "ui/main/open_editor.h"
#include "ui/to_qt.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tes {

namespace {

enum VariantColumn { FileColumn, ObjectColumn, WeightColumn, VariantColumns };

QString Cell(const QTableWidget* table, int row, int column) {
    const QTableWidgetItem* item = table->item(row, column);
    return item ? item->text() : QString();
}

QLabel* Label(const char* caption, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

KindVariationPanel::KindVariationPanel(QWidget* parent) : QGroupBox(parent) {
    setObjectName(QStringLiteral("grpVariation"));
    auto* layout = new QVBoxLayout(this);

    m_turnFrom = addField("txtTurnFrom", "Each plant turns about the vertical by a random angle from this "
                                         "(degrees, e.g. 0 or -15); empty: no turn of its own");
    m_turnTo = addField("txtTurnTo", "to this (degrees, e.g. 360 or 15)");
    m_scaleFrom = addField("txtScaleFrom", "Each plant is scaled at random from this percent of the kind's "
                                           "scale (e.g. 80); empty: all alike");
    m_scaleTo = addField("txtScaleTo", "to this percent (e.g. 120)");
    m_weight = addField("txtKindWeight", "How often the row's own Max file is taken against the variants "
                                         "below: a whole number of 1 or more");
    auto* ranges = new QHBoxLayout;
    ranges->addWidget(Label("&Turn from", m_turnFrom, this));
    ranges->addWidget(m_turnFrom);
    ranges->addWidget(Label("to", m_turnTo, this));
    ranges->addWidget(m_turnTo);
    ranges->addWidget(new QLabel(QStringLiteral("°"), this));
    ranges->addSpacing(fontMetrics().averageCharWidth() * 3);
    ranges->addWidget(Label("&Scale from", m_scaleFrom, this));
    ranges->addWidget(m_scaleFrom);
    ranges->addWidget(Label("to", m_scaleTo, this));
    ranges->addWidget(m_scaleTo);
    ranges->addWidget(new QLabel(QStringLiteral("%"), this));
    ranges->addSpacing(fontMetrics().averageCharWidth() * 3);
    ranges->addWidget(Label("W&eight of its Max file", m_weight, this));
    ranges->addWidget(m_weight);
    ranges->addStretch(1);
    layout->addLayout(ranges);

    m_variants = new QTableWidget(0, VariantColumns, this);
    m_variants->setObjectName(QStringLiteral("tblVariants"));
    m_variants->setHorizontalHeaderLabels(
        {QStringLiteral("Variant Max File"), QStringLiteral("Object"), QStringLiteral("Weight")});
    m_variants->horizontalHeaderItem(ObjectColumn)
        ->setToolTip(QStringLiteral("The object in the Max file; empty: the Max file's name"));
    m_variants->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_variants->setSelectionMode(QAbstractItemView::SingleSelection);
    m_variants->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                                QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    m_variants->setTabKeyNavigation(false);
    m_variants->setWordWrap(false);
    m_variants->verticalHeader()->hide();
    QHeaderView* header = m_variants->horizontalHeader();
    header->setSectionResizeMode(FileColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(ObjectColumn, QHeaderView::Interactive);
    header->resizeSection(ObjectColumn, fontMetrics().averageCharWidth() * 18);
    header->setSectionResizeMode(WeightColumn, QHeaderView::ResizeToContents);
    // Three variants without scrolling; the kinds' table above takes the room the dialog gains.
    const int rowHeight = m_variants->verticalHeader()->defaultSectionSize();
    const int height = header->sizeHint().height() + 2 * m_variants->frameWidth();
    m_variants->setMinimumHeight(height + rowHeight * 3);
    m_variants->setMaximumHeight(height + rowHeight * 4);

    m_add = new QPushButton(QStringLiteral("&Add Variant"), this);
    m_add->setObjectName(QStringLiteral("btnAddVariant"));
    m_add->setToolTip(QStringLiteral("Another Max file and object the kind's plants may take"));
    m_browse = new QPushButton(QStringLiteral("Br&owse..."), this);
    m_browse->setObjectName(QStringLiteral("btnBrowseVariant"));
    m_browse->setToolTip(QStringLiteral("Choose the Max file of the selected variant"));
    m_remove = new QPushButton(QStringLiteral("&Remove Variant"), this);
    m_remove->setObjectName(QStringLiteral("btnRemoveVariant"));
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {m_add, m_browse, m_remove}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    auto* list = new QHBoxLayout;
    list->addWidget(m_variants, 1);
    list->addLayout(buttons);
    layout->addLayout(list);

    connect(m_add, &QPushButton::clicked, this, &KindVariationPanel::addVariant);
    connect(m_browse, &QPushButton::clicked, this, &KindVariationPanel::browseForVariant);
    connect(m_remove, &QPushButton::clicked, this, &KindVariationPanel::removeVariant);
    connect(m_variants, &QTableWidget::currentCellChanged, this, &KindVariationPanel::updateButtons);
    showNone();
}

QLineEdit* KindVariationPanel::addField(const char* name, const char* toolTip) {
    auto* field = new QLineEdit(this);
    field->setObjectName(QString::fromUtf8(name));
    field->setToolTip(QString::fromUtf8(toolTip));
    // Room for "-360.5" or "1000000", no more.
    field->setMaximumWidth(fontMetrics().averageCharWidth() * 10);
    return field;
}

void KindVariationPanel::showKind(const QString& kindCaption, const VariationTexts& texts) {
    setTitle(QStringLiteral("How the plants of %1 differ").arg(kindCaption));
    setEnabled(true);
    m_turnFrom->setText(ToQString(texts.turnFrom));
    m_turnTo->setText(ToQString(texts.turnTo));
    m_scaleFrom->setText(ToQString(texts.scaleFrom));
    m_scaleTo->setText(ToQString(texts.scaleTo));
    m_weight->setText(ToQString(texts.weight));
    m_variants->setRowCount(0);
    m_variants->setRowCount(static_cast<int>(texts.variants.size()));
    for (int row = 0; row < m_variants->rowCount(); ++row) {
        const VariationTexts::Variant& variant = texts.variants[static_cast<std::size_t>(row)];
        m_variants->setItem(row, FileColumn, new QTableWidgetItem(ToQString(variant.maxFile)));
        m_variants->setItem(row, ObjectColumn, new QTableWidgetItem(ToQString(variant.objectName)));
        m_variants->setItem(row, WeightColumn, new QTableWidgetItem(ToQString(variant.weight)));
    }
    updateButtons();
}

void KindVariationPanel::showNone() {
    showKind(QStringLiteral("the selected kind"), {});
    setEnabled(false);
}

VariationTexts KindVariationPanel::texts() const {
    CommitOpenEditor(*m_variants);
    VariationTexts texts;
    texts.turnFrom = ToStdString(m_turnFrom->text());
    texts.turnTo = ToStdString(m_turnTo->text());
    texts.scaleFrom = ToStdString(m_scaleFrom->text());
    texts.scaleTo = ToStdString(m_scaleTo->text());
    texts.weight = ToStdString(m_weight->text());
    for (int row = 0; row < m_variants->rowCount(); ++row)
        texts.variants.push_back({ToStdString(Cell(m_variants, row, FileColumn)),
                                  ToStdString(Cell(m_variants, row, ObjectColumn)),
                                  ToStdString(Cell(m_variants, row, WeightColumn))});
    return texts;
}

void KindVariationPanel::focusField(VariationField field, std::size_t variant) {
    QLineEdit* edits[] = {m_turnFrom, m_turnTo, m_scaleFrom, m_scaleTo, m_weight};
    const auto index = static_cast<std::size_t>(field);
    if (index < std::size(edits)) {
        edits[index]->setFocus();
        edits[index]->selectAll();
        return;
    }
    const int column = field == VariationField::VariantFile     ? FileColumn
                       : field == VariationField::VariantObject ? ObjectColumn
                                                                : WeightColumn;
    m_variants->setCurrentCell(static_cast<int>(variant), column);
    m_variants->setFocus();
}

void KindVariationPanel::addVariant() {
    CommitOpenEditor(*m_variants);
    const int row = m_variants->rowCount();
    m_variants->insertRow(row);
    m_variants->setItem(row, FileColumn, new QTableWidgetItem);
    m_variants->setItem(row, ObjectColumn, new QTableWidgetItem);
    m_variants->setItem(row, WeightColumn, new QTableWidgetItem(QStringLiteral("1")));
    m_variants->setCurrentCell(row, FileColumn);
    m_variants->setFocus();
    // The new variant's Max file is typed at once, or chosen with Browse.
    m_variants->editItem(m_variants->item(row, FileColumn));
    updateButtons();
}

bool KindVariationPanel::editing() const {
    return HasOpenEditor(*m_variants);
}

void KindVariationPanel::browseForVariant() {
    const int row = m_variants->currentRow();
    if (row < 0 || !m_chooseMaxFile)
        return;
    CommitOpenEditor(*m_variants);
    const std::string chosen = m_chooseMaxFile();
    if (!chosen.empty())
        m_variants->item(row, FileColumn)->setText(ToQString(chosen));
    m_variants->setFocus();
}

void KindVariationPanel::removeVariant() {
    const int row = m_variants->currentRow();
    if (row < 0)
        return;
    CommitOpenEditor(*m_variants);
    m_variants->removeRow(row);
    updateButtons();
}

void KindVariationPanel::updateButtons() {
    const bool chosen = m_variants->currentRow() >= 0;
    m_browse->setEnabled(chosen);
    m_remove->setEnabled(chosen);
}

} // namespace tes
