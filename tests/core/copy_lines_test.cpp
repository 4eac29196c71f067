#include "core/copy_lines.h"

#include <gtest/gtest.h>

namespace tes::test {
namespace {

// A worker's copies go on from the number the rows before its own reach: counting up from "00" and
// starting at that number must give the same text.
TEST(CopyNumber, StartingAtAValueReadsAsCountingUpToIt) {
    for (const std::uint64_t value : {0u, 1u, 7u, 10u, 42u, 99u, 100u, 999u, 32767u, 32768u, 1000000u}) {
        CopyNumber counted;
        for (std::uint64_t i = 0; i < value; ++i)
            counted.increment();
        CopyNumber started(value);
        EXPECT_EQ(started.text(), counted.text()) << value;
        started.increment();
        counted.increment();
        EXPECT_EQ(started.text(), counted.text()) << value + 1;
    }
}

} // namespace
} // namespace tes::test
