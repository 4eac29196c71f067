// The main window grows: it opens at its drawn size, or taller where its lists would show too few
// rows there, and extra room goes to the records list and the
// script pane (half of the height each) and to the fields that hold paths and names; the other
// controls keep their places in their group, the right-hand column keeps to the right edge.
#include "form/context.h"
#include "form/startup.h"
#include "ui/main/main_window.h"
#include "ui/main/output_pane.h"
#include "ui/main/records_table.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>

namespace tes {

namespace {

// Waits this long after the last step of a resize before the size is remembered.
constexpr int kSaveSizeAfterMs = 400;
// The records and the script lines the window shows at least at its first size, also under a
// horizontal scroll bar: larger fonts and scroll bars than the layout was drawn for (Windows) make
// it taller, as far as the screen has room.
constexpr int kRowsShown = 4;

} // namespace

void MainWindow::anchor(QWidget* widget, unsigned anchors) {
    m_anchors.push_back({widget, widget->geometry(), anchors});
}

void MainWindow::anchorControls() {
    m_drawnSize = size();
    setMinimumSize(m_drawnSize);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);

    anchor(m_frameSourceTolvaneProject, kGrowWide | kGrowTallRecords);
    anchor(m_list1, kGrowWide | kGrowTallRecords);
    anchor(m_lblRecordCount, kMoveRight);
    anchor(field(TextField::txtProjectFilePath), kGrowWide);
    anchor(findChild<QLabel*>(QStringLiteral("lblOverlap")), kMoveRight);
    anchor(field(TextField::txtOverlap), kMoveRight);
    // Everything of the project frame below the records moves down with their bottom edge.
    const int recordsBottom = m_list1->geometry().bottom();
    for (QWidget* child : m_frameSourceTolvaneProject->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->y() > recordsBottom)
            anchor(child, child == m_comboSelectVegetation ? kMoveDownRecords | kGrowWide : kMoveDownRecords);
    }

    anchor(m_frame2, kMoveDownRecords | kGrowWide);
    anchor(field(TextField::txtMaxFile), kGrowWide);

    for (QWidget* control :
         {static_cast<QWidget*>(m_btnProcess), static_cast<QWidget*>(box(CheckBox::chkSave)),
          static_cast<QWidget*>(m_btnRunScriptCompiler), static_cast<QWidget*>(m_btnViewHelp),
          static_cast<QWidget*>(m_btnExit), static_cast<QWidget*>(m_btnScriptOptions),
          static_cast<QWidget*>(m_btnKinds), static_cast<QWidget*>(m_btnProcessAll)})
        anchor(control, kMoveRight);
    for (QWidget* control : {static_cast<QWidget*>(box(CheckBox::chkUseObjectScale)),
                             static_cast<QWidget*>(field(TextField::txtObjectScale)),
                             static_cast<QWidget*>(findChild<QLabel*>(QStringLiteral("lblCalcGridSize"))),
                             static_cast<QWidget*>(field(TextField::txtGridSize))})
        anchor(control, kMoveRight | kMoveDownRecords);

    anchor(m_frameMaxScriptOutput, kMoveDownRecords | kGrowWide | kGrowTallOutput);
    anchor(m_list2, kGrowWide | kGrowTallOutput);
    anchor(m_frame1, kMoveDownAll | kGrowWide);
    anchor(m_btnPreview, kMoveDownAll | kMoveRight);
    anchor(m_statusLine, kMoveDownAll | kGrowWide);

    growToShowLists();
}

void MainWindow::growToShowLists() {
    // The extra height is shared half and half between the two lists: the one short of more decides.
    const int short1 = m_list1->heightShowing(kRowsShown) - m_list1->height();
    const int short2 = m_list2->heightShowing(kRowsShown) - m_list2->height();
    const int grow = 2 * std::max({0, short1, short2});
    if (grow == 0)
        return;
    QSize size(m_drawnSize.width(), m_drawnSize.height() + grow);
    if (const QScreen* screen = this->screen()) {
        // The frame's room is not known before the window is shown: that of a usual title bar.
        constexpr int kTitleBarRoom = 40;
        size.setHeight(std::min(size.height(), screen->availableGeometry().height() - kTitleBarRoom));
    }
    // The drawn size stays the least one.
    resize(size.expandedTo(m_drawnSize));
}

void MainWindow::placeControls() {
    const int dx = std::max(0, width() - m_drawnSize.width());
    const int dy = std::max(0, height() - m_drawnSize.height());
    const int dyRecords = dy / 2;
    const int dyOutput = dy - dyRecords;
    for (const Anchored& a : m_anchors) {
        QRect r = a.drawn;
        if (a.anchors & kMoveRight)
            r.translate(dx, 0);
        if (a.anchors & kMoveDownRecords)
            r.translate(0, dyRecords);
        if (a.anchors & kMoveDownAll)
            r.translate(0, dy);
        if (a.anchors & kGrowWide)
            r.setWidth(r.width() + dx);
        if (a.anchors & kGrowTallRecords)
            r.setHeight(r.height() + dyRecords);
        if (a.anchors & kGrowTallOutput)
            r.setHeight(r.height() + dyOutput);
        a.widget->setGeometry(r);
    }
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeControls();
    if (isVisible())
        m_saveSize->start(kSaveSizeAfterMs);
}

void MainWindow::saveSizeNow() {
    if (!m_saveSize->isActive())
        return;
    m_saveSize->stop();
    SaveWindowSize(m_ctx, {width(), height()});
}

} // namespace tes
