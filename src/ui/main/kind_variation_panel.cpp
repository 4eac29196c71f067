#include "ui/main/kind_variation_panel.h"

#include "lib/fields.h"
#include "ui/main/fault_marks.h"
#include "ui/main/open_editor.h"
#include "ui/main/stand_choice.h"
#include "ui/main/variant_object_delegate.h"
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

QString Cell(const QTableWidget* table, int row, int column) {
    const QTableWidgetItem* item = table->item(row, column);
    return item ? item->text() : QString();
}

// A variant cell's mark: the text the table gave and why it could not be read. Kept on the cell, so that
// it moves with its variant when one above it is removed.
constexpr int kMarkTextRole = Qt::UserRole + 1;
constexpr int kMarkWhyRole = Qt::UserRole + 2;

QLabel* Label(std::string_view caption, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(ToQString(caption), parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

KindVariationPanel::KindVariationPanel(QWidget* parent) : QGroupBox(parent) {
    setObjectName(QStringLiteral("grpVariation"));
    auto* layout = new QVBoxLayout(this);

    // The keys' fields line by line, made in the order of the declarations, which is the order Tab takes.
    QHBoxLayout* line = nullptr;
    int lineNumber = 0;
    bool stretches = false; // the line has a widget that takes its room
    const auto endLine = [&] {
        if (line && !stretches)
            line->addStretch(1);
        line = nullptr;
    };
    for (const KindKey& key : KindKeys()) {
        if (!key.list && key.fields.empty())
            continue;
        if (line && key.panelLine != lineNumber)
            endLine();
        if (!line) {
            line = new QHBoxLayout;
            layout->addLayout(line);
            lineNumber = key.panelLine;
            stretches = false;
        } else if (!key.panelJoined) {
            line->addSpacing(fontMetrics().averageCharWidth() * 3);
        }
        if (key.list) {
            addVariants(key, *line);
            stretches = true;
            continue;
        }
        addKeyFields(key, *line);
        stretches = stretches || std::any_of(key.fields.begin(), key.fields.end(), [](const KeyField& field) {
                        return field.shape == FieldShape::Path;
                    });
    }
    endLine();

    for (const TypedField& field : m_fields)
        connect(field.edit, &QLineEdit::textChanged, this, &KindVariationPanel::refreshMarks);
    showNone();
}

void KindVariationPanel::addKeyFields(const KindKey& key, QHBoxLayout& line) {
    for (std::size_t part = 0; part < key.fields.size(); ++part) {
        const KeyField& field = key.fields[part];
        if (field.shape == FieldShape::Choice) {
            m_stand = new StandChoice(this);
            m_stand->setObjectName(ToQString(field.objectName));
            if (!field.tip.empty())
                m_stand->setToolTip(ToQString(field.tip));
            m_standField = {&key, part};
            line.addWidget(Label(field.label, m_stand, this));
            line.addWidget(m_stand);
        } else {
            QLineEdit* edit = addLineEdit(field);
            m_fields.push_back({{&key, part}, edit, std::nullopt});
            line.addWidget(Label(field.label, edit, this));
            line.addWidget(edit, field.shape == FieldShape::Path ? 1 : 0);
            if (field.shape == FieldShape::Path)
                line.addWidget(addBrowseButton(key, field, *edit));
            // An object's name after its Max file: empty, the script takes the file's name, which
            // the empty field shows greyed.
            if (field.shape == FieldShape::Name && part > 0 &&
                key.fields[part - 1].shape == FieldShape::Path) {
                QLineEdit* file = m_fields[m_fields.size() - 2].edit;
                connect(file, &QLineEdit::textChanged, edit, [edit](const QString& path) {
                    edit->setPlaceholderText(ToQString(ObjectOrFileName(ToStdString(path), "")));
                });
            }
        }
        if (!field.unit.empty())
            line.addWidget(new QLabel(ToQString(field.unit), this));
    }
}

QLineEdit* KindVariationPanel::addLineEdit(const KeyField& field) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(ToQString(field.objectName));
    edit->setToolTip(ToQString(field.tip));
    const int charWidth = fontMetrics().averageCharWidth();
    switch (field.shape) {
    case FieldShape::Number:
        // Room for "-360.5" or "1000000", no more.
        edit->setMaximumWidth(charWidth * 10);
        break;
    case FieldShape::Name:
        edit->setMaximumWidth(charWidth * 18);
        break;
    case FieldShape::Path:
    case FieldShape::Choice:
        break;
    }
    return edit;
}

QPushButton* KindVariationPanel::addBrowseButton(const KindKey& key, const KeyField& field, QLineEdit& edit) {
    // Named after its field: txtFarModel's is btnBrowseFarModel. Its access key is not the variants'.
    QString name = ToQString(field.objectName);
    if (name.startsWith(QStringLiteral("txt")))
        name.remove(0, 3);
    auto* browse = new QPushButton(QStringLiteral("Bro&wse..."), this);
    browse->setObjectName(QStringLiteral("btnBrowse") + name);
    browse->setToolTip(QStringLiteral("Choose the %1's Max file").arg(ToQString(key.title)));
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, [this, &edit, browse] { browseForPath(edit, *browse); });
    return browse;
}

