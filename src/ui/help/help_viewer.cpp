#include "ui/help/help_viewer.h"

#include "form/session.h"
#include "ui/window_centring.h"

#include <QFile>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace tes {

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("helpViewer"));
    setWindowTitle(QString::fromUtf8(kMessageCaption));
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("helpBrowser"));
    m_browser->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    // Escape closes it as it closes a dialog.
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
    // Wide enough for the longest command line in the help, on a screen that has the room.
    const QSize room = screen()->availableGeometry().size() * 9 / 10;
    resize(QSize(1000, 700).boundedTo(room));
    // The page's own title names the window; a page without one keeps the program's name.
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = m_browser->documentTitle();
        setWindowTitle(title.isEmpty() ? QString::fromUtf8(kMessageCaption) : title);
    });
}

bool HelpViewer::showFile(const QString& file) {
    if (!QFile(file).open(QIODevice::ReadOnly))
        return false;
    const QUrl page = QUrl::fromLocalFile(file);
    if (m_browser->source().adjusted(QUrl::RemoveFragment) != page)
        m_browser->setSource(page);
    if (!isVisible()) {
        show();
        CenterOnScreen(*this);
    }
    raise();
    activateWindow();
    return true;
}

} // namespace tes
