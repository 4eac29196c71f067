#include "ui/combiner/combiner_window.h"

#include "form/combiner_commands.h"
#include "form/combiner_state.h"
#include "ui/access_key_focus.h"
#include "ui/line_list_view.h"
#include "ui/main/status_line.h"
#include "ui/to_qt.h"
#include "ui/window_centring.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QPushButton>
#include <QResizeEvent>
#include <QShowEvent>

namespace tes {

namespace {

// The layout is drawn in twips: 15 of them make one pixel at 96 dots per inch.
constexpr int Twips(int twips) {
    return twips / 15;
}

// The status line under the buttons, as high as the main window's.
constexpr int kStatusLineHeight = 20;

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, int left) {
    auto* button = new QPushButton(ToQString(caption), parent);
    button->setObjectName(ToQString(name));
    button->setGeometry(Twips(left), Twips(3960), Twips(1095), Twips(375));
    // The access keys move the focus as a click does.
    TakeFocusOnAccessKey(button);
    return button;
}

} // namespace

CombinerWindow::CombinerWindow(CombinerState& state, QWidget* owner) : QDialog(owner), m_state(state) {
    setObjectName(QStringLiteral("frmScriptCompiler"));
    setWindowTitle(QStringLiteral("Combine Scripts"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    // Drawn at its least size; larger, the list takes the room (see resizeEvent).
    setMinimumSize(Twips(8295), Twips(4425) + kStatusLineHeight);
    resize(minimumSize());

    // Created in tab order: Done first, so it has the focus when the window opens.
    m_btnDone = MakeButton(this, "btnDone", "&Done", 3600);

    m_frameCompiledMaxScript =
        new QGroupBox(QStringLiteral("Combine MAX Scripts into a Single Script"), this);
    m_frameCompiledMaxScript->setObjectName(QStringLiteral("frameCompiledMaxScript"));
    m_frameCompiledMaxScript->setGeometry(Twips(120), Twips(120), Twips(8055), Twips(3615));

    m_lstMaxScripts = new LineListView(state.lstMaxScripts, m_frameCompiledMaxScript);
    m_lstMaxScripts->setObjectName(QStringLiteral("lstMaxScripts"));
    m_lstMaxScripts->setGeometry(Twips(120), Twips(240), Twips(7815), Twips(3210));
    m_lstMaxScripts->setFont(ListFont());

    m_btnAddFile = MakeButton(this, "btnAddFile", "&Add File", 1320);
    m_btnSaveAs = MakeButton(this, "btnSaveAs", "&Save As", 5880);

    // Where Save As wrote the scripts, which otherwise it does without a word.
    m_statusLine = new StatusLine(this);
    m_statusLine->setObjectName(QStringLiteral("statusLine"));
    m_statusLine->setSizeGripEnabled(false);
    m_statusLine->setGeometry(0, Twips(4425), width(), kStatusLineHeight);

    QWidget::setTabOrder(m_btnDone, m_lstMaxScripts);
    QWidget::setTabOrder(m_lstMaxScripts, m_btnAddFile);
    QWidget::setTabOrder(m_btnAddFile, m_btnSaveAs);
    m_btnDone->setFocus();

    connect(m_btnDone, &QPushButton::clicked, this, &CombinerWindow::btnDone_Click);
    connect(m_btnAddFile, &QPushButton::clicked, this, &CombinerWindow::btnAddFile_Click);
    connect(m_btnSaveAs, &QPushButton::clicked, this, &CombinerWindow::btnSaveAs_Click);

    // Form_Load: centre, vertically then horizontally.
    CenterOnScreen(*this);
    refresh();
}

CombinerWindow::~CombinerWindow() = default;

void CombinerWindow::refresh() {
    m_lstMaxScripts->refresh();
}

void CombinerWindow::btnAddFile_Click() {
    tes::btnAddFile_Click(m_state);
    refresh();
}

void CombinerWindow::btnSaveAs_Click() {
    tes::btnSaveAs_Click(m_state);
    refresh();
    showStatus();
}

void CombinerWindow::showStatus() {
    m_statusLine->showMessage(ToQString(m_state.status));
}

void CombinerWindow::btnDone_Click() {
    hide();
}

void CombinerWindow::reject() {
    m_btnDone->click();
}

void CombinerWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Every opening starts on Done, wherever the focus was when the last one ended.
    m_btnDone->setFocus();
    // The frame's size is known only once the window is shown: centre the new window again with it.
    // Later openings keep the place where Done left it.
    if (!m_shownOnce) {
        m_shownOnce = true;
        CenterOnScreen(*this);
    }
}

void CombinerWindow::closeEvent(QCloseEvent* event) {
    // The close box discards the window; the next opening builds and centres a new one.
    m_discarded = true;
    hide();
    event->accept();
    deleteLater();
}

void CombinerWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const QSize more = size() - minimumSize();
    m_frameCompiledMaxScript->setGeometry(QRect(Twips(120), Twips(120), Twips(8055), Twips(3615)) +
                                          QMargins(0, 0, more.width(), more.height()));
    m_lstMaxScripts->setGeometry(QRect(Twips(120), Twips(240), Twips(7815), Twips(3210)) +
                                 QMargins(0, 0, more.width(), more.height()));
    // The buttons stay under the list: Add File on the left, Done in the middle, Save As on the right.
    const int top = Twips(3960) + more.height();
    m_btnAddFile->move(Twips(1320), top);
    m_btnDone->move(Twips(3600) + more.width() / 2, top);
    m_btnSaveAs->move(Twips(5880) + more.width(), top);
    m_statusLine->setGeometry(0, height() - kStatusLineHeight, width(), kStatusLineHeight);
}

} // namespace tes
