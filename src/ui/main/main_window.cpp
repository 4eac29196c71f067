#include "ui/main/main_window.h"

#include "form/context.h"
#include "form/field_checks.h"
#include "form/help_launch.h"
#include "form/load_command.h"
#include "form/max_check_command.h"
#include "form/max_file.h"
#include "form/preview_input.h"
#include "form/process_all.h"
#include "form/process_command.h"
#include "form/startup.h"
#include "lib/fields.h"
#include "ui/main/kinds_dialog.h"
#include "ui/main/main_window_host.h"
#include "ui/main/max_length_validator.h"
#include "ui/main/output_pane.h"
#include "ui/main/records_table.h"
#include "ui/preview/preview_window.h"
#include "ui/to_qt.h"

#include <exception>

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>

namespace tes {

namespace {

// Focus that leaves or enters with the whole window (another program or a dialog comes to the front)
// or with a popup does not move between the window's controls, so it raises no focus event.
bool MovesBetweenControls(const QEvent* event) {
    const Qt::FocusReason reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

// The project file among dropped files: the first local file ending in .prj.
QString DroppedProjectFile(const QMimeData* mime) {
    if (!mime || !mime->hasUrls())
        return {};
    for (const QUrl& url : mime->urls()) {
        const QString path = url.toLocalFile();
        if (!path.isEmpty() && path.endsWith(QStringLiteral(".prj"), Qt::CaseInsensitive) &&
            QFileInfo(path).isFile())
            return path;
    }
    return {};
}

// Marks a stretch in which the window writes the model into its widgets, so the widgets' own change
// signals are not taken for the user's edits.
class ShowingGuard {
public:
    explicit ShowingGuard(int& depth) : m_depth(depth) { ++m_depth; }
    ~ShowingGuard() { --m_depth; }
    ShowingGuard(const ShowingGuard&) = delete;
    ShowingGuard& operator=(const ShowingGuard&) = delete;

private:
    int& m_depth;
};

} // namespace

MainWindow::MainWindow(Context& ctx, QWidget* parent) : QWidget(parent), m_ctx(ctx) {
    m_saveSize = new QTimer(this);
    m_saveSize->setSingleShot(true);
    connect(m_saveSize, &QTimer::timeout, this, [this] { SaveWindowSize(m_ctx, {width(), height()}); });
    buildControls();
    showAll();
    connectEvents();
    startFollowingKindsTable();
    m_ctx.form.setObserver(this);
}

MainWindow::~MainWindow() {
    m_ctx.form.setObserver(nullptr);
}

void MainWindow::connectEvents() {
    for (std::size_t i = 0; i < m_boxes.size(); ++i) {
        const auto id = static_cast<CheckBox>(i);
        connect(m_boxes[i], &QCheckBox::clicked, this,
                [this, id] { runCommand(Name(id), [this, id] { m_ctx.form.click(id); }); });
    }
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        const auto id = static_cast<TextField>(i);
        connect(m_fields[i], &QLineEdit::textEdited, this, [this, id](const QString& text) {
            if (m_showing)
                return;
            runCommand(Name(id), [this, id, &text] { m_ctx.form.setText(id, ToStdString(text)); });
        });
    }
    connect(m_comboSelectVegetation->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
        if (m_showing)
            return;
        runCommand("comboSelectVegetation", [this, &text] { m_ctx.form.setComboText(ToStdString(text)); });
    });
    connect(m_comboSelectVegetation, &QComboBox::activated, this, [this](int index) {
        if (m_showing || index < 0)
            return;
        runCommand("comboSelectVegetation",
                   [this, index] { m_ctx.form.pickComboItem(static_cast<std::size_t>(index)); });
    });

