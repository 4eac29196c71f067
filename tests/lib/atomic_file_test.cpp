#include "lib/atomic_file.h"
#include "lib/failure.h"
#include "support/failure_number.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <vector>

namespace tes {
namespace {

using test::FailureNumber;
using test::TempDir;

bool OnlyFileIs(const TempDir& dir, const std::string& name) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        names.push_back(entry.path().filename().string());
    return names == std::vector<std::string>{name};
}

TEST(AtomicTextWriter, WritesWindows1252WithCrLf) {
    TempDir dir;
    const std::string target = dir.write("out.ms", "old content");
    {
        AtomicTextWriter writer(target);
        writer.writeLine("caf\xC3\xA9 \xE2\x82\xAC");
        writer.writeLine("");
        writer.writeLine("\xD0\xB6");
        EXPECT_EQ(test::ReadBytes(target), "old content"); // untouched until committed
        writer.commit();
        EXPECT_EQ(writer.bytesWritten(), 13u);
    }
    EXPECT_EQ(test::ReadBytes(target), "caf\xE9 \x80\r\n\r\n?\r\n");
    EXPECT_TRUE(OnlyFileIs(dir, "out.ms"));
}

TEST(AtomicTextWriter, WithoutCommitTheTargetStays) {
    TempDir dir;
    const std::string target = dir.write("out.ms", "old");
    {
        AtomicTextWriter writer(target);
        writer.writeLine("new");
    }
    EXPECT_EQ(test::ReadBytes(target), "old");
    EXPECT_TRUE(OnlyFileIs(dir, "out.ms"));
}

TEST(AtomicTextWriter, AFolderAsTargetFailsAndLeavesNothing) {
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "out.ms");
    EXPECT_EQ(FailureNumber([&] { AtomicTextWriter writer(dir.file("out.ms")); }), 75);
    EXPECT_EQ(FailureNumber([&] { AtomicTextWriter writer(dir.file("nofolder/out.ms")); }), 76);
    EXPECT_TRUE(OnlyFileIs(dir, "out.ms"));
}

// Two lines of 7 bytes each: a full disk once more bytes than the limit would be written.
TEST(AtomicTextWriter, AFullDiskLeavesTheEarlierFileIntact) {
    const struct {
        std::uint64_t byteLimit;
        int failure;
        std::string_view content;
    } cases[] = {
        {10, 61, "earlier"},
        {14, 0, "12345\r\n67890\r\n"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const std::string target = dir.write("out.ms", "earlier");
        const int number = FailureNumber([&] {
            AtomicTextWriter writer(target, c.byteLimit);
            writer.writeLine("12345");
            writer.writeLine("67890");
            writer.commit();
        });
        EXPECT_EQ(number, c.failure) << c.byteLimit;
        EXPECT_EQ(test::ReadBytes(target), c.content) << c.byteLimit;
        EXPECT_TRUE(OnlyFileIs(dir, "out.ms")) << c.byteLimit;
    }
}

TEST(AtomicTextWriter, ANewFileGetsTheUsualPermissions) {
    TempDir dir;
    const std::string target = dir.file("new.ms");
    AtomicTextWriter writer(target);
    writer.writeLine("x");
    writer.commit();
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const auto expected = static_cast<std::filesystem::perms>(0666 & ~mask);
    EXPECT_EQ(std::filesystem::status(target).permissions(), expected);
}

} // namespace
} // namespace tes
