#include "lib/text_file.h"

#include "lib/failure.h"
#include "lib/text_codec.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#ifdef _WIN32
#include <random>
#else
#include <unistd.h>
#endif

namespace tes {

namespace {

constexpr std::size_t kBlockSize = std::size_t{1} << 20;
constexpr std::size_t kSmallestBuffer = 4096;

// The failure for a file that could not be opened. A missing file whose folder is missing too is
// "Path not found", as the classic runtime reports it.
Failure OpenFailure(const std::string& path, int errorNumber) {
    if (errorNumber == ENOENT) {
        std::error_code ec;
        const std::filesystem::path parent = std::filesystem::path(path).parent_path();
        if (!parent.empty() && !std::filesystem::is_directory(parent, ec))
            return failures::pathNotFound();
    }
    return failures::fromErrno(errorNumber);
}

// Paths are UTF-8 in memory; Windows' narrow file functions would read them in the ANSI code page.
std::filesystem::path PathFromUtf8(const std::string& path) {
#ifdef _WIN32
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
#else
    return std::filesystem::path(path);
#endif
}

#ifdef _WIN32

std::string Utf8FromPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::FILE* OpenFile(const std::string& path, const wchar_t* mode) {
    return ::_wfopen(PathFromUtf8(path).c_str(), mode);
}
#endif

// Opens a file for reading; a folder is refused (fopen accepts folders on some systems).
std::FILE* OpenForReading(const std::string& path, std::uint64_t& size) {
#ifdef _WIN32
    std::FILE* file = OpenFile(path, L"rb");
    if (file == nullptr)
        throw OpenFailure(path, errno);
    struct _stat64 info {};
    if (::_fstat64(::_fileno(file), &info) != 0) {
        const int error = errno;
        std::fclose(file);
        throw failures::fromErrno(error);
    }
    if ((info.st_mode & _S_IFDIR) != 0) {
        std::fclose(file);
        throw failures::pathFileAccessError();
    }
#else
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        throw OpenFailure(path, errno);
    struct stat info {};
    if (::fstat(::fileno(file), &info) != 0) {
        const int error = errno;
        std::fclose(file);
        throw failures::fromErrno(error);
    }
    if (S_ISDIR(info.st_mode)) {
        std::fclose(file);
        throw failures::pathFileAccessError();
    }
#endif
    size = info.st_size > 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
    return file;
}

} // namespace

LineReader::LineReader(LineBreaks breaks, bool skipBom) : m_breaks(breaks), m_skipBom(skipBom) {}

LineReader::~LineReader() {
    close();
}

void LineReader::open(const std::string& path) {
    close();
    m_file = OpenForReading(path, m_size);
    // Small files get a small buffer; larger ones are read in blocks.
    const std::uint64_t wanted = std::min<std::uint64_t>(m_size + 1, kBlockSize);
    m_buffer.resize(std::max<std::size_t>(static_cast<std::size_t>(wanted), kSmallestBuffer));
}

void LineReader::close() {
    if (m_file != nullptr)
        std::fclose(m_file);
    m_file = nullptr;
    m_buffer.clear();
    m_buffer.shrink_to_fit();
    m_begin = m_end = 0;
    m_eof = false;
    m_pendingLf = false;
    m_first = true;
    m_utf8 = false;
    m_consumed = 0;
    m_size = 0;
}

namespace {

// Whether every byte is below 0x80; one pass without early exit, which the compiler vectorises, so a
// block is checked once instead of each of its lines.
bool AllAscii(const char* bytes, std::size_t size) {
    unsigned char any = 0;
    for (std::size_t i = 0; i < size; ++i)
        any |= static_cast<unsigned char>(bytes[i]);
    return any < 0x80;
}

} // namespace

bool LineReader::fill() {
    if (m_file == nullptr || m_eof)
        return false;
    // Keep the unfinished line and move it to the front; a line that fills the whole buffer doubles it.
    if (m_begin == m_end) {
        m_begin = m_end = 0;
    } else if (m_begin > 0) {
        std::memmove(m_buffer.data(), m_buffer.data() + m_begin, m_end - m_begin);
        m_end -= m_begin;
        m_begin = 0;
    }
    if (m_end == m_buffer.size())
        m_buffer.resize(std::max(m_buffer.size() * 2, kBlockSize));
    const std::size_t wanted = m_buffer.size() - m_end;
    const std::size_t got = std::fread(m_buffer.data() + m_end, 1, wanted, m_file);
    if (got < wanted) {
        if (std::ferror(m_file))
            throw failures::deviceIoError();
        m_eof = true;
    }
    m_end += got;
    m_bufferAscii = AllAscii(m_buffer.data(), m_end);
    return got > 0;
}

namespace {

// The position of the first CR or LF in [from, end), or `end`. Searches with memchr in windows that
// grow, so that a file without one of the two characters is not searched to the end of the block
// for every line.
std::size_t FindCrOrLf(const char* data, std::size_t from, std::size_t end) {
    std::size_t window = 128;
    for (;;) {
        const std::size_t limit = std::min(end, from + window);
        const void* lf = std::memchr(data + from, '\n', limit - from);
        const std::size_t lfAt = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - data) : limit;
        if (const void* cr = std::memchr(data + from, '\r', lfAt - from))
            return static_cast<std::size_t>(static_cast<const char*>(cr) - data);
        if (lf || limit == end)
            return lfAt;
        from = limit;
        window *= 2;
    }
}

} // namespace