    connect(m_btnBrowseProjectFile, &QPushButton::clicked, this, [this] {
        runCommand("btnBrowseProjectFile_Click", [this] { btnBrowseProjectFile_Click(m_ctx); });
    });
    connect(m_btnProcess, &QPushButton::clicked, this,
            [this] { runCommand("btnProcess_Click", [this] { btnProcess_Click(m_ctx); }); });
    connect(m_btnBrowseMaxFile, &QPushButton::clicked, this,
            [this] { runCommand("btnBrowseMaxFile_Click", [this] { btnBrowseMaxFile_Click(m_ctx); }); });
    connect(m_btnViewHelp, &QPushButton::clicked, this,
            [this] { runCommand("btnViewHelp_Click", [this] { btnViewHelp_Click(m_ctx); }); });
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, m_btnViewHelp,
            &QPushButton::click);
    // The Help menu: View Help's context menu (a right click, or the menu key once it has the focus).
    auto* viewHelp = new QAction(QStringLiteral("View Help"), m_btnViewHelp);
    auto* writeMaxCheck = new QAction(QStringLiteral("Write a 3ds Max check..."), m_btnViewHelp);
    writeMaxCheck->setObjectName(QStringLiteral("mnuWriteMaxCheck"));
    m_btnViewHelp->addActions({viewHelp, writeMaxCheck});
    m_btnViewHelp->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(viewHelp, &QAction::triggered, m_btnViewHelp, &QPushButton::click);
    connect(writeMaxCheck, &QAction::triggered, this,
            [this] { runCommand("mnuWriteMaxCheck_Click", [this] { mnuWriteMaxCheck_Click(m_ctx); }); });
    connect(m_btnRunScriptCompiler, &QPushButton::clicked, this, [this] {
        if (m_host)
            m_host->openCombiner();
    });
    connect(m_btnScriptOptions, &QPushButton::clicked, this, [this] {
        runCommand("btnScriptOptions_Click", [this] { EditScriptOptions(m_ctx, this, m_runDialog); });
    });
    connect(m_btnKinds, &QPushButton::clicked, this, [this] {
        runCommand("btnKinds_Click", [this] { EditKinds(m_ctx, this, m_runDialog); });
        emit previewInputsChanged();
    });
    connect(m_btnProcessAll, &QPushButton::clicked, this,
            [this] { runCommand("btnProcessAll_Click", [this] { btnProcessAll_Click(m_ctx); }); });
    connect(m_btnPreview, &QPushButton::clicked, this, [this] {
        if (!m_preview) {
            m_preview = new PreviewWindow(PreviewSourceOf(m_ctx), this);
            connect(this, &MainWindow::previewInputsChanged, m_preview, &PreviewWindow::inputsChanged);
            connect(this, &MainWindow::kindsTableFollowed, m_preview, &PreviewWindow::tableFollowed);
        }
        m_preview->open();
    });
    connect(m_btnExit, &QPushButton::clicked, this, [this] {
        if (m_host)
            m_host->endProgram();
    });
}

