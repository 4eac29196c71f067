#pragma once

#include "cli/progress_line.h"
#include "lib/platform.h"

#include <map>
#include <ostream>
#include <string>

namespace tes::cli {

// The platform as the command line sees it. Message boxes become lines on the error stream; there are
// no file dialogs (the command line names its files itself); settings live only as long as the run,
// so a batch run never changes the folders the user's window remembers.
class CliPlatform final : public Platform {
public:
    CliPlatform(std::ostream& err, bool errIsTerminal, std::string programFolder);

    void showMessage(const std::string& text) override;
    std::string showFileDialog(const FileDialogRequest&) override { return {}; }
    void setWaitCursor(bool) override {}
    bool openDocument(const std::string&) override { return false; }
    std::string readSetting(const std::string& keyPath, const std::string& name) override;
    void writeSetting(const std::string& keyPath, const std::string& name, const std::string& value) override;
    std::string programFolder() override { return m_programFolder; }

    void beginProgress(const std::string& label) override { m_progress.begin(label); }
    bool reportProgress(unsigned long long done, unsigned long long total) override;
    void endProgress() override { m_progress.end(); }

private:
    std::ostream& m_err;
    ProgressLine m_progress;
    std::string m_programFolder;
    std::map<std::string, std::string> m_settings;
};

} // namespace tes::cli
