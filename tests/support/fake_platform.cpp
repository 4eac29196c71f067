#include "support/fake_platform.h"

#include <filesystem>

namespace tes::test {

std::string FakePlatform::showFileDialog(const FileDialogRequest& request) {
    dialogRequests.push_back(request);
    if (dialogAnswers.empty())
        return {};
    std::string answer = dialogAnswers.front();
    dialogAnswers.pop_front();
    return answer;
}

std::string FakePlatform::readSetting(const std::string& keyPath, const std::string& name) {
    auto it = settings.find(keyPath + "|" + name);
    return it == settings.end() ? std::string() : it->second;
}

void FakePlatform::writeSetting(const std::string& keyPath, const std::string& name,
                                const std::string& value) {
    settings[keyPath + "|" + name] = value;
    settingWrites.push_back(name + "=" + value);
}

} // namespace tes::test
