#include "ui/line_list_view.h"

#include "lib/line_list.h"
#include "ui/combiner/line_list_model.h"
#include "ui/font_stand_ins.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <QStyleOptionFocusRect>
#include <QStyledItemDelegate>

namespace tes {

// Rows at least as wide as the longest line.
class WidestRowDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void setRowWidth(int width) { m_rowWidth = width; }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setWidth(std::max(size.width(), m_rowWidth));
        return size;
    }

private:
    int m_rowWidth = 0;
};

namespace {

constexpr int kTabStopPixels = 80;
constexpr int kRowsPerBatch = 20'000;

// The width in pixels of the longest line in a fixed-pitch font. Bytes over-count non-ASCII characters
// and a tab counts as a whole tab stop, which only widens the rows a little.
int WidestLine(const LineList& lines, const QFontMetrics& metrics) {
    const auto charWidth = static_cast<std::size_t>(metrics.horizontalAdvance(QLatin1Char('M')));
    std::size_t widest = 0;
    if (lines.textBytes() > 0 && std::memchr(lines[0].data(), '\t', lines.textBytes()) == nullptr) {
        // No tabs anywhere (the usual case): the line lengths alone decide, without reading the text.
        std::size_t longest = 0;
        for (std::size_t row = 0; row < lines.size(); ++row)
            longest = std::max(longest, lines[row].size());
        widest = (longest + 1) * charWidth;
    } else {
        for (std::size_t row = 0; row < lines.size(); ++row) {
            const std::string_view line = lines[row];
            const auto tabs = static_cast<std::size_t>(std::count(line.begin(), line.end(), '\t'));
            widest = std::max(widest, (line.size() + 1) * charWidth + tabs * kTabStopPixels);
        }
    }
    return static_cast<int>(std::min<std::size_t>(widest, 1u << 24));
}

} // namespace

QFont ListFont() {
    return FontOrStandIn(QStringLiteral("Courier New"), 9, QFont::TypeWriter);
}

void ApplyListBoxLook(QWidget& widget) {
    widget.setFont(ListFont());
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    widget.setPalette(palette);
}

LineListView::LineListView(const LineList& lines, QWidget* parent)
    : QListView(parent), m_lines(lines), m_model(new LineListModel(lines, this)),
      m_delegate(new WidestRowDelegate(this)) {
    setUniformItemSizes(true);
    // The view places its rows in batches between events, so a list of ten million lines shows its
    // first rows at once and the window keeps answering while the rest are placed.
    setLayoutMode(QListView::Batched);
    setBatchSize(kRowsPerBatch);
    setItemDelegate(m_delegate);
    setModel(m_model);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void LineListView::refresh() {
    if (m_lines.generation() == m_shownGeneration)
        return;
    m_shownGeneration = m_lines.generation();
    m_delegate->setRowWidth(WidestLine(m_lines, QFontMetrics(font())));
    m_model->reload();
}

void LineListView::paintEvent(QPaintEvent* event) {
    QListView::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(viewport());
    QStyleOptionFocusRect frame;
    frame.initFrom(this);
    frame.rect = viewport()->rect();
    frame.backgroundColor = palette().color(QPalette::Base);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, this);
}

void LineListView::focusInEvent(QFocusEvent* event) {
    QListView::focusInEvent(event);
    viewport()->update();
}

void LineListView::focusOutEvent(QFocusEvent* event) {
    QListView::focusOutEvent(event);
    viewport()->update();
}

} // namespace tes
