#pragma once

#include "ui/main/records_model.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>

#include <QBasicTimer>
#include <QTableView>

namespace tes {

class LineList;

// The environment records as a read-only table with the columns Kind, X, Y, Z and More (the rest of a
// line), split at the commas when a row is painted. All rows have one height and nothing exists per
// row; beyond the first million the rows come in batches between events, as a list box places its
// rows, so ten million records show and scroll as quickly as in a list box. A column starts as wide as
// its name and widens to the longest text among the rows shown so far. Whole rows are selected,
// several at once; Ctrl+C copies their lines as the list holds them. The table sets up the look of
// the window's lists itself (ApplyListBoxLook).
class RecordsTable final : public QTableView {
    Q_OBJECT
public:
    RecordsTable(const LineList& records, QWidget* parent);

    // Shows the list as it now stands; does nothing when it has not changed since the last refresh.
    void refresh();
    // Puts the lines of the selected rows on the clipboard, in row order, joined by CR LF.
    void copySelection() const;
    RecordsModel* recordsModel() const { return m_model; }
    // Selects every row, also those not yet let in.
    void selectAll() override;
    // The height that shows `rows` whole rows under the column names, also while the horizontal
    // scroll bar is shown.
    int heightShowing(int rows) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void showFromTheStart();
    void applyRowHeight();
    void resetColumnWidths();
    void widenColumnsToShownRows();

    const LineList& m_lines;
    RecordsModel* m_model;
    QBasicTimer m_batches; // lets the rows in after the first batch
    // Per column, the bytes of the longest text measured since the last reset; shorter ones need no
    // measuring.
    std::array<std::size_t, RecordsModel::ColumnCount> m_longestMeasured{};
    std::uint64_t m_shownGeneration = std::numeric_limits<std::uint64_t>::max(); // nothing shown yet
};

} // namespace tes
