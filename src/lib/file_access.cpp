#include "lib/file_access.h"

#include "lib/failure.h"
#include "lib/wide_text.h"

#include <cerrno>
#include <sys/stat.h>

namespace tes {

std::filesystem::path PathFromUtf8(std::string_view path) {
#ifdef _WIN32
    return std::filesystem::path(WideFromUtf8(path));
#else
    return std::filesystem::path(path);
#endif
}

std::string Utf8FromPath(const std::filesystem::path& path) {
#ifdef _WIN32
    return Utf8FromWide(path.native());
#else
    return path.string();
#endif
}

namespace {

// The failure for a file that could not be opened. A missing file whose folder is missing too is
// "Path not found", as the classic runtime reports it.
Failure OpenFailure(const std::string& path, int errorNumber) {
    if (errorNumber == ENOENT) {
        std::error_code ec;
        const std::filesystem::path parent = PathFromUtf8(path).parent_path();
        if (!parent.empty() && !std::filesystem::is_directory(parent, ec))
            return failures::pathNotFound();
    }
    return failures::fromErrno(errorNumber);
}

// The size of an open file; false, with errno set, when the system cannot tell it.
bool SizeOfOpenFile(std::FILE* file, std::uint64_t& size) {
#ifdef _WIN32
    struct _stat64 info {};
    if (::_fstat64(::_fileno(file), &info) != 0)
        return false;
#else
    struct stat info {};
    if (::fstat(::fileno(file), &info) != 0)
        return false;
#endif
    size = info.st_size > 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
    return true;
}

} // namespace

FileHandle OpenForReading(const std::string& path, std::uint64_t& size) {
    // Asked before opening: Linux opens a folder for reading, Windows refuses it as "access denied".
    std::error_code ec;
    if (std::filesystem::is_directory(PathFromUtf8(path), ec))
        throw failures::pathFileAccessError();
#ifdef _WIN32
    FileHandle file(::_wfopen(PathFromUtf8(path).c_str(), L"rb"));
#else
    FileHandle file(std::fopen(PathFromUtf8(path).c_str(), "rb"));
#endif
    if (!file)
        throw OpenFailure(path, errno);
    if (!SizeOfOpenFile(file.get(), size))
        throw failures::fromErrno(errno);
    return file;
}

std::string ReadFileBytes(const std::string& path) {
    std::uint64_t size = 0;
    const FileHandle file = OpenForReading(path, size);
    std::string bytes;
    try {
        bytes.resize(static_cast<std::size_t>(size));
        std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file.get());
        bytes.resize(got);
        // The file may have grown since its size was taken: read on to its end.
        char block[65536];
        while (!std::ferror(file.get()) && !std::feof(file.get())) {
            got = std::fread(block, 1, sizeof block, file.get());
            bytes.append(block, got);
        }
    } catch (const std::bad_alloc&) {
        throw failures::outOfMemory();
    }
    if (std::ferror(file.get()))
        throw failures::deviceIoError();
    return bytes;
}

bool IsRegularFile(const std::string& path) {
    try {
        std::error_code ec;
        return std::filesystem::is_regular_file(PathFromUtf8(path), ec);
    } catch (const std::exception&) {
        return false; // a name that does not convert to the system's form
    }
}

} // namespace tes
