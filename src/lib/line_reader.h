#pragma once

#include "lib/file_access.h"
#include "lib/read_padding.h"

#include <cstdint>
#include <string>
#include <string_view>

// Reading an 8-bit text file line by line.
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
//
// Behind the end of every line that next() hands out lie at least kReadPadding readable, initialised
// bytes, behind the file's last line too: a reader may look at eight bytes at a time up to a line's
// end without checking where the memory stops. What those bytes hold (the terminator, later lines,
// anything) is no part of the line and must not be used.
class LineReader {
public:
    LineReader(LineBreaks breaks, bool skipBom);
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
    // Whether the lines of the block read last need converting to UTF-8 (appendDecoded); plain ASCII
    // and the lines of a UTF-8 file are UTF-8 as they stand.
    bool needsDecoding() const { return !(m_utf8 || m_bufferAscii); }
    // Appends a line read from this file to `out` as UTF-8.
    void appendDecoded(std::string& out, std::string_view line) const;
    std::uint64_t bytesConsumed() const { return m_consumed; }
    std::uint64_t fileSize() const { return m_size; }

private:
    bool fill();
    // The room for the file's bytes: the buffer less the padding behind it.
    std::size_t capacity() const { return m_buffer.size() - kReadPadding; }

    LineBreaks m_breaks;
    bool m_skipBom;
    bool m_utf8 = false;
    bool m_bufferAscii = false; // the buffer holds ASCII only: its lines need no conversion
    FileHandle m_file;
    std::string m_buffer; // the bytes read, [m_begin, m_end) not yet handed out, then spare room
    std::size_t m_begin = 0;
    std::size_t m_end = 0;
    bool m_eof = false;
    bool m_pendingLf = false; // a CR ended the last block: an LF at the start of the next one belongs to it
    bool m_first = true;
    std::uint64_t m_consumed = 0;
    std::uint64_t m_size = 0;
};

} // namespace tes
