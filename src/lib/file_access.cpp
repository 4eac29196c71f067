#include "lib/file_access.h"

#include "lib/failure.h"
#include "lib/wide_text.h"

#include <cerrno>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

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

#ifdef _WIN32
// The size of an open file; false, with errno set, when the system cannot tell it.
bool SizeOfOpenFile(std::FILE* file, std::uint64_t& size) {
    struct _stat64 info {};
    if (::_fstat64(::_fileno(file), &info) != 0)
        return false;
    size = info.st_size > 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
    return true;
}
#endif

} // namespace

FileHandle OpenForReading(const std::string& path, std::uint64_t& size) {
    // Only a regular file is read: a pipe would wait for a writer that may never come, a device
    // reads endlessly or not at all, and Windows refuses a folder as "access denied". Asked before
    // opening, so that no device is opened, and again of the open file, which is what is read.
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(PathFromUtf8(path), ec);
    if (!ec && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        throw failures::pathFileAccessError();
#ifdef _WIN32
    FileHandle file(::_wfopen(PathFromUtf8(path).c_str(), L"rb"));
    if (!file)
        throw OpenFailure(path, errno);
    // A console, a printer port or a named pipe: not a file on a disk.
    if (::GetFileType(reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(file.get())))) != FILE_TYPE_DISK)
        throw failures::pathFileAccessError();
    if (!SizeOfOpenFile(file.get(), size))
        throw failures::fromErrno(errno);
    return file;
#else
    // Without O_NONBLOCK, opening a pipe that no one writes to would wait; a regular file opened so
    // reads as any other once the flag is cleared.
    const int fd = ::open(PathFromUtf8(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw OpenFailure(path, errno);
    const auto refuse = [fd](const Failure& failure) {
        ::close(fd);
        throw failure;
    };
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        refuse(failures::fromErrno(errno));
    if (!S_ISREG(info.st_mode))
        refuse(failures::pathFileAccessError());
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
        refuse(failures::fromErrno(errno));
    FileHandle file(::fdopen(fd, "rb"));
    if (!file)
        refuse(failures::fromErrno(errno));
    size = info.st_size > 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
    return file;
#endif
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
