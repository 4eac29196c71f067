#pragma once

#include "ui/line_list_view.h"

#include <functional>
#include <string>

class QAction;

namespace tes {

// The output pane: the script's lines in a list box where many lines can be selected. Ctrl+A selects
// every line and Ctrl+C copies the selected ones; the context menu offers Copy, Copy All and Open
// Containing Folder. Copies go to the clipboard as the lines joined by CR LF, in row order. The pane
// sets up the look of the window's lists itself (ApplyListBoxLook).
class OutputPane final : public LineListView {
    Q_OBJECT
public:
    // Opens a folder (UTF-8) on the desktop. The owner supplies it, so the pane opens nothing itself.
    using FolderOpener = std::function<void(const std::string& folder)>;

    OutputPane(const LineList& lines, QWidget* parent);

    // The folder that Open Containing Folder opens (UTF-8); empty disables the item.
    void setContainingFolder(std::string folder);
    void setFolderOpener(FolderOpener opener);
    // The height that shows `lines` whole lines, also while the horizontal scroll bar is shown.
    int heightShowing(int lines) const;

    // What the menu's items do.
    void copySelection() const;
    void copyAll() const;
    void openContainingFolder() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;

private:
    void updateActions();

    QAction* m_copy;
    QAction* m_copyAll;
    QAction* m_openFolder;
    std::string m_folder;
    FolderOpener m_opener;
};

} // namespace tes
