#include "ui/main/kinds_dialog.h"

#include "lib/fields.h"
#include "lib/ini.h"
#include "project/kind_keys.h"
#include "ui/main/fault_marks.h"
#include "ui/main/kind_variation_panel.h"
#include "ui/main/open_editor.h"
#include "ui/to_qt.h"

#include <algorithm>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace tes {

namespace {

// A file name in a caption: an ampersand in it is a character, not an access key.
QString CaptionText(const std::string& text) {
    return ToQString(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

// Rows shown without scrolling when the dialog opens; more scroll.
constexpr int kRowsShown = 8;

} // namespace

KindsDialog::KindsDialog(std::vector<KindEntry> entries, const Files& files, bool join, std::int64_t seed,
                         const std::optional<KeyFault>& seedFault, std::size_t chosen, QWidget* owner)
    : QDialog(owner) {
    setObjectName(QStringLiteral("frmKinds"));
    setWindowTitle(QStringLiteral("Kinds"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setModal(true);
    m_model = new KindsModel(std::move(entries), this);
    m_opened = m_model->entries();
    m_tableName = files.table;
    for (const KindEntry& entry : m_model->entries())
        m_variationTexts.push_back(VariationTextsOf(entry.row));

    auto* layout = new QVBoxLayout(this);
    QString introText = QStringLiteral("The Max file and object of each vegetation kind, kept in %1 beside "
                                       "the project.\nProcess All writes a script for every enabled kind "
                                       "that has a Max file.")
                            .arg(ToQString(files.table));
    const bool faulty =
        seedFault || std::any_of(m_model->entries().begin(), m_model->entries().end(),
                                 [](const KindEntry& entry) { return !entry.row.faults.empty(); });
    if (faulty)
        introText +=
            QStringLiteral("\nValues marked in colour could not be read from %1: mend them, or leave "
                           "them as they are (a kind with one is not built).")
                .arg(ToQString(files.table));
    auto* intro = new QLabel(introText, this);
    intro->setObjectName(QStringLiteral("lblKinds"));
    layout->addWidget(intro);
    m_followed = new QLabel(this);
    m_followed->setObjectName(QStringLiteral("lblKindsFollowed"));
    m_followed->setWordWrap(true);
    m_followed->hide();
    layout->addWidget(m_followed);

    buildTable();
    layout->addWidget(m_table, 1);

    m_browse = new QPushButton(QStringLiteral("&Browse..."), this);
    m_browse->setObjectName(QStringLiteral("btnBrowseKindMaxFile"));
    m_browse->setToolTip(QStringLiteral("Choose the Max file of the selected kind"));
    m_browse->setAutoDefault(false);
    connect(m_browse, &QPushButton::clicked, this, &KindsDialog::browseForCurrentRow);
    m_join = new QCheckBox(QStringLiteral("Also &join them into ") + CaptionText(files.joined), this);
    m_join->setObjectName(QStringLiteral("chkJoinAllScripts"));
    m_join->setToolTip(QStringLiteral("With Save To File checked, Process All also writes the scripts one "
                                      "after another into this file, beside the project"));
    m_join->setChecked(join);
    auto* browseRow = new QHBoxLayout;
    browseRow->addWidget(m_browse);
    browseRow->addSpacing(fontMetrics().averageCharWidth() * 3);
    browseRow->addWidget(m_join);
    browseRow->addStretch(1);
    layout->addLayout(browseRow);

    m_variation = new KindVariationPanel(this);
    layout->addWidget(m_variation);
    // The seed is the project's, beside the buttons rather than with the selected kind.
    QBoxLayout* lastRow = buildSeedRow();
    showSeed(seed, seedFault);
    layout->addLayout(lastRow);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttons"));
    lastRow->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    // The chosen kind's Max file is where typing or F2 starts, and its fields are shown, so that what
    // the user changes goes to the kind they are working on.
    const int rows = m_model->rowCount();
    m_browse->setEnabled(rows > 0);
    if (rows > 0) {
        const int row = chosen < static_cast<std::size_t>(rows) ? static_cast<int>(chosen) : 0;
        m_table->setCurrentIndex(m_model->index(row, KindsModel::MaxFile));
        m_table->scrollTo(m_table->currentIndex()); // a kind far down a long list is in sight
        showVariationOf(row);
    }
    m_table->setFocus();
    // Wide enough for a path, high enough for a tile's kinds; the user may make it larger.
    resize(fontMetrics().averageCharWidth() * 120, sizeHint().height());
    layout->activate();
}

void KindsDialog::buildTable() {
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("tblKinds"));
    m_table->setModel(m_model);
    // The cell the keys act on stands out from the rest of its row.
    m_table->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                             QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    // Tab leaves the table for the buttons; the arrow keys move between its cells.
    m_table->setTabKeyNavigation(false);
    m_table->installEventFilter(this);
    m_table->setAlternatingRowColors(true);
    m_table->setWordWrap(false);
    m_table->verticalHeader()->hide();

    QHeaderView* header = m_table->horizontalHeader();
    header->setHighlightSections(false);
    for (int column = 0; column < KindsModel::ColumnCount; ++column)
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(KindsModel::MaxFile, QHeaderView::Stretch);
    // The object name changes as the user types; it keeps a width of its own, which the user may change.
    header->setSectionResizeMode(KindsModel::ObjectName, QHeaderView::Interactive);
    m_table->resizeColumnToContents(KindsModel::ObjectName);
    header->resizeSection(KindsModel::ObjectName, std::max(header->sectionSize(KindsModel::ObjectName),
                                                           fontMetrics().averageCharWidth() * 18));

    const int rows = std::min(std::max(m_model->rowCount(), 1), kRowsShown);
    m_table->setMinimumHeight(header->sizeHint().height() +
                              m_table->verticalHeader()->defaultSectionSize() * rows +
                              2 * m_table->frameWidth());

    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                m_browse->setEnabled(current.isValid());
                showVariationOf(current.isValid() ? current.row() : -1);
            });
}

QBoxLayout* KindsDialog::buildSeedRow() {
    m_seedField = new QLineEdit(this);
    m_seedField->setObjectName(QStringLiteral("txtSeed"));
    m_seedField->setToolTip(QStringLiteral("A whole number: another seed gives every plant of every kind "
                                           "another turn, scale and variant"));
    // A seed the table could not read is marked while the field holds the text the table gave.
    connect(m_seedField, &QLineEdit::textChanged, this, [this] {
        ShowFaultMark(*m_seedField, m_seedField->text() == m_seedShown ? m_seedWhy : QString());
    });
    m_seedField->setMaximumWidth(fontMetrics().averageCharWidth() * 14);
    auto* seedLabel = new QLabel(QStringLiteral("See&d of the project's variation"), this);
    seedLabel->setBuddy(m_seedField);

    auto* row = new QHBoxLayout;
    row->addWidget(seedLabel);
    row->addWidget(m_seedField);
    row->addStretch(1);
    return row;
}

void KindsDialog::showSeed(std::int64_t seed, const std::optional<KeyFault>& fault) {
    // A seed the user typed stays; one left as shown shows the table's.
    const bool untouched = m_seedField->text() == m_seedShown;
    m_seedShown = fault ? ToQString(fault->text) : QString::number(seed);
    m_seedWhy = fault ? ToQString(FaultSentence(*fault)) : QString();
    if (untouched)
        m_seedField->setText(m_seedShown);
    ShowFaultMark(*m_seedField, m_seedField->text() == m_seedShown ? m_seedWhy : QString());
}

void KindsDialog::follow(std::vector<KindEntry> now, std::int64_t seed,
                         const std::optional<KeyFault>& seedFault) {
    finishEdit();
    if (m_variationRow >= 0)
        m_variationTexts[static_cast<std::size_t>(m_variationRow)] = m_variation->texts();
    const QModelIndex current = m_table->currentIndex();
    const std::string currentKind =
        current.isValid() ? m_model->entries()[static_cast<std::size_t>(current.row())].row.number : "";

    FollowedKinds followed = FollowKindEntries(m_opened, m_model->entries(), now);
    std::vector<VariationTexts> texts;
    bool changed = false;
    for (std::size_t i = 0; i < followed.edited.size(); ++i) {
        const std::size_t from = followed.from[i];
        const VariationTexts nowTexts = VariationTextsOf(followed.edited[i].row);
        if (from == std::string::npos) {
            texts.push_back(nowTexts);
            continue;
        }
        texts.push_back(
            FollowedTexts(VariationTextsOf(m_model->entries()[from].row), m_variationTexts[from], nowTexts));
        std::vector<std::string>& keys = followed.changed[i];
        changed = changed || !keys.empty();
        // A value marked once stays marked while the dialog is open.
        for (const std::string& key :
             from < m_changed.size() ? m_changed[from] : std::vector<std::string>()) {
            if (std::find(keys.begin(), keys.end(), key) == keys.end())
                keys.push_back(key);
        }
    }
    m_opened = std::move(followed.opened);
    m_variationTexts = std::move(texts);
    m_changed = std::move(followed.changed);
    m_variationRow = -1; // the panel's texts are taken; the reset must not store them again
    m_model->follow(std::move(followed.edited), m_changed, m_tableName);

    const auto& entries = m_model->entries();
    const auto kept = std::find_if(entries.begin(), entries.end(),
                                   [&](const KindEntry& entry) { return entry.row.number == currentKind; });
    const int row = kept != entries.end() ? static_cast<int>(kept - entries.begin())
                    : entries.empty()     ? -1
                                          : 0;
    if (row >= 0) {
        m_table->setCurrentIndex(
            m_model->index(row, current.isValid() ? current.column() : KindsModel::MaxFile));
        showVariationOf(row);
    } else {
        m_variation->showNone();
    }
    m_browse->setEnabled(row >= 0);

    const QString seedShown = m_seedShown;
    showSeed(seed, seedFault);
    if (changed || seedShown != m_seedShown) {
        m_followed->setText(
            QStringLiteral("%1 changed while this dialog was open: the kinds whose values "
                           "changed are marked in blue, and what you changed yourself is kept.")
                .arg(ToQString(m_tableName)));
        m_followed->show();
    }
}

void KindsDialog::setMaxFileChooser(std::function<std::string()> choose) {
    m_chooseMaxFile = choose;
    m_variation->setMaxFileChooser(std::move(choose));
}

void KindsDialog::showVariationOf(int row) {
    if (row == m_variationRow)
        return;
    if (m_variationRow >= 0)
        m_variationTexts[static_cast<std::size_t>(m_variationRow)] = m_variation->texts();
    m_variationRow = row;
    if (row < 0) {
        m_variation->showNone();
        return;
    }
    const KindEntry& entry = m_model->entries()[static_cast<std::size_t>(row)];
    m_variation->showKind(ToQString("Vegetation_" + entry.row.number),
                          m_variationTexts[static_cast<std::size_t>(row)]);
}

bool KindsDialog::takeVariation() {
    if (m_variationRow >= 0)
        m_variationTexts[static_cast<std::size_t>(m_variationRow)] = m_variation->texts();
    const auto refuse = [this](const std::string& text) {
        if (m_showRefusal)
            m_showRefusal(text);
        return false;
    };
    // A seed left as shown stays the table's, also one it could not read.
    std::optional<std::int64_t> seed;
    if (m_seedField->text() != m_seedShown) {
        const std::string typed = ToStdString(m_seedField->text());
        const KeyValue<std::int64_t> read = ReadSeed(typed);
        if (!read.read()) {
            refuse("Seed: \"" + std::string(TrimIniBlanks(typed)) + "\" " + read.problem + ".");
            m_seedField->setFocus();
            m_seedField->selectAll();
            return false;
        }
        seed = read.value;
    }
    std::vector<KindRow> rows;
    for (std::size_t i = 0; i < m_variationTexts.size(); ++i) {
        rows.push_back(m_model->entries()[i].row);
        if (const std::optional<VariationRefusal> refusal =
                ApplyVariationTexts(m_variationTexts[i], rows.back())) {
            refuse(refusal->text);
            // The kind's fields are shown, with the focus on the wrong one.
            m_table->setCurrentIndex(m_model->index(static_cast<int>(i), KindsModel::MaxFile));
            m_variation->focusField(refusal->field, refusal->variant);
            return false;
        }
    }
    for (std::size_t i = 0; i < rows.size(); ++i)
        m_model->setVariation(i, rows[i]);
    m_seed = seed;
    return true;
}

bool KindsDialog::joinChosen() const {
    return m_join->isChecked();
}

void KindsDialog::browseForCurrentRow() {
    const QModelIndex current = m_table->currentIndex();
    if (!current.isValid() || !m_chooseMaxFile)
        return;
    // A path being typed into the cell must not overwrite the chosen one when its editor closes.
    finishEdit();
    const std::string chosen = m_chooseMaxFile();
    if (!chosen.empty())
        m_model->setData(m_model->index(current.row(), KindsModel::MaxFile), ToQString(chosen));
    // The focus is on Browse, where the file dialog was asked for, as after any dialog: on the table a
    // key typed next would replace the cell's path, also after a cancelled Browse.
    m_browse->setFocus();
}

bool KindsDialog::editing() const {
    return HasOpenEditor(*m_table);
}

void KindsDialog::finishEdit() {
    CommitOpenEditor(*m_table);
}

bool KindsDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_table && event->type() == QEvent::KeyPress && !editing()) {
        // A check box takes only Space; a path typed or F2 pressed on it, or on a column that is only
        // read, goes to the row's Max file rather than nowhere.
        const auto* key = static_cast<QKeyEvent*>(event);
        const QModelIndex current = m_table->currentIndex();
        const bool typed = !key->text().isEmpty() && key->text().at(0).isPrint() &&
                           key->text() != QStringLiteral(" ") &&
                           !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (current.isValid() && !(m_model->flags(current) & Qt::ItemIsEditable) &&
            (typed || key->key() == Qt::Key_F2))
            m_table->setCurrentIndex(m_model->index(current.row(), KindsModel::MaxFile));
    }
    return QDialog::eventFilter(watched, event);
}

void KindsDialog::keyPressEvent(QKeyEvent* event) {
    // Enter in a cell's editor ends the edit (its delegate keeps the text), not the dialog.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (editing() || m_variation->editing())) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void KindsDialog::done(int result) {
    // OK takes a cell still being edited too, also where a click on OK leaves the focus in it.
    if (result == Accepted) {
        finishEdit();
        if (!takeVariation())
            return;
        // Stored before the dialog closes, so that a store that fails leaves it open with its message.
        if (m_store && !m_store())
            return;
    }
    QDialog::done(result);
}

} // namespace tes
