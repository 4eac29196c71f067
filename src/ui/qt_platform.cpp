#include "ui/qt_platform.h"

#include "form/session.h"
#include "ui/help/help_viewer.h"
#include "ui/native_dialogs.h"
#include "ui/to_qt.h"

#include <algorithm>

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

namespace tes {

namespace {

constexpr int kProgressSteps = 1000;
// The window repaints and the Cancel button answers this often while work reports progress.
constexpr int kEventIntervalMs = 50;

#ifndef Q_OS_WIN
// The last part of "Software\Tolvane Enviro Scripter": the name of the per-user store off Windows.
QString StoreName(const std::string& keyPath) {
    const QString path = ToQString(keyPath);
    const qsizetype cut = path.lastIndexOf(QLatin1Char('\\'));
    return cut < 0 ? path : path.mid(cut + 1);
}
#endif

// The extension a save dialog gives a name typed without one: the first pattern of the chosen file
// type, when that names a single extension ("MS File (*.ms)" gives "ms", "All Files (*.*)" none).
QString DefaultSuffixOf(const QString& nameFilter) {
    static const QRegularExpression firstPattern(QStringLiteral(R"(\(\*\.([^*?[\]() ]+)[^()]*\)$)"));
    return firstPattern.match(nameFilter).captured(1);
}

QMessageBox::Icon IconOf(MessageKind kind) {
    switch (kind) {
    case MessageKind::Notice:
        return QMessageBox::Information;
    case MessageKind::Refusal:
        return QMessageBox::Warning;
    case MessageKind::Failure:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

// The widest a message box grows on its screen: Qt's own limit, past which it breaks words anywhere.
int BoxWidthLimit(const QWidget& box) {
    const int screen = box.screen()->availableGeometry().width();
    return screen <= 1024 ? screen : std::min(screen - 480, 1000);
}

int WidestLine(const QFontMetrics& metrics, const QString& text) {
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
}

// Shows the box and returns the button that closed it.
QMessageBox::StandardButton ShowBox(QMessageBox::Icon icon, const std::string& text,
                                    QMessageBox::StandardButtons buttons = QMessageBox::Ok) {
    QMessageBox box(icon, QString::fromUtf8(kMessageCaption), ToQString(text), buttons,
                    QApplication::activeWindow());
    // Qt wraps a message wider than half the screen wherever a line may break, and so within a path
    // (after "C:", at a blank in a folder's name). Each line stays whole instead: the text is as wide as its
    // widest line, as far as the box may grow, and only a line wider than that wraps. A short message must
    // still not make the box too narrow for its title beside the title bar's icon and buttons, or the window
    // manager shortens the title.
    constexpr int kTitleBarRoom = 160;
    if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
        label->setWordWrap(false);
        const int besideText = box.layout()->totalMinimumSize().width() - label->minimumSizeHint().width();
        const int titleWidth = box.fontMetrics().horizontalAdvance(box.windowTitle()) + kTitleBarRoom;
        const int widest = std::max(WidestLine(label->fontMetrics(), label->text()) + 2, titleWidth);
        label->setMinimumWidth(std::min(widest, BoxWidthLimit(box) - besideText));
    }
    // The box itself always shows the normal pointer, even while a command shows the wait pointer.
    const bool waiting = QGuiApplication::overrideCursor() != nullptr;
    if (waiting)
        QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    const auto answer = static_cast<QMessageBox::StandardButton>(box.exec());
    if (waiting)
        QGuiApplication::restoreOverrideCursor();
    return answer;
}

// Activates the window and puts the focus back on its control, as the user left them. The focus
// comes back with the window, so it runs no control's focus handlers.
void GiveFocusBack(QWidget* window, QWidget* control) {
    if (!window || !window->isVisible())
        return;
    window->raise();
    window->activateWindow();
    if (control && control->window() == window && control->isVisible() && control->isEnabled())
        control->setFocus(Qt::ActiveWindowFocusReason);
}

} // namespace

FocusReturn::FocusReturn() : m_window(QApplication::activeWindow()) {
    if (m_window)
        m_control = m_window->focusWidget();
}

FocusReturn::~FocusReturn() {
    if (!m_window)
        return;
    GiveFocusBack(m_window, m_control);
    // A native dialog's window may hand the activation on only as it goes, after the call has
    // returned: once that has happened, look again.
    QTimer::singleShot(0, m_window, [window = m_window, control = m_control] {
        if (QApplication::activeWindow() != window)
            GiveFocusBack(window, control);
    });
}

QStringList ToQtNameFilters(std::string_view filter) {
    const QStringList parts = ToQString(filter).split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        // Qt reads the patterns from the parenthesised end of the description, so that end must hold
        // the pair's real patterns, whatever the description shows.
        if (description.endsWith(QLatin1Char(')'))) {
            const qsizetype open = description.lastIndexOf(QLatin1Char('('));
            if (open >= 0)
                description = description.left(open).trimmed();
        }
        QString patterns = parts[i + 1].trimmed();
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        result << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return result;
}

QtPlatform::QtPlatform(QString settingsFile) : m_settingsFile(std::move(settingsFile)) {}

QtPlatform::~QtPlatform() {
    endProgress();
}

void QtPlatform::showMessage(const std::string& text) {
    ShowBox(QMessageBox::NoIcon, text);
}

void QtPlatform::showMessageOfKind(const Message& message) {
    ShowBox(IconOf(message.kind), message.text);
}

bool QtPlatform::askYesNo(const std::string& text) {
    return ShowBox(QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

std::string QtPlatform::showFileDialog(const FileDialogRequest& request) {
    if (m_nextFileName) {
        std::string answer = std::move(*m_nextFileName);
        m_nextFileName.reset();
        return answer;
    }
    const FocusReturn focusReturn;
    QFileDialog dialog(focusReturn.window(), ToQString(request.title), ToQString(request.initialFolder));
    dialog.setOption(QFileDialog::DontUseNativeDialog, !NativeFileDialogsWork());
    const QStringList filters = ToQtNameFilters(request.filter);
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[request.filterIndex - 1]);
    if (request.save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        const auto takeSuffixOf = [&dialog](const QString& filter) {
            dialog.setDefaultSuffix(DefaultSuffixOf(filter));
        };
        takeSuffixOf(dialog.selectedNameFilter());
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, takeSuffixOf);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (!request.initialFileName.empty())
        dialog.selectFile(ToQString(request.initialFileName));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? std::string() : ToStdString(QDir::toNativeSeparators(chosen.first()));
}

std::string QtPlatform::showFolderDialog(const std::string& title, const std::string& initialFolder) {
    if (m_nextFileName) {
        std::string answer = std::move(*m_nextFileName);
        m_nextFileName.reset();
        return answer;
    }
    const FocusReturn focusReturn;
    QFileDialog dialog(focusReturn.window(), ToQString(title), ToQString(initialFolder));
    dialog.setOption(QFileDialog::DontUseNativeDialog, !NativeFileDialogsWork());
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? std::string() : ToStdString(QDir::toNativeSeparators(chosen.first()));
}

void QtPlatform::setWaitCursor(bool wait) {
    if (m_waiting == wait)
        return;
    m_waiting = wait;
    if (wait)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

bool QtPlatform::openDocument(const std::string& path) {
    // A file, or a folder to show in the desktop's file manager.
    if (!QFileInfo::exists(ToQString(path)))
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(ToQString(path)));
}

bool QtPlatform::showHelpViewer(const std::string& path) {
    if (!m_helpViewer) {
        m_helpViewer = std::make_unique<HelpViewer>();
        // A window of its own, but with the program's icon: that of the window that asked for it.
        if (const QWidget* asking = QApplication::activeWindow())
            m_helpViewer->setWindowIcon(asking->windowIcon());
    }
    return m_helpViewer->showFile(ToQString(path));
}

std::unique_ptr<QSettings> QtPlatform::openSettings(const std::string& keyPath) const {
    if (!m_settingsFile.isEmpty())
        return std::make_unique<QSettings>(m_settingsFile, QSettings::IniFormat);
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\") + ToQString(keyPath),
                                       QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, StoreName(keyPath));
#endif
}

std::string QtPlatform::readSetting(const std::string& keyPath, const std::string& name) {
    return ToStdString(openSettings(keyPath)->value(ToQString(name)).toString());
}

void QtPlatform::writeSetting(const std::string& keyPath, const std::string& name, const std::string& value) {
    const std::unique_ptr<QSettings> settings = openSettings(keyPath);
    settings->setValue(ToQString(name), ToQString(value));
    settings->sync();
    // Said once a run: the program goes on with the choices made, they only do not outlive it.
    if (settings->status() == QSettings::NoError || m_settingsFailureShown)
        return;
    m_settingsFailureShown = true;
    showMessageOfKind({MessageKind::Failure,
                       "Could not save the settings in " +
                           ToStdString(QDir::toNativeSeparators(settings->fileName())) +
                           ".\n\nThe choices made stay until the program ends, but it will not remember "
                           "them next time."});
}

std::string QtPlatform::programFolder() {
    return ToStdString(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
}

std::string QtPlatform::documentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    // A desktop that has never made its documents folder starts in the home folder.
    return ToStdString(QDir::toNativeSeparators(
        !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath()));
}

void QtPlatform::beginProgress(const std::string& label) {
    endProgress();
    m_progressLabel = ToQString(label);
    m_progressActive = true;
    m_cancelled = false;
    m_progressClock.start();
    m_sinceEvents.start();
}

bool QtPlatform::reportProgress(unsigned long long done, unsigned long long total) {
    if (!m_progressActive)
        return true;
    if (m_progress && m_progress->wasCanceled())
        m_cancelled = true;
    if (m_cancelled)
        return false;
    if (m_progress && m_sinceEvents.elapsed() < kEventIntervalMs)
        return true;
    if (!m_progress) {
        if (m_progressClock.elapsed() < m_progressDelayMs)
            return true;
        m_progress = new QProgressDialog(m_progressLabel, QCoreApplication::translate("QtPlatform", "Cancel"),
                                         0, kProgressSteps, QApplication::activeWindow());
        m_progress->setWindowTitle(QString::fromUtf8(kMessageCaption));
        m_progress->setWindowModality(Qt::WindowModal);
        m_progress->setMinimumDuration(0);
        m_progress->setAutoClose(false);
        m_progress->setAutoReset(false);
        m_progress->show();
    }
    const double share = total == 0 ? 0.0 : static_cast<double>(done) / static_cast<double>(total);
    m_progress->setValue(static_cast<int>(std::min(share, 1.0) * kProgressSteps));
    // Lets the windows repaint and the Cancel button answer.
    QCoreApplication::processEvents();
    m_sinceEvents.restart();
    if (m_progress->wasCanceled())
        m_cancelled = true;
    return !m_cancelled;
}

void QtPlatform::endProgress() {
    m_progressActive = false;
    if (m_progress) {
        m_progress->hide();
        m_progress->deleteLater();
        m_progress = nullptr;
    }
}

} // namespace tes
