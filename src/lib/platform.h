#pragma once

#include "lib/message.h"
#include "lib/progress.h"

#include <string>

// Everything the program asks of the platform: message boxes, file dialogs, the wait pointer, the
// shell, the help viewer, the per-user settings store and the progress display. The windows provide
// it with Qt, the command line and the tests with their own.
namespace tes {

// A file dialog, owned by the window the user is working in.
struct FileDialogRequest {
    std::string title;
    std::string initialFolder;
    std::string filter;  // "PRJ File (*.prj)|*.prj"
    int filterIndex = 1; // counts the description/pattern pairs from 1
    bool save = false;   // open dialogs accept existing files only; save dialogs ask nothing
    std::string initialFileName;
};

class Platform : public Progress {
public:
    virtual ~Platform() = default;

    // A message box with an OK button only, no icon, and the application's name as its caption.
    // Returns when the user has closed it.
    virtual void showMessage(const std::string& text) = 0;
    // The same box with the icon of the message's kind: information for a notice, a warning for a
    // refusal, an error for a failure. A platform without icons shows the text alone.
    virtual void showMessageOfKind(const Message& message) { showMessage(message.text); }
    // A question in the same box with Yes and No: true for Yes. A platform that cannot ask answers No.
    virtual bool askYesNo(const std::string& /*text*/) { return false; }
    // The chosen file's full path, or the empty text when the user cancelled or the dialog failed.
    virtual std::string showFileDialog(const FileDialogRequest& request) = 0;
    // A dialog that chooses a folder, starting in `initialFolder`: its full path, or the empty text when
    // the user cancelled (as a platform without dialogs always does).
    virtual std::string showFolderDialog(const std::string& /*title*/, const std::string& /*initialFolder*/) {
        return {};
    }
    // The wait (hourglass) pointer over the program's windows, or the normal pointer again. Asking for
    // the pointer already shown changes nothing.
    virtual void setWaitCursor(bool wait) = 0;
    // Opens a document with the desktop's associated program; false when that failed.
    virtual bool openDocument(const std::string& path) = 0;
    // Shows an HTML document in the program's own viewer, for a desktop that cannot open it; false when
    // the document cannot be read or the platform has no viewer (the command line has none).
    virtual bool showHelpViewer(const std::string& /*path*/) { return false; }

    // The per-user settings store: a location named by `keyPath` ("Software\Tolvane Enviro Scripter")
    // holding named text values. A missing value reads as the empty text; writing creates the location.
    virtual std::string readSetting(const std::string& keyPath, const std::string& name) = 0;
    virtual void writeSetting(const std::string& keyPath, const std::string& name,
                              const std::string& value) = 0;

    // The folder that holds the program's executable.
    virtual std::string programFolder() = 0;
    // The user's own documents folder, where file dialogs start before any folder is remembered; the
    // empty text when the platform has none.
    virtual std::string documentsFolder() { return {}; }
};

} // namespace tes
