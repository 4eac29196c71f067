#include "ui/main/kind_variation_panel.h"

#include "ui/main/fault_marks.h"
#include "ui/main/open_editor.h"
#include "ui/main/stand_choice.h"
#include "ui/to_qt.h"

#include <algorithm>
#include <map>
#include <vector>

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

int ColumnOf(VariationField field) {
    return field == VariationField::VariantFile     ? FileColumn
           : field == VariationField::VariantObject ? ObjectColumn
                                                    : WeightColumn;
}

// A variant cell's mark: the text the table gave and why it could not be read. Kept on the cell, so that
// it moves with its variant when one above it is removed.
constexpr int kMarkTextRole = Qt::UserRole + 1;
constexpr int kMarkWhyRole = Qt::UserRole + 2;

QLabel* Label(const char* caption, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

KindVariationPanel::KindVariationPanel(QWidget* parent) : QGroupBox(parent) {
    setObjectName(QStringLiteral("grpVariation"));
    auto* layout = new QVBoxLayout(this);

    using F = VariationField;
    // The thinning's fields are made below, after the variants' buttons, so that Tab reaches them last.
    m_fields = {addField("txtTurnFrom", "Each plant turns about the vertical by a random angle from this "
                                        "(degrees, e.g. 0 or -15); empty: no turn of its own"),
                addField("txtTurnTo", "to this (degrees, e.g. 360 or 15)"),
                addField("txtScaleFrom", "Each plant is scaled at random from this percent of the kind's "
                                         "scale (e.g. 80); empty: all alike"),
                addField("txtScaleTo", "to this percent (e.g. 120)"),
                addField("txtKindWeight", "How often the row's own Max file is taken against the variants "
                                          "below: a whole number from 0 to 1000000; 0: never")};
    auto* ranges = new QHBoxLayout;
    ranges->addWidget(Label("&Turn from", field(F::TurnFrom), this));
    ranges->addWidget(field(F::TurnFrom));
    ranges->addWidget(Label("to", field(F::TurnTo), this));
    ranges->addWidget(field(F::TurnTo));
    ranges->addWidget(new QLabel(QStringLiteral("°"), this));
    ranges->addSpacing(fontMetrics().averageCharWidth() * 3);
    ranges->addWidget(Label("&Scale from", field(F::ScaleFrom), this));
    ranges->addWidget(field(F::ScaleFrom));
    ranges->addWidget(Label("to", field(F::ScaleTo), this));
    ranges->addWidget(field(F::ScaleTo));
    ranges->addWidget(new QLabel(QStringLiteral("%"), this));
    ranges->addSpacing(fontMetrics().averageCharWidth() * 3);
    ranges->addWidget(Label("W&eight of its Max file", field(F::Weight), this));
    ranges->addWidget(field(F::Weight));
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

    m_fields[static_cast<std::size_t>(F::Keep)] =
        addField("txtKeep", "The percent of the kind's plants that are kept, from 0 to 100 (e.g. 60); "
                            "each plant's own place decides, so the same plants stay on every run. 100: all");
    m_fields[static_cast<std::size_t>(F::ThinBeyond)] =
        addField("txtThinBeyond", "With a view: beyond this distance from the nearest camera (e.g. 400), "
                                  "keep far applies instead of keep; 0: off");
    m_fields[static_cast<std::size_t>(F::KeepFar)] = addField(
        "txtKeepFar", "The percent of the plants kept beyond that distance, from 0 to 100 (e.g. 30)");
    auto* thinning = new QHBoxLayout;
    thinning->addWidget(Label("&Keep", field(F::Keep), this));
    thinning->addWidget(field(F::Keep));
    thinning->addWidget(new QLabel(QStringLiteral("%"), this));
    thinning->addSpacing(fontMetrics().averageCharWidth() * 3);
    thinning->addWidget(Label("t&hin beyond", field(F::ThinBeyond), this));
    thinning->addWidget(field(F::ThinBeyond));
    thinning->addWidget(Label("keep &far", field(F::KeepFar), this));
    thinning->addWidget(field(F::KeepFar));
    thinning->addWidget(new QLabel(QStringLiteral("%"), this));
    thinning->addStretch(1);
    layout->addLayout(thinning);

    m_fields[static_cast<std::size_t>(F::FarFile)] =
        addField("txtFarModel", "With a view: the lighter Max file the plants far from the cameras take "
                                "instead of their own objects; empty: none");
    field(F::FarFile)->setMaximumWidth(QWIDGETSIZE_MAX);
    m_browseFar = new QPushButton(QStringLiteral("Bro&wse..."), this);
    m_browseFar->setObjectName(QStringLiteral("btnBrowseFarModel"));
    m_browseFar->setToolTip(QStringLiteral("Choose the far model's Max file"));
    m_browseFar->setAutoDefault(false);
    m_fields[static_cast<std::size_t>(F::FarObject)] =
        addField("txtFarObject", "The far model's object in its Max file; empty: the Max file's name");
    field(F::FarObject)->setMaximumWidth(fontMetrics().averageCharWidth() * 18);
    m_fields[static_cast<std::size_t>(F::FarFrom)] =
        addField("txtFarFrom",
                 "Plants farther than this from the nearest camera take the far model (e.g. 400); 0: off");
    m_fields[static_cast<std::size_t>(F::BoxFrom)] =
        addField("txtBoxFrom", "Plants farther than this from the nearest camera are boxes in 3ds Max's "
                               "viewports; they render as before (e.g. 1200); 0: off");
    auto* farModel = new QHBoxLayout;
    farModel->addWidget(Label("Far &model", field(F::FarFile), this));
    farModel->addWidget(field(F::FarFile), 1);
    farModel->addWidget(m_browseFar);
    farModel->addWidget(Label("obje&ct", field(F::FarObject), this));
    farModel->addWidget(field(F::FarObject));
    layout->addLayout(farModel);
    auto* detail = new QHBoxLayout;
    detail->addWidget(Label("far model be&yond", field(F::FarFrom), this));
    detail->addWidget(field(F::FarFrom));
    detail->addSpacing(fontMetrics().averageCharWidth() * 3);
    detail->addWidget(Label("bo&xes beyond", field(F::BoxFrom), this));
    detail->addWidget(field(F::BoxFrom));
    detail->addStretch(1);
    layout->addLayout(detail);

    // Last, so that Tab reaches it after the far plants' fields.
    m_stand = new StandChoice(this);
    auto* stand = new QHBoxLayout;
    stand->addWidget(Label("Stands on the &ground by", m_stand, this));
    stand->addWidget(m_stand);
    stand->addStretch(1);
    layout->addLayout(stand);

    connect(m_add, &QPushButton::clicked, this, &KindVariationPanel::addVariant);
    connect(m_browse, &QPushButton::clicked, this, &KindVariationPanel::browseForVariant);
    connect(m_remove, &QPushButton::clicked, this, &KindVariationPanel::removeVariant);
    connect(m_browseFar, &QPushButton::clicked, this, &KindVariationPanel::browseForFarModel);
    connect(m_variants, &QTableWidget::currentCellChanged, this, &KindVariationPanel::updateButtons);
    connect(m_variants, &QTableWidget::itemChanged, this, &KindVariationPanel::refreshMarks);
    for (QLineEdit* field : m_fields)
        connect(field, &QLineEdit::textChanged, this, &KindVariationPanel::refreshMarks);
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
    setTitle(QStringLiteral("The plants of %1: how they differ, how many are kept, and far ones")
                 .arg(kindCaption));
    setEnabled(true);
    const std::string* shown[] = {&texts.turnFrom, &texts.turnTo,    &texts.scaleFrom,  &texts.scaleTo,
                                  &texts.weight,   &texts.keep,      &texts.thinBeyond, &texts.keepFar,
                                  &texts.farFile,  &texts.farObject, &texts.farFrom,    &texts.boxFrom};
    for (std::size_t i = 0; i < m_fields.size(); ++i)
        m_fields[i]->setText(ToQString(*shown[i]));
    m_variants->setRowCount(0);
    m_variants->setRowCount(static_cast<int>(texts.variants.size()));
    for (int row = 0; row < m_variants->rowCount(); ++row) {
        const VariationTexts::Variant& variant = texts.variants[static_cast<std::size_t>(row)];
        m_variants->setItem(row, FileColumn, new QTableWidgetItem(ToQString(variant.maxFile)));
        m_variants->setItem(row, ObjectColumn, new QTableWidgetItem(ToQString(variant.objectName)));
        m_variants->setItem(row, WeightColumn, new QTableWidgetItem(ToQString(variant.weight)));
    }
    showMarks(texts.marks);
    const auto standMark =
        std::find_if(texts.marks.begin(), texts.marks.end(),
                     [](const VariationMark& mark) { return mark.field == VariationField::Stand; });
    m_stand->showStand(texts.stand,
                       standMark == texts.marks.end() ? std::nullopt : std::optional(*standMark));
    updateButtons();
}

void KindVariationPanel::showMarks(const std::vector<VariationMark>& marks) {
    m_marks = {};
    for (const VariationMark& mark : marks) {
        const auto index = static_cast<std::size_t>(mark.field);
        if (mark.field == VariationField::Stand)
            continue; // the stand's choice marks itself
        if (index < m_fields.size()) {
            m_marks[index] = mark;
        } else if (QTableWidgetItem* item =
                       m_variants->item(static_cast<int>(mark.variant), ColumnOf(mark.field))) {
            item->setData(kMarkTextRole, ToQString(mark.text));
            item->setData(kMarkWhyRole, ToQString(mark.why));
        }
    }
    refreshMarks();
}

void KindVariationPanel::refreshMarks() {
    // Setting a cell's look tells itemChanged again.
    if (m_refreshing)
        return;
    m_refreshing = true;
    // A value spans fields (a range's two ends, a variant's three parts), all marked with the same why.
    // Its marks show while each of them holds the text the table gave; once one is changed, the value
    // is read anew from them all.
    std::map<QString, bool> held;
    const auto note = [&held](const QString& why, bool holds) {
        const auto [it, added] = held.emplace(why, holds);
        it->second = it->second && holds;
    };
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        if (m_marks[i])
            note(ToQString(m_marks[i]->why), m_fields[i]->text() == ToQString(m_marks[i]->text));
    }
    std::vector<QTableWidgetItem*> items;
    for (int row = 0; row < m_variants->rowCount(); ++row) {
        for (int column = 0; column < VariantColumns; ++column) {
            QTableWidgetItem* item = m_variants->item(row, column);
            if (item && item->data(kMarkWhyRole).isValid()) {
                items.push_back(item);
                note(item->data(kMarkWhyRole).toString(),
                     item->text() == item->data(kMarkTextRole).toString());
            }
        }
    }
    const auto shown = [&held](const QString& why) { return held.at(why) ? why : QString(); };
    for (std::size_t i = 0; i < m_fields.size(); ++i)
        ShowFaultMark(*m_fields[i], m_marks[i] ? shown(ToQString(m_marks[i]->why)) : QString());
    for (QTableWidgetItem* item : items)
        ShowFaultMark(*item, shown(item->data(kMarkWhyRole).toString()));
    m_refreshing = false;
}

