// The point cache's own deflate and zlib's: every stream inflates to the bytes put in, whatever the
// records and the blocks.
#include "core/deflate_pipe.h"

#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <zlib.h>

namespace tes {
namespace {

std::string Inflate(const std::string& packed) {
    std::string out(1u << 24, '\0');
    uLongf size = out.size();
    const int status = uncompress(reinterpret_cast<Bytef*>(out.data()), &size,
                                  reinterpret_cast<const Bytef*>(packed.data()), packed.size());
    EXPECT_EQ(status, Z_OK);
    out.resize(size);
    return out;
}

// Records like particles: a few bytes that change (`noisy` of them, spread as `skew` says: 0 even,
// higher values favour small bytes, which deepens the Huffman tree), the rest as in the record before.
std::string Records(std::size_t recordBytes, std::size_t count, std::size_t noisy, int skew) {
    std::mt19937 random(7);
    std::string bytes(recordBytes * count, '\x3F');
    for (std::size_t r = 0; r < count; ++r)
        for (std::size_t i = 0; i < noisy; ++i) {
            unsigned value = random() & 0xFF;
            for (int s = 0; s < skew; ++s)
                value = std::min(value, static_cast<unsigned>(random() & 0xFF));
            bytes[r * recordBytes + (i * 7) % recordBytes] = static_cast<char>(value);
        }
    return bytes;
}

std::string Compress(const std::string& bytes, int level, std::size_t blockBytes, std::size_t recordBytes) {
    std::string out;
    DeflatePipe pipe(
        level, [&](std::string_view more) { out.append(more); }, blockBytes, recordBytes);
    std::size_t at = 0;
    for (; bytes.size() - at > blockBytes; at += blockBytes) {
        std::memcpy(pipe.room(), bytes.data() + at, blockBytes);
        pipe.push(blockBytes);
    }
    std::memcpy(pipe.room(), bytes.data() + at, bytes.size() - at);
    pipe.finish(bytes.size() - at);
    return out;
}

TEST(DeflatePipe, EveryStreamInflatesToItsRecords) {
    struct Case {
        std::size_t recordBytes, count, noisy;
        int skew;
        std::size_t blockBytes;
    };
    const Case kCases[] = {
        {52, 0, 0, 0, 1000},      {52, 1, 52, 0, 1000},      {52, 20000, 14, 0, 52 * 4096},
        {56, 20000, 14, 0, 1000}, {52, 9000, 0, 0, 4096},    {3, 50000, 3, 0, 65536},
        {52, 20000, 52, 0, 8192}, {40, 30000, 9, 12, 65536},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(std::to_string(c.recordBytes) + " x " + std::to_string(c.count) + ", skew " +
                     std::to_string(c.skew));
        const std::string bytes = Records(c.recordBytes, c.count, c.noisy, c.skew);
        EXPECT_EQ(Inflate(Compress(bytes, 1, c.blockBytes, c.recordBytes)), bytes);
        EXPECT_EQ(Inflate(Compress(bytes, -1, c.blockBytes, c.recordBytes)), bytes);
    }
}

} // namespace
} // namespace tes