void KindVariationPanel::addVariants(const KindKey& key, QHBoxLayout& line) {
    m_variantsKey = &key;
    m_variants = new QTableWidget(0, VariantParts, this);
    m_variants->setObjectName(QStringLiteral("tblVariants"));
    m_variants->setHorizontalHeaderLabels(
        {QStringLiteral("Variant Max File"), QStringLiteral("Object"), QStringLiteral("Weight")});
    m_variants->horizontalHeaderItem(VariantObjectPart)
        ->setToolTip(QStringLiteral("The object in the Max file; empty: the Max file's name"));
    m_variants->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_variants->setSelectionMode(QAbstractItemView::SingleSelection);
    m_variants->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                                QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    m_variants->setTabKeyNavigation(false);
    m_variants->setWordWrap(false);
    m_variants->verticalHeader()->hide();
    m_variants->setItemDelegateForColumn(VariantObjectPart,
                                         new VariantObjectDelegate(VariantFilePart, m_variants));
    QHeaderView* header = m_variants->horizontalHeader();
    header->setSectionResizeMode(VariantFilePart, QHeaderView::Stretch);
    header->setSectionResizeMode(VariantObjectPart, QHeaderView::Interactive);
    header->resizeSection(VariantObjectPart, fontMetrics().averageCharWidth() * 18);
    header->setSectionResizeMode(VariantWeightPart, QHeaderView::ResizeToContents);
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
    line.addWidget(m_variants, 1);
    line.addLayout(buttons);

    connect(m_add, &QPushButton::clicked, this, &KindVariationPanel::addVariant);
    connect(m_browse, &QPushButton::clicked, this, &KindVariationPanel::browseForVariant);
    connect(m_remove, &QPushButton::clicked, this, &KindVariationPanel::removeVariant);
    connect(m_variants, &QTableWidget::currentCellChanged, this, &KindVariationPanel::updateButtons);
    connect(m_variants, &QTableWidget::itemChanged, this, &KindVariationPanel::refreshMarks);
    // A new Max file changes the object an empty Object cell shows.
    connect(m_variants, &QTableWidget::itemChanged, m_variants->viewport(), qOverload<>(&QWidget::update));
}

void KindVariationPanel::showKind(const QString& kindCaption, const VariationTexts& texts) {
    setTitle(QStringLiteral("The plants of %1: how they differ, how many are kept, and far ones")
                 .arg(kindCaption));
    setEnabled(true);
    for (const TypedField& field : m_fields)
        field.edit->setText(ToQString(texts.text(field.field)));
    m_variants->setRowCount(0);
    m_variants->setRowCount(static_cast<int>(texts.variants.size()));
    for (int row = 0; row < m_variants->rowCount(); ++row) {
        const VariationTexts::Variant& variant = texts.variants[static_cast<std::size_t>(row)];
        m_variants->setItem(row, VariantFilePart, new QTableWidgetItem(ToQString(variant.maxFile)));
        m_variants->setItem(row, VariantObjectPart, new QTableWidgetItem(ToQString(variant.objectName)));
        m_variants->setItem(row, VariantWeightPart, new QTableWidgetItem(ToQString(variant.weight)));
    }
    showMarks(texts.marks);
    const auto standMark =
        std::find_if(texts.marks.begin(), texts.marks.end(),
                     [this](const VariationMark& mark) { return mark.field == m_standField; });
    m_stand->showStand(texts.text(m_standField),
                       standMark == texts.marks.end() ? std::nullopt : std::optional(*standMark));
    updateButtons();
}

