#pragma once

#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>
#include <string_view>

// Writing an 8-bit text file that replaces its target whole or not at all.
namespace tes {

// A byte limit that is never reached.
inline constexpr std::uint64_t kNoByteLimit = std::numeric_limits<std::uint64_t>::max();

// Writes a text file so that it replaces the target only when complete: lines go through one buffered
// stream into a temporary file in the target's folder, and commit() renames it over the target.
// Without commit() (a failure, or a cancel) the temporary file is removed and the target stays as it
// was. Lines are UTF-8 in memory and written as Windows-1252, each ended by CR LF. A replaced target's
// permissions stay; a new one gets the usual ones.
class AtomicTextWriter {
public:
    // Creates the temporary file; throws Failure when the folder cannot be written. Once more than
    // `byteLimit` bytes would be written in all, the write fails as on a full disk (61).
    explicit AtomicTextWriter(std::string targetPath, std::uint64_t byteLimit = kNoByteLimit);
    ~AtomicTextWriter();
    AtomicTextWriter(const AtomicTextWriter&) = delete;
    AtomicTextWriter& operator=(const AtomicTextWriter&) = delete;

    void writeLine(std::string_view utf8Line);
    // Writes the line as it is, and CR LF: the line of a file in UTF-8.
    void writeUtf8Line(std::string_view utf8Line);
    // Writes bytes already in the file's encoding, line ends included, past the buffer.
    void writeEncoded(std::string_view bytes);
    // Writes bytes over ones written before, from `offset` (within the first 2 GB): a header whose
    // figures are known only at the end. Later writes go on at the end. Throws Failure as a write does.
    void rewrite(std::uint64_t offset, std::string_view bytes);
    // Has the system start writing what has been written so far to the disk, and returns without
    // waiting for it, so that commit() finds little left to wait for. Throws Failure as a write does.
    void startWriteBack();
    // Flushes the file to the disk, closes it and renames it over the target, so that a power cut
    // leaves the old file or the new one, never an empty one. Throws Failure; the target is then
    // untouched, unless it is the flush of the folder after the rename that failed.
    void commit();
    std::uint64_t bytesWritten() const { return m_written; }

private:
    // Appends the bytes and CR LF to the buffer (writing it out first when full).
    void putLine(std::string_view bytes);
    // Counts bytes about to be written; past the byte limit the file is given up as on a full disk.
    void count(std::size_t bytes);
    void flushBuffer();
    void writeBytes(std::string_view bytes);
    // Closes and removes the temporary file; the target stays as it was.
    void discard();
    // Gives the file up after a failed write or flush of the temporary file.
    [[noreturn]] void fail(int errorNumber);

    std::string m_target;
    std::string m_temp;
    std::uint64_t m_byteLimit;
    std::FILE* m_file = nullptr;
    std::string m_buffer; // its whole size is the room; m_used bytes of it are filled
    std::size_t m_used = 0;
    std::string m_converted; // a line converted to Windows-1252
    std::uint64_t m_written = 0;
    std::uint64_t m_writeBackFrom = 0; // the bytes before it are being written to the disk already
    bool m_committed = false;
};

} // namespace tes
