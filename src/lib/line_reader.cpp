#include "lib/line_reader.h"

#include "lib/failure.h"
#include "lib/text_codec.h"

#include <algorithm>
#include <cstring>

namespace tes {

namespace {

constexpr std::size_t kBlockSize = std::size_t{1} << 20;
constexpr std::size_t kSmallestBuffer = 4096;

// Whether every byte is below 0x80; one pass without early exit, which the compiler vectorises, so a
// block is checked once instead of each of its lines.
bool AllAscii(const char* bytes, std::size_t size) {
    unsigned char any = 0;
    for (std::size_t i = 0; i < size; ++i)
        any |= static_cast<unsigned char>(bytes[i]);
    return any < 0x80;
}

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

LineReader::LineReader(LineBreaks breaks, bool skipBom) : m_breaks(breaks), m_skipBom(skipBom) {}

void LineReader::open(const std::string& path) {
    close();
    m_file = OpenForReading(path, m_size);
    // Small files get a small buffer; larger ones are read in blocks. The padding is never read into,
    // so every line ends at least that far before the buffer's end; resize() zeroes it.
    const std::uint64_t wanted = std::min<std::uint64_t>(m_size + 1, kBlockSize);
    m_buffer.resize(std::max<std::size_t>(static_cast<std::size_t>(wanted), kSmallestBuffer) + kReadPadding);
}

void LineReader::close() {
    m_file.reset();
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

bool LineReader::fill() {
    if (!m_file || m_eof)
        return false;
    // Keep the unfinished line and move it to the front; a line that fills the whole buffer doubles it.
    if (m_begin == m_end) {
        m_begin = m_end = 0;
    } else if (m_begin > 0) {
        std::memmove(m_buffer.data(), m_buffer.data() + m_begin, m_end - m_begin);
        m_end -= m_begin;
        m_begin = 0;
    }
    if (m_end == capacity())
        m_buffer.resize(std::max(capacity() * 2, kBlockSize) + kReadPadding);
    const std::size_t wanted = capacity() - m_end;
    const std::size_t got = std::fread(m_buffer.data() + m_end, 1, wanted, m_file.get());
    if (got < wanted) {
        if (std::ferror(m_file.get()))
            throw failures::deviceIoError();
        m_eof = true;
    }
    m_end += got;
    m_bufferAscii = AllAscii(m_buffer.data(), m_end);
    return got > 0;
}

bool LineReader::next(std::string_view& line) {
    if (!m_file)
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

} // namespace tes
