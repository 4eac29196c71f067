#include "cli/cli_platform.h"

#include <utility>

namespace tes::cli {

CliPlatform::CliPlatform(std::ostream& err, bool errIsTerminal, std::string programFolder)
    : m_err(err), m_progress(err, errIsTerminal), m_programFolder(std::move(programFolder)) {}

void CliPlatform::showMessage(const std::string& text) {
    m_progress.clear();
    m_err << text << '\n' << std::flush;
}

std::string CliPlatform::readSetting(const std::string& keyPath, const std::string& name) {
    const auto it = m_settings.find(keyPath + '\n' + name);
    return it == m_settings.end() ? std::string() : it->second;
}

void CliPlatform::writeSetting(const std::string& keyPath, const std::string& name,
                               const std::string& value) {
    m_settings[keyPath + '\n' + name] = value;
}

bool CliPlatform::reportProgress(unsigned long long done, unsigned long long total) {
    m_progress.report(done, total);
    return true;
}

} // namespace tes::cli
