#include "cli/path_checks.h"

#include "lib/file_access.h"

#include <filesystem>
#include <string>

namespace tes::cli {

namespace {

CLI::Validator Existing(bool folder) {
    return CLI::Validator(
        [folder](std::string& name) {
            std::error_code error;
            const std::filesystem::file_status status = std::filesystem::status(PathFromUtf8(name), error);
            const std::string what = folder ? "Folder" : "File";
            if (error || !std::filesystem::exists(status))
                return what + " does not exist: " + name;
            if (std::filesystem::is_directory(status) != folder)
                return what + " is actually a " + (folder ? "file: " : "directory: ") + name;
            return std::string();
        },
        "");
}

} // namespace

CLI::Validator ExistingFile() {
    return Existing(false);
}

CLI::Validator ExistingFolder() {
    return Existing(true);
}

} // namespace tes::cli