bool LineReader::next(std::string_view& line) {
    if (m_file == nullptr)
        return false;
    if (m_first) {
        m_first = false;
        fill();
        if (m_skipBom && std::string_view(m_buffer.data(), m_end).starts_with(kUtf8Bom)) {
            m_utf8 = true;
            m_begin += kUtf8Bom.size();
            m_consumed += kUtf8Bom.size();
        }
    }
    if (m_pendingLf) {
        if (m_begin == m_end)
            fill();
        if (m_begin < m_end && m_buffer[m_begin] == '\n') {
            ++m_begin;
            ++m_consumed;
        }
        m_pendingLf = false;
    }

    const bool lfEnds = m_breaks == LineBreaks::CrLfOrLf;
    std::size_t scan = m_begin;
    for (;;) {
        const char* data = m_buffer.data();
        std::size_t p = scan;
        if (lfEnds) {
            p = FindCrOrLf(data, scan, m_end);
        } else {
            const void* cr = std::memchr(data + scan, '\r', m_end - scan);
            p = cr == nullptr ? m_end : static_cast<std::size_t>(static_cast<const char*>(cr) - data);
        }
        if (p < m_end) {
            line = std::string_view(data + m_begin, p - m_begin);
            std::size_t terminator = 1;
            if (data[p] == '\r') {
                if (p + 1 < m_end)
                    terminator = data[p + 1] == '\n' ? 2 : 1;
                else if (!m_eof)
                    m_pendingLf = true; // the LF, if any, comes with the next block
            }
            m_consumed += (p - m_begin) + terminator;
            m_begin = p + terminator;
            return true;
        }
        if (m_eof) {
            if (m_begin == m_end)
                return false;
            line = std::string_view(data + m_begin, m_end - m_begin);
            m_consumed += m_end - m_begin;
            m_begin = m_end;
            return true;
        }
        // No terminator in the buffer: read on behind what has been searched already.
        const std::size_t searched = m_end - m_begin;
        fill();
        scan = m_begin + searched;
    }
}

void LineReader::appendDecoded(std::string& out, std::string_view line) const {
    if (m_utf8 || m_bufferAscii)
        out.append(line);
    else
        AppendCp1252AsUtf8(out, line);
}

std::string ReadFileBytes(const std::string& path) {
    std::uint64_t size = 0;
    std::FILE* file = OpenForReading(path, size);
    std::string bytes;
    try {
        bytes.resize(static_cast<std::size_t>(size));
        std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
        bytes.resize(got);
        // The file may have grown since its size was taken: read on to its end.
        char block[65536];
        while (!std::ferror(file) && !std::feof(file)) {
            got = std::fread(block, 1, sizeof block, file);
            bytes.append(block, got);
        }
        if (std::ferror(file))
            throw failures::deviceIoError();
    } catch (const std::bad_alloc&) {
        std::fclose(file);
        throw failures::outOfMemory();
    } catch (...) {
        std::fclose(file);
        throw;
    }
    std::fclose(file);
    return bytes;
}

namespace {

long long s_failAfterBytes = -1;
unsigned long long s_bytesSinceFault = 0;

constexpr std::size_t kWriteBuffer = std::size_t{1} << 20;

#ifndef _WIN32
mode_t NewFileMode(const std::string& target) {
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode))
        return info.st_mode & 07777; // a replaced file keeps its permissions
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}
#endif

Failure BadFileNumber() {
    return Failure(52, "Bad file name or number");
}

} // namespace

AtomicTextWriter::AtomicTextWriter(std::string targetPath) : m_target(std::move(targetPath)) {
    std::error_code ec;
    if (std::filesystem::is_directory(PathFromUtf8(m_target), ec))
        throw failures::pathFileAccessError();
    const std::filesystem::path target = PathFromUtf8(m_target);
    std::filesystem::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";
#ifdef _WIN32
    // A fresh name beside the target, created exclusively so no other file is ever overwritten.
    std::random_device random;
    for (int attempt = 0; attempt < 100 && m_file == nullptr; ++attempt) {
        const std::string name =
            "." + Utf8FromPath(target.filename()) + "." + std::to_string(random()) + ".tmp";
        m_temp = Utf8FromPath(folder / PathFromUtf8(name));
        m_file = OpenFile(m_temp, L"wbx");
        if (m_file == nullptr && errno != EEXIST) {
            const int error = errno;
            m_temp.clear();
            throw error == ENOENT ? failures::pathNotFound() : failures::fromErrno(error);
        }
    }
    if (m_file == nullptr) {
        m_temp.clear();
        throw failures::pathFileAccessError();
    }
#else
    std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        const int error = errno;
        throw error == ENOENT || error == ENOTDIR ? failures::pathNotFound() : failures::fromErrno(error);
    }
    m_temp = pattern;
    ::fchmod(fd, NewFileMode(m_target));
    m_file = ::fdopen(fd, "wb");
    if (m_file == nullptr) {
        const int error = errno;
        ::close(fd);
        discard();
        throw failures::fromErrno(error);
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
#ifdef _WIN32
        std::error_code ignored;
        std::filesystem::remove(PathFromUtf8(m_temp), ignored);
#else
        std::remove(m_temp.c_str());
#endif
    }
    m_temp.clear();
    m_used = 0;
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

