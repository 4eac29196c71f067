#pragma once

#include <QWidget>

class QTextBrowser;

namespace tes {

// The program's own help window, for a desktop that has no program to open HTML with: the help file
// in a rich-text browser whose links work (anchors within the page, other local pages in place, web
// and mail links handed to the desktop). It does not block the main window.
class HelpViewer final : public QWidget {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // Shows `file` (from its top, unless it is the page already shown) and brings the window to the
    // front. False, and nothing shown, when the file cannot be read.
    bool showFile(const QString& file);

    QTextBrowser* browser() const { return m_browser; }

private:
    QTextBrowser* m_browser;
};

} // namespace tes