void MainWindow::runCommand(const char* name, const std::function<void()>& command) {
    try {
        command();
    } catch (const std::exception& failure) {
        // The commands report their own failures; this only keeps a stray one from ending the program.
        m_ctx.platform.showMessageOfKind(
            {MessageKind::Failure, std::string("Unexpected error in ") + name + ": " + failure.what()});
    }
    refreshLists();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    QLineEdit* const maxFile = field(TextField::txtMaxFile);
    if (watched == maxFile) {
        switch (event->type()) {
        case QEvent::FocusIn:
            if (MovesBetweenControls(event))
                runCommand("txtMaxFile_GotFocus", [this] { txtMaxFile_GotFocus(m_ctx); });
            break;
        case QEvent::FocusOut:
            if (MovesBetweenControls(event))
                runCommand("txtMaxFile_LostFocus", [this] { txtMaxFile_LostFocus(m_ctx); });
            break;
        case QEvent::MouseButtonRelease:
            runCommand("txtMaxFile_Click", [this] { txtMaxFile_Click(m_ctx); });
            break;
        case QEvent::MouseButtonDblClick:
            runCommand("txtMaxFile_DblClick", [this] { txtMaxFile_DblClick(m_ctx); });
            break;
        default:
            break;
        }
    } else if (event->type() == QEvent::FocusOut && MovesBetweenControls(event)) {
        for (TextField id : {TextField::txtGridSize, TextField::txtObjectScale, TextField::txtHeading,
                             TextField::txtPitch}) {
            if (watched == field(id))
                onFieldFocusOut(id);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::onFieldFocusOut(TextField id) {
    switch (id) {
    case TextField::txtGridSize:
        return runCommand("txtGridSize_LostFocus", [this] { txtGridSize_LostFocus(m_ctx); });
    case TextField::txtObjectScale:
        return runCommand("txtObjectScale_LostFocus", [this] { txtObjectScale_LostFocus(m_ctx); });
    case TextField::txtHeading:
        return runCommand("txtHeading_LostFocus", [this] { txtHeading_LostFocus(m_ctx); });
    case TextField::txtPitch:
        return runCommand("txtPitch_LostFocus", [this] { txtPitch_LostFocus(m_ctx); });
    default:
        return;
    }
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The focus starts on the first control of the keyboard order.
    if (!m_shownBefore)
        m_tabOrder.front()->setFocus();
    m_shownBefore = true;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Closing never asks and is never cancelled; it ends the program.
    event->accept();
    if (m_host)
        m_host->endProgram();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedProjectFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QString path = DroppedProjectFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // Loaded after the drop has ended, so the program that dragged the file is not kept waiting.
    QTimer::singleShot(0, this,
                       [this, path] { openProjectFile(ToStdString(QDir::toNativeSeparators(path))); });
}

void MainWindow::openProjectFile(const std::string& path) {
    if (!m_host || m_ctx.ended)
        return;
    runCommand("OpenProject", [this, &path] { OpenProject(m_ctx, path); });
}

void MainWindow::showAll() {
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        showText(static_cast<TextField>(i));
        showFieldState(static_cast<TextField>(i));
    }
    for (std::size_t i = 0; i < m_boxes.size(); ++i)
        showCheck(static_cast<CheckBox>(i));
    controlChanged(Control::btnProcess);
    controlChanged(Control::lblRotationAngle);
    controlChanged(Control::lblVersion);
    controlChanged(Control::lblStatus);
    controlChanged(Control::lblRecordCount);
    showCombo();
    refreshLists();
}

void MainWindow::showText(TextField id) {
    QLineEdit* edit = field(id);
    const QString text = ToQString(m_ctx.form.text(id));
    // Leaving an unchanged text alone keeps the user's cursor where it was while typing.
    if (edit->text() == text)
        return;
    ShowingGuard guard(m_showing);
    SetProgramText(edit, text);
}

void MainWindow::showFieldState(TextField id) {
    QLineEdit* edit = field(id);
    const TextFieldState& state = m_ctx.form.field(id);
    edit->setReadOnly(state.locked);
    edit->setEnabled(state.enabled);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base,
                     QWidget::palette().color(state.grey ? QPalette::Button : QPalette::Base));
    edit->setPalette(palette);
}

void MainWindow::showCheck(CheckBox id) {
    QCheckBox* check = box(id);
    const CheckBoxState& state = m_ctx.form.checkBox(id);
    ShowingGuard guard(m_showing);
    check->setCheckState(state.value == kChecked ? Qt::Checked : Qt::Unchecked);
    check->setEnabled(state.enabled);
}

void MainWindow::controlChanged(Control control) {
    switch (control) {
    case Control::btnProcess:
        // The kinds and Process All need a loaded project, as Process does.
        for (QPushButton* button : {m_btnProcess, m_btnKinds, m_btnProcessAll})
            button->setEnabled(m_ctx.form.processEnabled());
        return;
    case Control::lblRotationAngle:
        m_lblRotationAngle->setEnabled(m_ctx.form.rotationAngleLabelEnabled());
        return;
    case Control::lblVersion:
        m_lblVersion->setText(ToQString(m_ctx.form.versionCaption()));
        m_lblVersion->adjustSize();
        m_lblVersion->move(m_lblCredits->geometry().right() + 1, m_lblCredits->y());
        return;
    case Control::lblStatus:
        m_statusLine->showMessage(ToQString(m_ctx.form.statusText()));
        return;
    case Control::lblRecordCount:
        m_lblRecordCount->setText(ToQString(m_ctx.form.recordCountText()));
        return;
    }
}

void MainWindow::showCombo() {
    ShowingGuard guard(m_showing);
    QComboBox* combo = m_comboSelectVegetation;
    const std::vector<std::string>& items = m_ctx.form.comboItems();
    bool same = static_cast<std::size_t>(combo->count()) <= items.size();
    for (int i = 0; same && i < combo->count(); ++i)
        same = combo->itemText(i) == ToQString(items[static_cast<std::size_t>(i)]);
    if (!same)
        combo->clear();
    for (auto i = static_cast<std::size_t>(combo->count()); i < items.size(); ++i)
        combo->addItem(ToQString(items[i]));

    // An entry is shown as chosen only when the text is that entry's; adding the first entry must not
    // choose it.
    const QString text = ToQString(m_ctx.form.comboText());
    const int index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (combo->currentIndex() != index)
        combo->setCurrentIndex(index);
    if (combo->currentText() != text)
        combo->setEditText(text);
}

void MainWindow::listChanged(ListId id) {
    if (id == ListId::List1) {
        m_list1->refresh();
        emit previewInputsChanged();
    }
    if (id == ListId::List2) {
        m_list2->refresh();
        showScriptFolder();
    }
}

QAbstractItemView* MainWindow::list(ListId id) const {
    if (id == ListId::List2)
        return m_list2;
    return m_list1;
}

void MainWindow::showScriptFolder() {
    // The output pane opens the folder of the script file, once there is one.
    const std::string& script = m_ctx.session.ScriptFilePath;
    m_list2->setContainingFolder(
        !script.empty() && QFileInfo(ToQString(script)).isFile() ? FolderOfPath(script) : std::string());
}

void MainWindow::refreshLists() {
    m_list1->refresh();
    m_list2->refresh();
}

} // namespace tes
