// The point cache's own deflate and zlib's: every stream inflates to the bytes put in, whatever the
// records, the blocks and the thread; a failing sink stops the stream with its failure.
#include "core/cache/deflate_pipe.h"

#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <stdexcept>
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

std::string Compress(const std::string& bytes, int level, bool ownThread, std::size_t blockBytes,
                     std::size_t recordBytes, std::size_t failAt = ~std::size_t{0}) {
    std::string out;
    DeflatePipe pipe(
        level,
        [&](std::string_view more) {
            if (out.size() + more.size() > failAt)
                throw std::runtime_error("disk full");
            out.append(more);
        },
        ownThread, blockBytes, recordBytes);
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
        const std::string plain = Compress(bytes, 1, false, c.blockBytes, c.recordBytes);
        EXPECT_EQ(Inflate(plain), bytes);
        for (const bool ownThread : {false, true})
            EXPECT_EQ(Inflate(Compress(bytes, -1, ownThread, c.blockBytes, c.recordBytes)), bytes);
    }
}

TEST(DeflatePipe, AFailingSinkStopsTheStreamOnEitherThread) {
    const std::string bytes = Records(52, 40000, 14, 0);
    for (const int level : {-1, 1})
        for (const bool ownThread : {false, true})
            EXPECT_THROW(Compress(bytes, level, ownThread, 52 * 1024, 52, 50000), std::runtime_error);
}

} // namespace
} // namespace tes
