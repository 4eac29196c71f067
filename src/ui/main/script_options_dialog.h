#pragma once

#include "core/script/script_style.h"

#include <functional>
#include <string>

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QComboBox;
class QPushButton;

namespace tes {

struct Context;

// "Script Options": how the placement scripts are written (the fast shape, instances, UTF-8) and the
// point cache beside them, each with a line that says when to choose it, and the folder they go into.
// The boxes start from the style given; OK ends it once the folder is taken, Cancel at once.
class ScriptOptionsDialog final : public QDialog {
    Q_OBJECT
public:
    explicit ScriptOptionsDialog(const ScriptStyle& style, QWidget* owner = nullptr);

    // The style the boxes show now.
    ScriptStyle chosenStyle() const;
    // The folder the scripts go into; empty: beside the project.
    void setOutputFolder(const std::string& folder);
    std::string outputFolder() const;
    // What the folder's Browse... button does: the folder to show, from the one typed.
    void setFolderBrowser(std::function<std::string(const std::string& typed)> browse);
    // Whether OK may take the folder typed (it says why not itself); OK keeps the dialog open otherwise.
    void setFolderCheck(std::function<bool(const std::string& folder)> check);

    void accept() override;

private:
    QCheckBox* addOption(const char* name, const char* caption, const char* explanation, bool checked);
    void addCacheChoice(PointCache cache);

    QCheckBox* m_fast = nullptr;
    QCheckBox* m_instances = nullptr;
    QCheckBox* m_utf8 = nullptr;
    QLineEdit* m_outputFolder = nullptr;
    QPushButton* m_browseFolder = nullptr;
    QComboBox* m_cache = nullptr;
    std::function<std::string(const std::string&)> m_browse;
    std::function<bool(const std::string&)> m_folderTaken;
};

// Runs a dialog modally and returns how it ended (QDialog::Accepted or Rejected). Tests answer in the
// user's place through one of their own, so nothing waits on a real dialog.
using DialogRunner = std::function<int(QDialog&)>;
int ExecDialog(QDialog& dialog);

// The "Script Options..." button: the dialog over `owner`, starting from ctx.scriptStyle and the Output
// folder. OK (once the folder can take the scripts) keeps the choice for the next builds and in the
// per-user settings; Cancel changes nothing.
void EditScriptOptions(Context& ctx, QWidget* owner, const DialogRunner& run = ExecDialog);

} // namespace tes