void KindVariationPanel::showNone() {
    showKind(QStringLiteral("the selected kind"), {});
    setEnabled(false);
}

VariationTexts KindVariationPanel::texts() const {
    CommitOpenEditor(*m_variants);
    VariationTexts texts;
    std::string* typed[] = {&texts.turnFrom, &texts.turnTo,    &texts.scaleFrom,  &texts.scaleTo,
                            &texts.weight,   &texts.keep,      &texts.thinBeyond, &texts.keepFar,
                            &texts.farFile,  &texts.farObject, &texts.farFrom,    &texts.boxFrom};
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        *typed[i] = ToStdString(m_fields[i]->text());
        if (m_marks[i])
            texts.marks.push_back(*m_marks[i]);
    }
    texts.stand = m_stand->stand();
    if (m_stand->mark())
        texts.marks.push_back(*m_stand->mark());
    for (int row = 0; row < m_variants->rowCount(); ++row) {
        texts.variants.push_back({ToStdString(Cell(m_variants, row, FileColumn)),
                                  ToStdString(Cell(m_variants, row, ObjectColumn)),
                                  ToStdString(Cell(m_variants, row, WeightColumn))});
        // A variant's marks move with it when one above it is removed.
        for (const VariationField field :
             {VariationField::VariantFile, VariationField::VariantObject, VariationField::VariantWeight}) {
            const QTableWidgetItem* item = m_variants->item(row, ColumnOf(field));
            if (item && item->data(kMarkWhyRole).isValid())
                texts.marks.push_back({field, static_cast<std::size_t>(row),
                                       ToStdString(item->data(kMarkTextRole).toString()),
                                       ToStdString(item->data(kMarkWhyRole).toString())});
        }
    }
    return texts;
}

void KindVariationPanel::focusField(VariationField field, std::size_t variant) {
    const auto index = static_cast<std::size_t>(field);
    if (field == VariationField::Stand) {
        m_stand->setFocus();
        return;
    }
    if (index < m_fields.size()) {
        m_fields[index]->setFocus();
        m_fields[index]->selectAll();
        return;
    }
    const int column = ColumnOf(field);
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

void KindVariationPanel::browseForFarModel() {
    if (!m_chooseMaxFile)
        return;
    const std::string chosen = m_chooseMaxFile();
    if (!chosen.empty())
        field(VariationField::FarFile)->setText(ToQString(chosen));
    m_browseFar->setFocus();
}

void KindVariationPanel::removeVariant() {
    const int row = m_variants->currentRow();
    if (row < 0)
        return;
    CommitOpenEditor(*m_variants);
    m_variants->removeRow(row);
    refreshMarks();
    updateButtons();
}

void KindVariationPanel::updateButtons() {
    const bool chosen = m_variants->currentRow() >= 0;
    m_browse->setEnabled(chosen);
    m_remove->setEnabled(chosen);
}

} // namespace tes
