#pragma once

#include "cli/progress_line.h"
#include "lib/platform.h"

#include <deque>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace tes::cli {

// The platform as the command line sees it. Message boxes become lines on the error stream; a file
// dialog answers with the path the command line named for it; settings live only as long as the run,
// so a batch run never changes the folders the user's window remembers.
class CliPlatform final : public Platform {
public:
    CliPlatform(std::ostream& err, bool errIsTerminal, std::string programFolder);

    void showMessage(const std::string& text) override;
    std::string showFileDialog(const FileDialogRequest& request) override;
    void setWaitCursor(DialogOwner, bool) override {}
    bool openDocument(const std::string&) override { return false; }
    std::string readSetting(const std::string& keyPath, const std::string& name) override;
    void writeSetting(const std::string& keyPath, const std::string& name, const std::string& value) override;
    bool fileExists(const std::string& path) override;
    std::string programFolder() override { return m_programFolder; }

    void beginProgress(const std::string& label) override { m_progress.begin(label); }
    bool reportProgress(unsigned long long done, unsigned long long total) override;
    void endProgress() override { m_progress.end(); }

    // The answer of the next file dialog; a dialog with no answer queued is cancelled.
    void queueDialogAnswer(std::string path) { m_dialogAnswers.push_back(std::move(path)); }
    // Every message shown so far, in order.
    const std::vector<std::string>& messages() const { return m_messages; }

private:
    std::ostream& m_err;
    ProgressLine m_progress;
    std::string m_programFolder;
    std::deque<std::string> m_dialogAnswers;
    std::vector<std::string> m_messages;
    std::map<std::string, std::string> m_settings;
};

} // namespace tes::cli
