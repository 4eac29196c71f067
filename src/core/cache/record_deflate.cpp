#include "core/cache/record_deflate.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <stdexcept>
#include <zlib.h>

#include <queue>

namespace tes {

static_assert(std::endian::native == std::endian::little, "the bits are gathered in a little-endian word");

namespace {

// The deflate format's numbers (RFC 1951): the lengths and distances each code starts at, and their
// extra bits.
constexpr std::array<std::uint16_t, 29> kLengthBase{3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                                    15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                                    67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<std::uint8_t, 29> kLengthExtra{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                    2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<std::uint16_t, 30> kDistanceBase{
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<std::uint8_t, 19> kCodeLengthOrder{16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                        11, 4,  12, 3, 13, 2, 14, 1, 15};
constexpr int kEndOfBlock = 256;
constexpr std::size_t kMaxMatch = 258;
constexpr std::size_t kOutputBytes = 1u << 20;

struct LengthCode {
    std::uint16_t symbol = 0;
    std::uint8_t extraBits = 0;
    std::uint16_t extra = 0;
};

// The code of every match length, 3 to 258.
const std::array<LengthCode, kMaxMatch + 1>& LengthCodes() {
    static const std::array<LengthCode, kMaxMatch + 1> codes = [] {
        std::array<LengthCode, kMaxMatch + 1> table{};
        for (std::size_t i = 0; i < kLengthBase.size(); ++i) {
            for (std::size_t n = 0; n < (std::size_t{1} << kLengthExtra[i]); ++n) {
                const std::size_t length = kLengthBase[i] + n;
                if (length <= kMaxMatch && table[length].symbol == 0) // 258 has a code of its own
                    table[length] = {static_cast<std::uint16_t>(257 + i), kLengthExtra[i],
                                     static_cast<std::uint16_t>(n)};
            }
        }
        table[kMaxMatch] = {285, 0, 0};
        return table;
    }();
    return codes;
}

// How many bytes from `a` on equal those from `b` on, up to `limit`.
std::size_t RunLength(const char* a, const char* b, std::size_t limit) {
    std::size_t run = 0;
    for (; run + 8 <= limit; run += 8) {
        std::uint64_t x = 0;
        std::uint64_t y = 0;
        std::memcpy(&x, a + run, 8);
        std::memcpy(&y, b + run, 8);
        if (x != y)
            return run + static_cast<std::size_t>(std::countr_zero(x ^ y) / 8);
    }
    while (run < limit && a[run] == b[run])
        ++run;
    return run;
}

// Huffman code lengths for the symbols' counts, none longer than `limit`; a symbol of count 0 gets
// no code. At least two symbols must be counted. While the tree is too deep the counts are halved,
// which flattens it.
std::vector<std::uint8_t> CodeLengths(std::vector<std::uint32_t> counts, int limit) {
    const std::size_t n = counts.size();
    std::vector<std::uint8_t> lengths(n, 0);
    for (;;) {
        using Node = std::pair<std::uint64_t, std::size_t>; // count, node
        std::priority_queue<Node, std::vector<Node>, std::greater<>> queue;
        std::vector<std::size_t> parent(2 * n, 0);
        for (std::size_t s = 0; s < n; ++s)
            if (counts[s] > 0)
                queue.emplace(counts[s], s);
        std::size_t next = n;
        while (queue.size() > 1) {
            const Node a = queue.top();
            queue.pop();
            const Node b = queue.top();
            queue.pop();
            parent[a.second] = parent[b.second] = next;
            queue.emplace(a.first + b.first, next++);
        }
        const std::size_t root = next - 1;
        std::vector<int> depth(2 * n, 0);
        for (std::size_t node = root; node-- > 0;) // parents come after their children
            if (node >= n || counts[node] > 0)
                depth[node] = node == root ? 0 : depth[parent[node]] + 1;
        int deepest = 0;
        for (std::size_t s = 0; s < n; ++s) {
            lengths[s] = static_cast<std::uint8_t>(counts[s] > 0 ? depth[s] : 0);
            deepest = std::max(deepest, depth[s] * (counts[s] > 0));
        }
        if (deepest <= limit)
            return lengths;
        for (std::uint32_t& count : counts)
            count = count > 0 ? std::max<std::uint32_t>(1, count / 2) : 0;
    }
}

// The canonical codes of the lengths, bit-reversed: deflate sends a code's first bit first.
std::vector<std::uint16_t> Codes(const std::vector<std::uint8_t>& lengths) {
    std::array<std::uint16_t, 16> perLength{};
    for (const std::uint8_t length : lengths)
        ++perLength[length];
    perLength[0] = 0;
    std::array<std::uint16_t, 16> next{};
    for (std::size_t bits = 1, code = 0; bits < 16; ++bits) {
        code = (code + perLength[bits - 1]) << 1;
        next[bits] = static_cast<std::uint16_t>(code);
    }
    std::vector<std::uint16_t> codes(lengths.size(), 0);
    for (std::size_t s = 0; s < lengths.size(); ++s) {
        const int length = lengths[s];
        if (length == 0)
            continue;
        std::uint16_t code = next[static_cast<std::size_t>(length)]++;
        std::uint16_t reversed = 0;
        for (int i = 0; i < length; ++i, code >>= 1)
            reversed = static_cast<std::uint16_t>((reversed << 1) | (code & 1));
        codes[s] = reversed;
    }
    return codes;
}

// At least two symbols counted, as a Huffman tree needs.
void CountTwo(std::vector<std::uint32_t>& counts) {
    for (std::size_t s = 0; std::count_if(counts.begin(), counts.end(), [](auto c) { return c > 0; }) < 2;
         ++s)
        counts[s] += counts[s] == 0 ? 1 : 0;
}

} // namespace

RecordDeflater::RecordDeflater(std::size_t recordBytes, Sink sink)
    : m_distance(recordBytes), m_sink(std::move(sink)) {
    if (recordBytes < 1 || recordBytes > 256)
        throw std::invalid_argument("RecordDeflater: records of 1 to 256 bytes");
}

void RecordDeflater::flushBits(bool all) {
    if (m_bitCount >= 32) {
        char word[4];
        std::memcpy(word, &m_bits, 4); // little-endian: the first bits in the first byte
        m_out.append(word, 4);
        m_bits >>= 32;
        m_bitCount -= 32;
    }
    while (m_bitCount >= 8 || (all && m_bitCount > 0)) {
        m_out.push_back(static_cast<char>(m_bits & 0xFF));
        m_bits >>= 8;
        m_bitCount = std::max(0, m_bitCount - 8);
    }
    if (m_out.size() >= kOutputBytes) {
        m_sink(m_out);
        m_out.clear();
    }
}

void RecordDeflater::compress(const char* bytes, std::size_t size, bool last) {
    if (!m_started) {
        m_out.append("\x78\x01", 2); // deflate with a 32 KB window, the fastest level
        m_started = true;
    }
    m_adler = static_cast<std::uint32_t>(
        adler32(m_adler, reinterpret_cast<const Bytef*>(bytes), static_cast<uInt>(size)));
    if (size > 0 || last)
        writeBlock(bytes, size, last);
    if (last) {
        flushBits(true);
        for (int shift = 24; shift >= 0; shift -= 8)
            m_out.push_back(static_cast<char>((m_adler >> shift) & 0xFF));
    }
    if (last || m_out.size() >= kOutputBytes) {
        m_sink(m_out);
        m_out.clear();
    }
}

void RecordDeflater::writeBlock(const char* bytes, std::size_t size, bool last) {
    // The block behind the bytes it may refer to.
    std::string work = m_previous;
    const std::size_t start = work.size();
    work.append(bytes, size);
    const char* const s = work.data();
    m_tokens.clear();
    std::vector<std::uint32_t> counts(286, 0);
    const auto& lengthCodes = LengthCodes();
    for (std::size_t k = start; k < work.size();) {
        const std::size_t run =
            k >= m_distance ? RunLength(s + k, s + k - m_distance, std::min(kMaxMatch, work.size() - k)) : 0;
        if (run >= 3) {
            m_tokens.push_back(static_cast<std::uint32_t>(256 + run));
            ++counts[lengthCodes[run].symbol];
            k += run;
        } else {
            const auto literal = static_cast<unsigned char>(s[k++]);
            m_tokens.push_back(literal);
            ++counts[literal];
        }
    }
    counts[kEndOfBlock] = 1;
    m_previous = work.substr(work.size() - std::min(m_distance, work.size()));
    CountTwo(counts);

    // The one distance, coded in one bit.
    std::size_t distanceSymbol = 0;
    while (distanceSymbol + 1 < kDistanceBase.size() && kDistanceBase[distanceSymbol + 1] <= m_distance)
        ++distanceSymbol;
    const int distanceExtraBits = distanceSymbol < 4 ? 0 : static_cast<int>(distanceSymbol / 2 - 1);
    const std::uint64_t distanceBits = (m_distance - kDistanceBase[distanceSymbol]) << 1; // code 0 first

    const std::vector<std::uint8_t> lengths = CodeLengths(counts, 15);
    const std::vector<std::uint16_t> codes = Codes(lengths);
    std::size_t literalCodes = 286;
    while (literalCodes > 257 && lengths[literalCodes - 1] == 0)
        --literalCodes;
    // Every code length in a row, literals and lengths first, then the distances.
    std::vector<std::uint8_t> all(lengths.begin(),
                                  lengths.begin() + static_cast<std::ptrdiff_t>(literalCodes));
    all.resize(literalCodes + distanceSymbol + 1, 0);
    all.back() = 1;
    std::vector<std::uint32_t> lengthCounts(19, 0);
    for (const std::uint8_t length : all)
        ++lengthCounts[length];
    CountTwo(lengthCounts);
    const std::vector<std::uint8_t> lengthLengths = CodeLengths(lengthCounts, 7);
    const std::vector<std::uint16_t> lengthCodesOfLengths = Codes(lengthLengths);
    std::size_t sent = 19;
    while (sent > 4 && lengthLengths[kCodeLengthOrder[sent - 1]] == 0)
        --sent;

    putBits((last ? 1 : 0) | (2 << 1), 3); // a block with its own Huffman codes
    putBits(literalCodes - 257, 5);
    putBits(distanceSymbol, 5);
    putBits(sent - 4, 4);
    for (std::size_t i = 0; i < sent; ++i)
        putBits(lengthLengths[kCodeLengthOrder[i]], 3);
    for (const std::uint8_t length : all)
        putBits(lengthCodesOfLengths[length], lengthLengths[length]);
    // A match's bits in one: its length's code and extra bits, then the distance's.
    std::array<std::uint32_t, kMaxMatch + 1> matchBits{};
    std::array<std::uint8_t, kMaxMatch + 1> matchBitCount{};
    for (std::size_t length = 3; length <= kMaxMatch; ++length) {
        const LengthCode& code = lengthCodes[length];
        const int codeBits = lengths[code.symbol];
        matchBits[length] = static_cast<std::uint32_t>(codes[code.symbol] | (code.extra << codeBits) |
                                                       (distanceBits << (codeBits + code.extraBits)));
        matchBitCount[length] = static_cast<std::uint8_t>(codeBits + code.extraBits + 1 + distanceExtraBits);
    }
    for (const std::uint32_t token : m_tokens) {
        if (token < 256)
            putBits(codes[token], lengths[token]);
        else
            putBits(matchBits[token - 256], matchBitCount[token - 256]);
    }
    putBits(codes[kEndOfBlock], lengths[kEndOfBlock]);
}

} // namespace tes
