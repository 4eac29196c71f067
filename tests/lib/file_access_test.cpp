#include "lib/failure.h"
#include "lib/file_access.h"
#include "lib/line_reader.h"
#include "support/failure_number.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace tes {
namespace {

using test::FailureNumber;
using test::TempDir;

// A folder gives the same number on every system, whichever way the file is read; so do a pipe no
// one writes to and a device, refused at once instead of waited on or read.
TEST(OpenForReading, FailuresCarryTheClassicNumbers) {
    TempDir dir;
#ifndef _WIN32
    ASSERT_EQ(::mkfifo(dir.file("pipe.txt").c_str(), 0600), 0);
#endif
    const struct {
        std::string path;
        int failure;
    } cases[] = {
        {dir.file("missing.txt"), 53}, {dir.file("nofolder/missing.txt"), 76},
        {dir.path().string(), 75},
#ifndef _WIN32
        {dir.file("pipe.txt"), 75},    {"/dev/null", 75},
#endif
    };
    for (const auto& c : cases) {
        LineReader reader(LineBreaks::CrOrCrLf, false);
        EXPECT_EQ(FailureNumber([&] { reader.open(c.path); }), c.failure) << c.path;
        EXPECT_EQ(FailureNumber([&] { ReadFileBytes(c.path); }), c.failure) << c.path;
    }
}

TEST(ReadFileBytes, ReadsTheWholeFile) {
    TempDir dir;
    EXPECT_EQ(ReadFileBytes(dir.write("a.bin", std::string("a\0\r\n\xFF", 5))),
              std::string("a\0\r\n\xFF", 5));
    EXPECT_EQ(ReadFileBytes(dir.write("empty.bin", "")), "");
    EXPECT_EQ(ReadFileBytes(dir.write("caf\xC3\xA9 \xE2\x9C\x93.bin", "named")), "named");
}

TEST(IsRegularFile, OnlyForAFileThatIsThere) {
    TempDir dir;
    EXPECT_TRUE(IsRegularFile(dir.write("caf\xC3\xA9.txt", "x")));
    EXPECT_FALSE(IsRegularFile(dir.path().string()));
    EXPECT_FALSE(IsRegularFile(dir.file("missing.txt")));
}

} // namespace
} // namespace tes
