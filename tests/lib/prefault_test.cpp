#include "lib/prefault.h"

#include <cstddef>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace tes::test {
namespace {

// Handing out pages early must never change what they hold, whatever part of a page a range
// starts or ends in.
TEST(PrefaultForWriting, KeepsWhatThePagesHold) {
    constexpr std::size_t kBytes = 6 * 4096 + 123;
    std::vector<char> expected(kBytes);
    for (std::size_t i = 0; i < kBytes; ++i)
        expected[i] = static_cast<char>('a' + i % 26);
    const std::pair<std::size_t, std::size_t> ranges[] = {
        {0, 0}, {1, 10}, {0, kBytes}, {4095, 8194}, {100, kBytes - 100}, {kBytes - 1, 1},
    };
    for (const auto& [offset, size] : ranges) {
        std::vector<char> buffer = expected;
        PrefaultForWriting(buffer.data() + offset, size);
        EXPECT_EQ(buffer, expected) << offset << " + " << size;
    }
}

} // namespace
} // namespace tes::test
