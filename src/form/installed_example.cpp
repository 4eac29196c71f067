#include "form/installed_example.h"

#include "lib/fields.h"
#include "lib/file_access.h"

#include <filesystem>
#include <system_error>

namespace tes {

namespace {

namespace fs = std::filesystem;

bool SameComponent(const fs::path& a, const fs::path& b) {
#ifdef _WIN32
    // Windows' file names ignore case: C:\Program Files is C:\PROGRAM FILES.
    return EqualsIgnoringAsciiCase(Utf8FromPath(a), Utf8FromPath(b));
#else
    return a == b;
#endif
}

// Whether `path` lies within `folder`, by their names: "a\b\..\c" is "a\c", and a closing separator
// counts for nothing.
bool IsWithin(const std::string& path, const std::string& folder) {
    if (folder.empty())
        return false;
    const fs::path inner = PathFromUtf8(path).lexically_normal();
    fs::path outer = PathFromUtf8(folder).lexically_normal();
    if (!outer.has_filename())
        outer = outer.parent_path();
    auto in = inner.begin();
    for (auto out = outer.begin(); out != outer.end(); ++out, ++in) {
        if (in == inner.end() || !SameComponent(*out, *in))
            return false;
    }
    return true;
}

// Copies the files of `from` and its folders that `to` lacks; those it has stay as they are. By hand,
// since std::filesystem::copy takes two files on Windows (MinGW) for the same one once both exist.
void CopyMissingFiles(const fs::path& from, const fs::path& to, std::error_code& ec) {
    fs::create_directories(to, ec);
    for (fs::recursive_directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path target = to / it->path().lexically_relative(from);
        if (it->is_directory(ec))
            fs::create_directories(target, ec);
        else if (!ec && !fs::exists(target, ec) && !ec)
            fs::copy_file(it->path(), target, ec);
    }
}

} // namespace

ProjectToOpen ProjectOutsideProgramFolder(const std::string& projectPath, const std::string& programFolder,
                                          const std::string& documentsFolder) {
    if (documentsFolder.empty() || !IsWithin(projectPath, programFolder))
        return {projectPath, {}, {}};
    const std::string sourceFolder = FolderOfPath(projectPath);
    const std::string folderName = GetFileNameFromPath(sourceFolder);
    const std::string copies = JoinPath(documentsFolder, kExampleCopiesFolder);
    const std::string copyFolder = JoinPath(copies, folderName);
    const std::string copy = JoinPath(copyFolder, GetFileNameFromPath(projectPath));
    const std::string shown =
        JoinPath(JoinPath(GetFileNameFromPath(documentsFolder), kExampleCopiesFolder), folderName);

    std::error_code ec;
    if (!fs::exists(PathFromUtf8(copy), ec)) {
        CopyMissingFiles(PathFromUtf8(sourceFolder), PathFromUtf8(copyFolder), ec);
        if (ec)
            return {{},
                    {},
                    {Message{MessageKind::Failure,
                             "Could not copy the example to " + copyFolder + ": " + ec.message() +
                                 ".\n\nThe installed example is not opened, since the program "
                                 "does not write into its own folder."}}};
    }
    return {copy, "Opened the example from " + shown + " (the installed copy stays as it was)", {}};
}

} // namespace tes
