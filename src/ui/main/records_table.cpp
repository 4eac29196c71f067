#include "ui/main/records_table.h"

#include "lib/line_list.h"
#include "ui/combiner/line_list_model.h"
#include "ui/line_list_view.h"
#include "ui/main/records_delegate.h"

#include <limits>

#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTimerEvent>

namespace tes {

namespace {

constexpr std::size_t kRowsPerBatch = 1'000'000;

} // namespace

RecordsTable::RecordsTable(const LineList& records, QWidget* parent)
    : QTableView(parent), m_lines(records), m_model(new RecordsModel(records, this)) {
    // No rows until the first refresh: the settings below would otherwise touch each of them.
    m_model->reload(0);
    setModel(m_model);
    setItemDelegate(new RecordsDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab moves on to the window's next control, as it does from a list box.
    setTabKeyNavigation(false);
    setWordWrap(false);
    setShowGrid(false);
    setCornerButtonEnabled(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    // In an enlarged window the last column takes the room the others leave.
    horizontalHeader()->setStretchLastSection(true);
    ApplyListBoxLook(*this);
    applyRowHeight();
    resetColumnWidths();
}

void RecordsTable::refresh() {
    if (m_lines.generation() == m_shownGeneration)
        return;
    m_shownGeneration = m_lines.generation();
    showFromTheStart();
}

void RecordsTable::selectAll() {
    m_model->showMoreRows(std::numeric_limits<std::size_t>::max());
    m_batches.stop();
    QTableView::selectAll();
}

int RecordsTable::heightShowing(int rows) const {
    return 2 * frameWidth() + horizontalHeader()->sizeHint().height() +
           rows * verticalHeader()->defaultSectionSize() +
           style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

void RecordsTable::copySelection() const {
    if (selectionModel()->hasSelection())
        QGuiApplication::clipboard()->setText(JoinedLines(m_lines, selectionModel()->selection()));
}

void RecordsTable::keyPressEvent(QKeyEvent* event) {
    // The base class would copy the current cell only.
    if (event == QKeySequence::Copy) {
        copySelection();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void RecordsTable::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        applyRowHeight();
        resetColumnWidths();
        widenColumnsToShownRows();
    }
}

void RecordsTable::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    widenColumnsToShownRows();
}

void RecordsTable::scrollContentsBy(int dx, int dy) {
    QTableView::scrollContentsBy(dx, dy);
    if (dy != 0)
        widenColumnsToShownRows();
}

// Qt keeps a size for each row. Making ten million of them takes most of a tenth of a second, so the
// first rows show at once and the others come in batches between events, as a list box places its
// rows.
void RecordsTable::showFromTheStart() {
    m_model->reload(kRowsPerBatch);
    m_batches.start(0, this);
    resetColumnWidths();
    widenColumnsToShownRows();
}

void RecordsTable::timerEvent(QTimerEvent* event) {
    if (event->timerId() != m_batches.timerId()) {
        QTableView::timerEvent(event);
        return;
    }
    if (!m_model->showMoreRows(kRowsPerBatch))
        m_batches.stop();
}

// Every row is as high as one line of text in the table's font, the height a list box gives its rows.
// When their common height changes Qt resizes the rows one at a time, at a cost that grows with the
// square of their number (18 seconds for 200,000 rows): the rows are taken away meanwhile, losing the
// selection and the scroll position.
void RecordsTable::applyRowHeight() {
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.features |= QStyleOptionViewItem::HasDisplay;
    option.text = QStringLiteral("0");
    const int height = style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this).height();
    QHeaderView* rows = verticalHeader();
    if (height == rows->defaultSectionSize())
        return;
    const bool hadRows = m_model->rowCount() > 0;
    m_model->reload(0);
    rows->setMinimumSectionSize(height);
    rows->setDefaultSectionSize(height);
    if (hadRows)
        showFromTheStart();
}

void RecordsTable::resetColumnWidths() {
    m_longestMeasured.fill(0);
    QHeaderView* columns = horizontalHeader();
    for (int column = 0; column < RecordsModel::ColumnCount; ++column)
        columns->resizeSection(column, columns->sectionSizeHint(column));
}

// Looks at the rows in view only, and measures a column's text only when it is longer than any
// measured before: a few dozen short splits per scroll, never a pass over the list.
void RecordsTable::widenColumnsToShownRows() {
    // The model counts only rows that the list still holds, also when it changed since the last refresh.
    const int rows = m_model->rowCount();
    const int top = rowAt(0);
    if (top < 0 || top >= rows)
        return;
    int bottom = rowAt(viewport()->height() - 1);
    if (bottom < 0 || bottom >= rows)
        bottom = rows - 1;
    QHeaderView* columns = horizontalHeader();
    const int gap = fontMetrics().horizontalAdvance(QLatin1Char(' '));
    for (int column = 0; column < RecordsModel::ColumnCount; ++column) {
        std::size_t& longest = m_longestMeasured[static_cast<std::size_t>(column)];
        int longestRow = -1;
        for (int row = top; row <= bottom; ++row) {
            const std::size_t length = RecordColumn(m_lines[static_cast<std::size_t>(row)], column).size();
            if (length > longest) {
                longest = length;
                longestRow = row;
            }
        }
        if (longestRow < 0)
            continue;
        const int width = sizeHintForIndex(m_model->index(longestRow, column)).width() + gap;
        if (width > columns->sectionSize(column))
            columns->resizeSection(column, width);
    }
}

} // namespace tes
