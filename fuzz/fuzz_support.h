#pragma once

#include "lib/platform.h"

#include <cstdint>
#include <string>
#include <string_view>

// What every fuzz target shares: a platform that answers quietly, and a scratch folder.
namespace tes::fuzz {

class QuietPlatform : public Platform {
public:
    void showMessage(const std::string&) override {}
    std::string showFileDialog(const FileDialogRequest&) override { return {}; }
    void setWaitCursor(bool) override {}
    bool openDocument(const std::string&) override { return false; }
    std::string readSetting(const std::string&, const std::string&) override { return {}; }
    void writeSetting(const std::string&, const std::string&, const std::string&) override {}
    std::string programFolder() override { return "/nonexistent"; }
};

// A folder of this process's own under the temporary folder, made on first use.
const std::string& ScratchFolder();
// Writes bytes to a file in the scratch folder and returns its path.
std::string WriteScratchFile(const std::string& name, std::string_view bytes);

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Stops the run with a message naming the broken property.
[[noreturn]] void Fail(const char* what);

} // namespace tes::fuzz
