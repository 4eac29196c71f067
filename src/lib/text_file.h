#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

// 8-bit text files: streaming line reading with large reads, and atomic replacement on writing.
namespace tes {

enum class LineBreaks {
    // A line ends at CR LF or at a lone CR; a lone LF is an ordinary character of the line.
    CrOrCrLf,
    // A line ends at CR LF, at a lone CR or at a lone LF (files written on other systems).
    CrLfOrLf,
};

// Reads a file line by line in one streaming pass, in large blocks, without allocating per line.
// A last line without a terminator is read too; an empty file has no lines. A UTF-8 byte-order mark
// at the very start is skipped when `skipBom` is set, and then the file counts as UTF-8.
class LineReader {
public:
    LineReader(LineBreaks breaks, bool skipBom);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // Opens the file; throws Failure (53 file not found, 75 a folder, 70 no access ...).
    void open(const std::string& path);
    // The next line's bytes without its terminator, valid until the next call; false at the end.
    // Throws Failure when reading fails.
    bool next(std::string_view& line);
    void close();

    // True when the file began with a UTF-8 byte-order mark (its lines are UTF-8, not Windows-1252).
    bool isUtf8() const { return m_utf8; }
    // Appends a line read from this file to `out` as UTF-8.
    void appendDecoded(std::string& out, std::string_view line) const;
    // The end of the memory that holds the last line: the bytes between a line's end and here (later
    // lines, or nothing in particular) may be looked at, never used.
    const char* readableEnd() const { return m_buffer.data() + m_buffer.size(); }
    std::uint64_t bytesConsumed() const { return m_consumed; }
    std::uint64_t fileSize() const { return m_size; }

private:
    bool fill();

    LineBreaks m_breaks;
    bool m_skipBom;
    bool m_utf8 = false;
    bool m_bufferAscii = false; // the buffer holds ASCII only: its lines need no conversion
    std::FILE* m_file = nullptr;
    std::string m_buffer;
    std::size_t m_begin = 0;
    std::size_t m_end = 0;
    bool m_eof = false;
    bool m_pendingLf = false; // a CR ended the last block: an LF at the start of the next one belongs to it
    bool m_first = true;
    std::uint64_t m_consumed = 0;
    std::uint64_t m_size = 0;
};

// Reads a whole file into memory as bytes. Throws Failure.
std::string ReadFileBytes(const std::string& path);

// Writes a text file so that it replaces the target only when complete: lines go through one buffered
// stream into a temporary file in the target's folder, and commit() renames it over the target.
// Without commit() (a failure, or a cancel) the temporary file is removed and the target stays as it
// was. Lines are UTF-8 in memory and written as Windows-1252, each ended by CR LF.
class AtomicTextWriter {
public:
    // Creates the temporary file; throws Failure when the folder cannot be written.
    explicit AtomicTextWriter(std::string targetPath);
    ~AtomicTextWriter();
    AtomicTextWriter(const AtomicTextWriter&) = delete;
    AtomicTextWriter& operator=(const AtomicTextWriter&) = delete;

    void writeLine(std::string_view utf8Line);
    // Writes lines that are known to be plain ASCII (the same bytes in both encodings) in one go:
    // they lie one after another in `text`, the first from `begin` on, and line i ends at ends[i].
    void writeAsciiLines(std::string_view text, std::uint64_t begin, std::span<const std::uint64_t> ends);
    // Writes bytes already in the file's encoding, line ends included, past the buffer.
    void writeEncoded(std::string_view bytes);
    // Flushes, closes and renames over the target. Throws Failure; the target is then untouched.
    void commit();
    std::uint64_t bytesWritten() const { return m_written; }

    // Tests make the next writers fail once this many bytes have been written in all (a full disk).
    // A negative value switches the fault off.
    static void failAfterBytesForTesting(long long bytes);

private:
    // Appends the bytes and CR LF to the buffer (writing it out first when full).
    void putLine(std::string_view bytes);
    void flushBuffer();
    void writeBytes(std::string_view bytes);
    // Short lines are copied as blocks of this size; the buffer keeps room for one past its end.
    static constexpr std::size_t kLineCopy = 64;
    // Closes and removes the temporary file; the target stays as it was.
    void discard();

    std::string m_target;
    std::string m_temp;
    std::FILE* m_file = nullptr;
    std::string m_buffer; // its whole size is the room; m_used bytes of it are filled
    std::size_t m_used = 0;
    std::string m_converted; // a line converted to Windows-1252
    std::uint64_t m_written = 0;
    bool m_committed = false;
};

} // namespace tes