void AtomicTextWriter::writeAsciiLines(std::string_view text, std::uint64_t begin,
                                       std::span<const std::uint64_t> ends) {
    if (m_file == nullptr)
        throw BadFileNumber();
    if (s_failAfterBytes >= 0) {
        // The fault counts line by line.
        for (const std::uint64_t end : ends) {
            putLine(text.substr(begin, end - begin));
            begin = end;
        }
        return;
    }
    char* const buffer = m_buffer.data();
    std::size_t used = m_used;
    std::uint64_t written = 0;
    for (const std::uint64_t end : ends) {
        const std::size_t length = end - begin;
        if (used + length + kLineCopy + 2 > m_buffer.size()) {
            m_used = used;
            m_written += written;
            written = 0;
            putLine(text.substr(begin, length));
            used = m_used;
            begin = end;
            continue;
        }
        // A short line is copied as a fixed block, which the compiler does without a call; the bytes
        // past its end are overwritten by the next line.
        if (length <= kLineCopy && begin + kLineCopy <= text.size())
            std::memcpy(buffer + used, text.data() + begin, kLineCopy);
        else
            std::memcpy(buffer + used, text.data() + begin, length);
        used += length;
        buffer[used] = '\r';
        buffer[used + 1] = '\n';
        used += 2;
        written += length + 2;
        begin = end;
    }
    m_used = used;
    m_written += written;
}

void AtomicTextWriter::writeEncoded(std::string_view bytes) {
    if (m_file == nullptr)
        throw BadFileNumber();
    flushBuffer();
    if (s_failAfterBytes >= 0) {
        s_bytesSinceFault += bytes.size();
        if (s_bytesSinceFault > static_cast<unsigned long long>(s_failAfterBytes)) {
            discard();
            throw failures::diskFull();
        }
    }
    writeBytes(bytes);
    m_written += bytes.size();
}

void AtomicTextWriter::putLine(std::string_view bytes) {
    const std::size_t added = bytes.size() + 2;
    if (m_used + added > m_buffer.size())
        flushBuffer();
    if (added > m_buffer.size()) {
        writeBytes(bytes);
        writeBytes("\r\n");
    } else {
        if (!bytes.empty()) // an empty view may hold no pointer at all
            std::memcpy(m_buffer.data() + m_used, bytes.data(), bytes.size());
        m_buffer[m_used + bytes.size()] = '\r';
        m_buffer[m_used + bytes.size() + 1] = '\n';
        m_used += added;
    }
    m_written += added;
    if (s_failAfterBytes >= 0) {
        s_bytesSinceFault += added;
        if (s_bytesSinceFault > static_cast<unsigned long long>(s_failAfterBytes)) {
            discard();
            throw failures::diskFull();
        }
    }
}

void AtomicTextWriter::flushBuffer() {
    writeBytes(std::string_view(m_buffer.data(), m_used));
    m_used = 0;
}

void AtomicTextWriter::writeBytes(std::string_view bytes) {
    if (bytes.empty())
        return;
    if (std::fwrite(bytes.data(), 1, bytes.size(), m_file) != bytes.size()) {
        const int error = errno;
        discard();
        throw failures::fromErrno(error);
    }
}

void AtomicTextWriter::commit() {
    if (m_file == nullptr)
        throw BadFileNumber();
    flushBuffer();
    if (std::fflush(m_file) != 0) {
        const int error = errno;
        discard();
        throw failures::fromErrno(error);
    }
    const int closed = std::fclose(m_file);
    const int closeError = errno;
    m_file = nullptr;
    if (closed != 0) {
        discard();
        throw failures::fromErrno(closeError);
    }
#ifdef _WIN32
    // Replaces an existing target, which the C library's rename refuses on Windows.
    std::error_code renamed;
    std::filesystem::rename(PathFromUtf8(m_temp), PathFromUtf8(m_target), renamed);
    if (renamed) {
        const int error = renamed.default_error_condition().value();
        discard();
        throw failures::fromErrno(error);
    }
#else
    if (std::rename(m_temp.c_str(), m_target.c_str()) != 0) {
        const int error = errno;
        discard();
        throw failures::fromErrno(error);
    }
#endif
    m_temp.clear();
    m_committed = true;
}

void AtomicTextWriter::failAfterBytesForTesting(long long bytes) {
    s_failAfterBytes = bytes;
    s_bytesSinceFault = 0;
}

} // namespace tes
