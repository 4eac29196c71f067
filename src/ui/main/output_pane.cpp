#include "ui/main/output_pane.h"

#include "lib/line_list.h"
#include "ui/combiner/line_list_model.h"

#include <utility>

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QStyle>
#include <QStyleOptionViewItem>

namespace tes {

OutputPane::OutputPane(const LineList& lines, QWidget* parent)
    : LineListView(lines, parent), m_copy(new QAction(QStringLiteral("Copy"), this)),
      m_copyAll(new QAction(QStringLiteral("Copy All"), this)),
      m_openFolder(new QAction(QStringLiteral("Open Containing Folder"), this)) {
    ApplyListBoxLook(*this);
    setSelectionMode(QAbstractItemView::ExtendedSelection);

    // Ctrl+C belongs to the pane only while it has the focus; the window's fields keep their own.
    m_copy->setShortcut(QKeySequence::Copy);
    m_copy->setShortcutContext(Qt::WidgetShortcut);
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    addActions({m_copy, m_copyAll, separator, m_openFolder});
    setContextMenuPolicy(Qt::ActionsContextMenu);

    connect(m_copy, &QAction::triggered, this, &OutputPane::copySelection);
    connect(m_copyAll, &QAction::triggered, this, &OutputPane::copyAll);
    connect(m_openFolder, &QAction::triggered, this, &OutputPane::openContainingFolder);
    connect(lineModel(), &QAbstractItemModel::modelReset, this, &OutputPane::updateActions);
    updateActions();
}

void OutputPane::setContainingFolder(std::string folder) {
    m_folder = std::move(folder);
    updateActions();
}

void OutputPane::setFolderOpener(FolderOpener opener) {
    m_opener = std::move(opener);
    updateActions();
}

int OutputPane::heightShowing(int lines) const {
    // A line is as high as the view's item in its font, as the rows are drawn, also before there is one.
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.features |= QStyleOptionViewItem::HasDisplay;
    option.text = QStringLiteral("0");
    const int line = style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this).height();
    return 2 * frameWidth() + lines * (line + 2 * spacing()) +
           style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

void OutputPane::copySelection() const {
    if (selectionModel()->hasSelection())
        QGuiApplication::clipboard()->setText(JoinedLines(lines(), selectionModel()->selection()));
}

void OutputPane::copyAll() const {
    if (!lines().empty())
        QGuiApplication::clipboard()->setText(JoinedLines(lines()));
}

void OutputPane::openContainingFolder() const {
    if (!m_folder.empty() && m_opener)
        m_opener(m_folder);
}

void OutputPane::keyPressEvent(QKeyEvent* event) {
    // Reached when Copy is disabled (nothing selected): the base class would copy the current line.
    if (event == QKeySequence::Copy) {
        copySelection();
        event->accept();
        return;
    }
    LineListView::keyPressEvent(event);
}

void OutputPane::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
    LineListView::selectionChanged(selected, deselected);
    updateActions();
}

void OutputPane::updateActions() {
    m_copy->setEnabled(selectionModel()->hasSelection());
    m_copyAll->setEnabled(model()->rowCount() > 0);
    m_openFolder->setEnabled(!m_folder.empty() && m_opener);
}

} // namespace tes
