#pragma once

#include <cstdint>
#include <limits>

#include <QFont>
#include <QListView>

namespace tes {

class LineList;
class LineListModel;
class WidestRowDelegate;

// Courier New 9 pt; where the system has no Courier New (Wine, some Linux desktops), a fixed-pitch
// font standing in for it.
QFont ListFont();

// The look of the main window's lists: Courier New 9 pt (a fixed-pitch font, so that the columns of
// their rows line up) on the grey of a button face.
void ApplyListBoxLook(QWidget& widget);

// A list box over a LineList: every row as wide as the longest line (so the list scrolls sideways to
// the end of each one) and all rows of one size, which keeps a list of a million lines quick to show
// and to scroll. No widget or item object exists per row.
class LineListView : public QListView {
    Q_OBJECT
public:
    LineListView(const LineList& lines, QWidget* parent);

    // Shows the list as it now stands (in the view's current font); does nothing when it has not
    // changed since the last refresh.
    void refresh();
    LineListModel* lineModel() const { return m_model; }
    const LineList& lines() const { return m_lines; }

protected:
    // The list shows that it has the focus by a frame, also while it is empty.
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    const LineList& m_lines;
    LineListModel* m_model;
    WidestRowDelegate* m_delegate;
    std::uint64_t m_shownGeneration = std::numeric_limits<std::uint64_t>::max(); // nothing shown yet
};

} // namespace tes
