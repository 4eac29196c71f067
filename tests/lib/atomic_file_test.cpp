#include "lib/atomic_file.h"
#include "lib/failure.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <span>
#include <sys/stat.h>
#include <vector>

namespace tes {
namespace {

using test::TempDir;

template <typename Action> int FailureNumber(Action action) {
    try {
        action();
    } catch (const Failure& failure) {
        return failure.number();
    }
    return 0;
}

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

TEST(AtomicTextWriter, AFullDiskLeavesTheEarlierFileIntact) {
    TempDir dir;
    const std::string target = dir.write("out.ms", "earlier");
    AtomicTextWriter::failAfterBytesForTesting(10);
    const int number = FailureNumber([&] {
        AtomicTextWriter writer(target);
        writer.writeLine("12345");
        writer.writeLine("67890");
        writer.commit();
    });
    AtomicTextWriter::failAfterBytesForTesting(-1);
    EXPECT_EQ(number, 61);
    EXPECT_EQ(test::ReadBytes(target), "earlier");
    EXPECT_TRUE(OnlyFileIs(dir, "out.ms"));
}

// Lines written in blocks give the same file as line by line, whatever their lengths: empty, around
// the size copied as one block, and longer than the whole write buffer.
TEST(AtomicTextWriter, AsciiBlocksMatchLineByLine) {
    struct Case {
        const char* name;
        std::vector<std::size_t> lengths;
        std::size_t block; // lines per call
    };
    const std::vector<Case> cases = {
        {"short lines", {0, 1, 2, 63, 64, 65, 66, 130}, 3},
        {"one line per call", {5, 0, 64, 7}, 1},
        {"longer than the buffer", {10, (3u << 20) / 2, 64, 0, 3u << 20, 1}, 2},
        {"many lines across buffer ends", std::vector<std::size_t>(60000, 37), 65536},
    };
    for (const Case& c : cases) {
        std::string text;
        std::vector<std::uint64_t> ends;
        for (std::size_t i = 0; i < c.lengths.size(); ++i) {
            for (std::size_t k = 0; k < c.lengths[i]; ++k)
                text += static_cast<char>('a' + (i + k) % 26);
            ends.push_back(text.size());
        }
        TempDir dir;
        const std::string byLine = dir.file("line.ms"), byBlock = dir.file("block.ms");
        AtomicTextWriter lineWriter(byLine), blockWriter(byBlock);
        std::uint64_t begin = 0;
        for (std::size_t row = 0; row < ends.size(); row += c.block) {
            const std::size_t n = std::min(c.block, ends.size() - row);
            blockWriter.writeAsciiLines(text, begin, std::span<const std::uint64_t>(ends).subspan(row, n));
            begin = ends[row + n - 1];
        }
        begin = 0;
        for (const std::uint64_t end : ends) {
            lineWriter.writeLine(std::string_view(text).substr(begin, end - begin));
            begin = end;
        }
        lineWriter.commit();
        blockWriter.commit();
        EXPECT_EQ(blockWriter.bytesWritten(), lineWriter.bytesWritten()) << c.name;
        EXPECT_TRUE(test::ReadBytes(byBlock) == test::ReadBytes(byLine)) << c.name;
        EXPECT_EQ(test::ReadBytes(byBlock).size(), text.size() + 2 * ends.size()) << c.name;
    }
}

TEST(AtomicTextWriter, AFullDiskStopsAsciiBlocksToo) {
    TempDir dir;
    const std::string target = dir.write("out.ms", "earlier");
    AtomicTextWriter::failAfterBytesForTesting(10);
    const std::vector<std::uint64_t> ends = {5, 10};
    const int number = FailureNumber([&] {
        AtomicTextWriter writer(target);
        writer.writeAsciiLines("1234567890", 0, ends);
        writer.commit();
    });
    AtomicTextWriter::failAfterBytesForTesting(-1);
    EXPECT_EQ(number, 61);
    EXPECT_EQ(test::ReadBytes(target), "earlier");
    EXPECT_TRUE(OnlyFileIs(dir, "out.ms"));
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
