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
            if (!folder && !std::filesystem::is_regular_file(status))
                return what + " is actually " + NonFileKind(name).value_or("no regular file") + ": " + name;
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

std::optional<std::string> NonFileKind(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::file_status status;
    try {
        status = fs::status(PathFromUtf8(path), error);
    } catch (const std::exception&) {
        return std::nullopt; // a name the system cannot take: it is not there
    }
    switch (status.type()) {
    case fs::file_type::regular:
    case fs::file_type::not_found:
    case fs::file_type::none:
        return std::nullopt;
    case fs::file_type::directory:
        return "a folder";
    case fs::file_type::fifo:
        return "a pipe";
    case fs::file_type::character:
    case fs::file_type::block:
        return "a device";
    case fs::file_type::socket:
        return "a socket";
    default:
        return "no regular file";
    }
}

} // namespace tes::cli
