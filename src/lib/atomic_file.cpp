#include "lib/atomic_file.h"

#include "lib/failure.h"
#include "lib/file_access.h"
#include "lib/text_codec.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#ifdef _WIN32
#include <io.h>
#include <random>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tes {

namespace {

constexpr std::size_t kWriteBuffer = std::size_t{1} << 20;

Failure BadFileNumber() {
    return Failure(52, "Bad file name or number");
}

std::filesystem::path FolderOf(const std::filesystem::path& target) {
    std::filesystem::path folder = target.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

// The temporary file's name: hidden beside the target, after it, with the suffix.
std::string TempPath(const std::filesystem::path& target, const std::string& suffix) {
    // Appended rather than "." + name, which GCC 12 at -O3 warns of wrongly (-Wrestrict).
    std::string name = ".";
    name += Utf8FromPath(target.filename());
    name += suffix;
    return Utf8FromPath(FolderOf(target) / PathFromUtf8(name));
}

#ifndef _WIN32
mode_t NewFileMode(const std::string& target) {
    struct stat info {};
    if (::stat(PathFromUtf8(target).c_str(), &info) == 0 && S_ISREG(info.st_mode))
        return info.st_mode & 07777; // a replaced file keeps its permissions
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}
#endif

// Starts writing a range of the file from the system's cache to the disk and returns without waiting.
// A hint: where the system has no such call, or refuses it, the flush at the end does all the work.
void StartWriteBack(std::FILE* file, std::uint64_t offset, std::uint64_t length) {
#if defined(__linux__)
    if (length > 0) // a length of 0 would mean "to the end of the file"
        (void)::sync_file_range(::fileno(file), static_cast<off64_t>(offset), static_cast<off64_t>(length),
                                SYNC_FILE_RANGE_WRITE);
#else
    (void)file;
    (void)offset;
    (void)length;
#endif
}

// Writes the file's bytes from the system's cache to the disk and waits for them; false, with errno
// set, when that fails.
bool FlushToDisk(std::FILE* file) {
#ifdef _WIN32
    return ::_commit(::_fileno(file)) == 0;
#else
    return ::fsync(::fileno(file)) == 0;
#endif
}

// Makes a rename inside the folder durable; returns 0 or the errno of the failed flush. Some file
// systems refuse to flush a folder (EINVAL), and a folder that may be written but not read cannot be
// opened for it: both count as done. Windows has no flush of a folder.
int FlushFolderToDisk(const std::filesystem::path& folder) {
#ifdef _WIN32
    (void)folder;
    return 0;
#else
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return 0;
    const int error = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return error == EINVAL ? 0 : error;
#endif
}

} // namespace

AtomicTextWriter::AtomicTextWriter(std::string targetPath, std::uint64_t byteLimit)
    : m_target(std::move(targetPath)), m_byteLimit(byteLimit) {
    const std::filesystem::path target = PathFromUtf8(m_target);
    std::error_code ec;
    if (std::filesystem::is_directory(target, ec))
        throw failures::pathFileAccessError().inFile(m_target);
#ifdef _WIN32
    // A fresh name beside the target, created exclusively so no other file is ever overwritten.
    std::random_device random;
    for (int attempt = 0; attempt < 100 && m_file == nullptr; ++attempt) {
        m_temp = TempPath(target, "." + std::to_string(random()) + ".tmp");
        m_file = ::_wfopen(PathFromUtf8(m_temp).c_str(), L"wbx");
        if (m_file == nullptr && errno != EEXIST) {
            const int error = errno;
            m_temp.clear();
            throw(error == ENOENT ? failures::pathNotFound() : failures::fromErrno(error)).inFile(m_target);
        }
    }
    if (m_file == nullptr) {
        m_temp.clear();
        throw failures::pathFileAccessError().inFile(m_target);
    }
#else
    std::string pattern = TempPath(target, ".XXXXXX");
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        const int error = errno;
        throw(error == ENOENT || error == ENOTDIR ? failures::pathNotFound() : failures::fromErrno(error))
            .inFile(m_target);
    }
    m_temp = pattern;
    ::fchmod(fd, NewFileMode(m_target));
    m_file = ::fdopen(fd, "wb");
    if (m_file == nullptr) {
        const int error = errno;
        ::close(fd);
        discard();
        throw failures::fromErrno(error).inFile(m_target);
    }
#endif
    m_buffer.resize(kWriteBuffer);
}

AtomicTextWriter::~AtomicTextWriter() {
    if (!m_committed)
        discard();
}

