#pragma once

#include "lib/platform.h"

#include <memory>
#include <optional>
#include <string_view>

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>
#include <QString>
#include <QStringList>

class QSettings;
class QWidget;

namespace tes {

class HelpViewer;

// Turns a dialog filter of description|pattern pairs ("PRJ File (*.prj)|*.prj") into Qt's name filters
// ("PRJ File (*.prj)"), one per pair.
QStringList ToQtNameFilters(std::string_view filter);

// Remembers the active window and the control in it that has the focus, and gives both the focus back
// when it ends. A file dialog can close leaving no window of the program active (Wine's native one
// does), and the keyboard then reaches nothing until a click.
class FocusReturn {
public:
    FocusReturn();
    ~FocusReturn();
    FocusReturn(const FocusReturn&) = delete;
    FocusReturn& operator=(const FocusReturn&) = delete;

    // The window that was active: the dialog's owner.
    QWidget* window() const { return m_window; }

private:
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_control;
};

// The platform services of the windows, provided with Qt.
class QtPlatform final : public Platform {
public:
    // `settingsFile`: when given, the settings live in that INI file instead of the per-user store
    // (the tests keep theirs in a temporary folder).
    explicit QtPlatform(QString settingsFile = {});
    ~QtPlatform() override;

    void showMessage(const std::string& text) override;
    void showMessageOfKind(const Message& message) override;
    bool askYesNo(const std::string& text) override;
    std::string showFileDialog(const FileDialogRequest& request) override;
    std::string showFolderDialog(const std::string& title, const std::string& initialFolder) override;
    void setWaitCursor(bool wait) override;
    bool openDocument(const std::string& path) override;
    bool showHelpViewer(const std::string& path) override;
    std::string readSetting(const std::string& keyPath, const std::string& name) override;
    void writeSetting(const std::string& keyPath, const std::string& name, const std::string& value) override;
    std::string programFolder() override;
    std::string documentsFolder() override;

    void beginProgress(const std::string& label) override;
    bool reportProgress(unsigned long long done, unsigned long long total) override;
    void endProgress() override;

    // The next file or folder dialog answers this path without showing itself: a seam for tests that
    // press a button which opens a dialog.
    void setNextFileName(const std::string& path) { m_nextFileName = path; }
    // How long work must run before its progress window appears.
    void setProgressDelay(int milliseconds) { m_progressDelayMs = milliseconds; }
    QProgressDialog* progressDialog() const { return m_progress; }
    // The one help window, once asked for.
    HelpViewer* helpViewer() const { return m_helpViewer.get(); }

private:
    std::unique_ptr<QSettings> openSettings(const std::string& keyPath) const;

    QString m_settingsFile;
    std::optional<std::string> m_nextFileName;
    bool m_waiting = false;
    int m_progressDelayMs = 500;
    QElapsedTimer m_progressClock;
    QElapsedTimer m_sinceEvents;
    QString m_progressLabel;
    QPointer<QProgressDialog> m_progress;
    bool m_progressActive = false;
    bool m_cancelled = false;
    bool m_settingsFailureShown = false; // the settings could not be written, and that was said
    std::unique_ptr<HelpViewer> m_helpViewer;
};

} // namespace tes