void KindVariationPanel::showMarks(const std::vector<VariationMark>& marks) {
    for (TypedField& field : m_fields)
        field.mark.reset();
    for (const VariationMark& mark : marks) {
        if (mark.field == m_standField)
            continue; // the stand's choice marks itself
        if (mark.field.key == m_variantsKey) {
            if (QTableWidgetItem* item =
                    m_variants->item(static_cast<int>(mark.variant), static_cast<int>(mark.field.part))) {
                item->setData(kMarkTextRole, ToQString(mark.text));
                item->setData(kMarkWhyRole, ToQString(mark.why));
            }
            continue;
        }
        const auto field = std::find_if(m_fields.begin(), m_fields.end(), [&mark](const TypedField& field) {
            return field.field == mark.field;
        });
        if (field != m_fields.end())
            field->mark = mark;
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
    for (const TypedField& field : m_fields) {
        if (field.mark)
            note(ToQString(field.mark->why), field.edit->text() == ToQString(field.mark->text));
    }
    std::vector<QTableWidgetItem*> items;
    for (int row = 0; row < m_variants->rowCount(); ++row) {
        for (int column = 0; column < static_cast<int>(VariantParts); ++column) {
            QTableWidgetItem* item = m_variants->item(row, column);
            if (item && item->data(kMarkWhyRole).isValid()) {
                items.push_back(item);
                note(item->data(kMarkWhyRole).toString(),
                     item->text() == item->data(kMarkTextRole).toString());
            }
        }
    }
    const auto shown = [&held](const QString& why) { return held.at(why) ? why : QString(); };
    for (const TypedField& field : m_fields)
        ShowFaultMark(*field.edit, field.mark ? shown(ToQString(field.mark->why)) : QString());
    for (QTableWidgetItem* item : items)
        ShowFaultMark(*item, shown(item->data(kMarkWhyRole).toString()));
    m_refreshing = false;
}

void KindVariationPanel::showNone() {
    showKind(QStringLiteral("the selected kind"), VariationTextsOf(KindRow()));
    setEnabled(false);
}

VariationTexts KindVariationPanel::texts() const {
    CommitOpenEditor(*m_variants);
    VariationTexts texts;
    for (const TypedField& field : m_fields) {
        texts.setText(field.field, ToStdString(field.edit->text()));
        if (field.mark)
            texts.marks.push_back(*field.mark);
    }
    texts.setText(m_standField, m_stand->stand());
    if (m_stand->mark())
        texts.marks.push_back(*m_stand->mark());
    for (int row = 0; row < m_variants->rowCount(); ++row) {
        texts.variants.push_back({ToStdString(Cell(m_variants, row, VariantFilePart)),
                                  ToStdString(Cell(m_variants, row, VariantObjectPart)),
                                  ToStdString(Cell(m_variants, row, VariantWeightPart))});
        // A variant's marks move with it when one above it is removed.
        for (std::size_t part = 0; part < VariantParts; ++part) {
            const QTableWidgetItem* item = m_variants->item(row, static_cast<int>(part));
            if (item && item->data(kMarkWhyRole).isValid())
                texts.marks.push_back({{m_variantsKey, part},
                                       static_cast<std::size_t>(row),
                                       ToStdString(item->data(kMarkTextRole).toString()),
                                       ToStdString(item->data(kMarkWhyRole).toString())});
        }
    }
    return texts;
}

void KindVariationPanel::focusField(VariationField field, std::size_t variant) {
    if (field == m_standField) {
        m_stand->setFocus();
        return;
    }
    if (field.key == m_variantsKey) {
        m_variants->setCurrentCell(static_cast<int>(variant), static_cast<int>(field.part));
        m_variants->setFocus();
        return;
    }
    for (const TypedField& typed : m_fields) {
        if (typed.field == field) {
            typed.edit->setFocus();
            typed.edit->selectAll();
        }
    }
}

void KindVariationPanel::addVariant() {
    CommitOpenEditor(*m_variants);
    const int row = m_variants->rowCount();
    m_variants->insertRow(row);
    m_variants->setItem(row, VariantFilePart, new QTableWidgetItem);
    m_variants->setItem(row, VariantObjectPart, new QTableWidgetItem);
    m_variants->setItem(row, VariantWeightPart, new QTableWidgetItem(QStringLiteral("1")));
    m_variants->setCurrentCell(row, VariantFilePart);
    m_variants->setFocus();
    // The new variant's Max file is typed at once, or chosen with Browse.
    m_variants->editItem(m_variants->item(row, VariantFilePart));
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
        m_variants->item(row, VariantFilePart)->setText(ToQString(chosen));
    m_variants->setFocus();
}

void KindVariationPanel::browseForPath(QLineEdit& edit, QPushButton& browse) {
    if (!m_chooseMaxFile)
        return;
    const std::string chosen = m_chooseMaxFile();
    if (!chosen.empty())
        edit.setText(ToQString(chosen));
    browse.setFocus();
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
