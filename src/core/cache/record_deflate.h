#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// A zlib stream of fixed-size records, made without zlib's search for matches. Point cache particles
// differ from the particle before them in a few bytes (the position, the ID's low bytes); every run of
// bytes equal to those one record back becomes a match at the record's distance, the rest literals,
// and each block gets the Huffman code of its own symbols' counts. Any inflater reads the stream;
// it is about as small as zlib's level 1 and several times quicker to make (docs/performance.md).
namespace tes {

class RecordDeflater {
public:
    using Sink = std::function<void(std::string_view)>;

    // `recordBytes` is the records' size, 1 to 256 (a match's bits then fit in one 32-bit write).
    RecordDeflater(std::size_t recordBytes, Sink sink);

    // Compresses the next bytes of the records (a block may end inside a record); `last` ends the
    // stream. Throws what the sink throws.
    void compress(const char* bytes, std::size_t size, bool last);

private:
    // Appends `count` bits (at most 32), first bit first.
    void putBits(std::uint64_t bits, int count) {
        m_bits |= bits << m_bitCount;
        m_bitCount += count;
        if (m_bitCount >= 32)
            flushBits(false);
    }
    void flushBits(bool all);
    void writeBlock(const char* bytes, std::size_t size, bool last);

    std::size_t m_distance;
    Sink m_sink;
    std::uint32_t m_adler = 1;
    bool m_started = false;
    // The last `m_distance` bytes compressed, which the next block's first record is matched against.
    std::string m_previous;
    std::vector<std::uint32_t> m_tokens; // a literal byte, or a match's length + 256 (3 to 258)
    std::string m_out;
    std::uint64_t m_bits = 0;
    int m_bitCount = 0;
};

} // namespace tes
