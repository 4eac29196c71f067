#include "ui/main/kinds_dialog.h"

#include "form/context.h"
#include "form/fast_script_offer.h"
#include "form/process_all.h"
#include "form/startup.h"
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
                         const std::optional<KeyFault>& seedFault, QWidget* owner)
    : QDialog(owner) {
    setObjectName(QStringLiteral("frmKinds"));
    setWindowTitle(QStringLiteral("Kinds"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setModal(true);
    m_model = new KindsModel(std::move(entries), this);
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
    QBoxLayout* lastRow = buildSeedRow(seed, seedFault);
    layout->addLayout(lastRow);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttons"));
    lastRow->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    // The first kind's Max file is where typing or F2 starts.
    m_browse->setEnabled(m_model->rowCount() > 0);
    if (m_model->rowCount() > 0) {
        m_table->setCurrentIndex(m_model->index(0, KindsModel::MaxFile));
        showVariationOf(0);
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

QBoxLayout* KindsDialog::buildSeedRow(std::int64_t seed, const std::optional<KeyFault>& fault) {
    m_seedShown = fault ? ToQString(fault->text) : QString::number(seed);
    m_seedField = new QLineEdit(m_seedShown, this);
    m_seedField->setObjectName(QStringLiteral("txtSeed"));
    m_seedField->setToolTip(QStringLiteral("A whole number: another seed gives every plant of every kind "
                                           "another turn, scale and variant"));
    if (fault) {
        // Marked while it holds the text the table gave.
        const QString why = ToQString(FaultSentence(*fault));
        const auto mark = [this, why] {
            ShowFaultMark(*m_seedField, m_seedField->text() == m_seedShown ? why : QString());
        };
        connect(m_seedField, &QLineEdit::textChanged, this, mark);
        mark();
    }
    m_seedField->setMaximumWidth(fontMetrics().averageCharWidth() * 14);
    auto* seedLabel = new QLabel(QStringLiteral("See&d of the project's variation"), this);
    seedLabel->setBuddy(m_seedField);

    auto* row = new QHBoxLayout;
    row->addWidget(seedLabel);
    row->addWidget(m_seedField);
    row->addStretch(1);
    return row;
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
    m_table->setFocus();
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
    }
    QDialog::done(result);
}

void EditKinds(Context& ctx, QWidget* owner, const DialogRunner& run) {
    std::string objectDir = ctx.session.ObjectDir;
    KindsDialog dialog(KindEntries(ctx.kinds, ctx.form.list(ListId::List1), ctx.kindsTable),
                       {GetFileNameFromPath(ctx.kindsTablePath), GetFileNameFromPath(JoinedScriptPath(ctx))},
                       ctx.joinAllScripts, ctx.kindsTable.seed(), ctx.kindsTable.seedFault(), owner);
    dialog.setRefusalShower(
        [&ctx](const std::string& text) { ctx.platform.showMessageOfKind(Refusal(text)); });
    dialog.setMaxFileChooser([&ctx, &objectDir] {
        const std::string chosen = ctx.platform.showFileDialog({.title = "Select Max Object File",
                                                                .initialFolder = objectDir,
                                                                .filter = "MAX File (*.max)|*.max",
                                                                .filterIndex = 1,
                                                                .save = false,
                                                                .initialFileName = {}});
        // The next Browse starts where this one ended.
        if (!chosen.empty())
            objectDir = FolderOfPath(chosen);
        return chosen;
    });
    if (run(dialog) != QDialog::Accepted)
        return;

    if (objectDir != ctx.session.ObjectDir) {
        ctx.session.ObjectDir = objectDir;
        SaveFolderSettings(ctx);
    }
    if (dialog.joinChosen() != ctx.joinAllScripts) {
        ctx.joinAllScripts = dialog.joinChosen();
        SaveJoinAllScripts(ctx, ctx.joinAllScripts);
    }
    const std::vector<std::string> neededFastScript = KindsNeedingFastScript(ctx.kindsTable);
    bool changed = StoreKindEntries(dialog.entries(), ctx.kindsTable);
    // A seed typed anew mends one the table could not read, even where it gives the same number.
    if (const std::optional<std::int64_t> seed = dialog.seed();
        seed && (*seed != ctx.kindsTable.seed() || ctx.kindsTable.seedFault())) {
        ctx.kindsTable.setSeed(*seed);
        changed = true;
    }
    if (changed) {
        SaveKindsTable(ctx);
        OfferFastScript(ctx, neededFastScript);
    }
}

} // namespace tes