void AtomicTextWriter::discard() {
    if (m_file != nullptr)
        std::fclose(m_file);
    m_file = nullptr;
    if (!m_temp.empty()) {
        std::error_code ignored;
        std::filesystem::remove(PathFromUtf8(m_temp), ignored);
    }
    m_temp.clear();
    m_used = 0;
}

void AtomicTextWriter::fail(int errorNumber) {
    discard();
    throw failures::fromErrno(errorNumber).inFile(m_target);
}

void AtomicTextWriter::count(std::size_t bytes) {
    if (bytes > m_byteLimit - m_written) {
        discard();
        throw failures::diskFull().inFile(m_target);
    }
    m_written += bytes;
}

void AtomicTextWriter::writeLine(std::string_view utf8Line) {
    if (m_file == nullptr)
        throw BadFileNumber();
    // Scripts are nearly all ASCII, which is the same in both encodings.
    if (IsAscii(utf8Line)) {
        putLine(utf8Line);
    } else {
        m_converted.clear();
        AppendUtf8AsCp1252(m_converted, utf8Line);
        putLine(m_converted);
    }
}

void AtomicTextWriter::writeUtf8Line(std::string_view utf8Line) {
    if (m_file == nullptr)
        throw BadFileNumber();
    putLine(utf8Line);
}

void AtomicTextWriter::writeEncoded(std::string_view bytes) {
    if (m_file == nullptr)
        throw BadFileNumber();
    flushBuffer();
    count(bytes.size());
    writeBytes(bytes);
}

void AtomicTextWriter::rewrite(std::uint64_t offset, std::string_view bytes) {
    if (m_file == nullptr)
        throw BadFileNumber();
    if (offset > m_written || bytes.size() > m_written - offset || offset > 0x7FFFFFFF)
        throw std::invalid_argument("AtomicTextWriter::rewrite: past the bytes written");
    flushBuffer();
    if (std::fseek(m_file, static_cast<long>(offset), SEEK_SET) != 0)
        fail(errno);
    writeBytes(bytes);
    if (std::fseek(m_file, 0, SEEK_END) != 0)
        fail(errno);
}

void AtomicTextWriter::putLine(std::string_view bytes) {
    const std::size_t added = bytes.size() + 2;
    count(added);
    if (m_used + added > m_buffer.size())
        flushBuffer();
    if (added > m_buffer.size()) {
        writeBytes(bytes);
        writeBytes("\r\n");
        return;
    }
    if (!bytes.empty()) // an empty view may hold no pointer at all
        std::memcpy(m_buffer.data() + m_used, bytes.data(), bytes.size());
    m_buffer[m_used + bytes.size()] = '\r';
    m_buffer[m_used + bytes.size() + 1] = '\n';
    m_used += added;
}

void AtomicTextWriter::flushBuffer() {
    writeBytes(std::string_view(m_buffer.data(), m_used));
    m_used = 0;
}

void AtomicTextWriter::writeBytes(std::string_view bytes) {
    if (bytes.empty())
        return;
    if (std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size())
        fail(errno);
}

void AtomicTextWriter::startWriteBack() {
    if (m_file == nullptr)
        throw BadFileNumber();
    flushBuffer();
    if (std::fflush(m_file) != 0)
        fail(errno);
    // Every byte counted so far is in the file now, which was written from its start without gaps.
    StartWriteBack(m_file, m_writeBackFrom, m_written - m_writeBackFrom);
    m_writeBackFrom = m_written;
}

void AtomicTextWriter::commit() {
    if (m_file == nullptr)
        throw BadFileNumber();
    flushBuffer();
    // The bytes reach the disk before the name does: a power cut after the rename then finds them.
    if (std::fflush(m_file) != 0 || !FlushToDisk(m_file))
        fail(errno);
    const int closed = std::fclose(m_file);
    const int closeError = errno;
    m_file = nullptr;
    if (closed != 0)
        fail(closeError);
    // std::filesystem replaces an existing target, which the C library's rename refuses on Windows.
    std::error_code renamed;
    std::filesystem::rename(PathFromUtf8(m_temp), PathFromUtf8(m_target), renamed);
    if (renamed)
        fail(renamed.default_error_condition().value());
    m_temp.clear();
    m_committed = true;
    if (const int error = FlushFolderToDisk(FolderOf(PathFromUtf8(m_target))))
        throw failures::fromErrno(error).inFile(m_target);
}

} // namespace tes
