#include "lib/failure.h"
#include "lib/text_file.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <vector>

namespace tes {
namespace {

using test::TempDir;

std::vector<std::string> ReadLines(const std::string& path, LineBreaks breaks, bool skipBom = false) {
    LineReader reader(breaks, skipBom);
    reader.open(path);
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.next(line))
        lines.emplace_back(line);
    EXPECT_EQ(reader.bytesConsumed(), reader.fileSize());
    return lines;
}

int FailureNumber(const std::function<void()>& action) {
    try {
        action();
    } catch (const Failure& failure) {
        return failure.number();
    }
    return 0;
}

struct LinesCase {
    std::string_view bytes;
    LineBreaks breaks;
    std::vector<std::string> expected;
};

TEST(LineReader, SplitsAtTheLineEnds) {
    const auto crOnly = LineBreaks::CrOrCrLf;
    const auto withLf = LineBreaks::CrLfOrLf;
    const LinesCase cases[] = {
        {"", crOnly, {}},
        {"abc", crOnly, {"abc"}},
        {"abc\r", crOnly, {"abc"}},
        {"a\r\nb\r\n", crOnly, {"a", "b"}},
        {"a\rb\rc", crOnly, {"a", "b", "c"}},
        {"a\nb\n", crOnly, {"a\nb\n"}}, // a lone LF belongs to the line
        {"a\nb\n", withLf, {"a", "b"}},
        {"a\r\n\r\nb", withLf, {"a", "", "b"}},
        {"a\n\rb", withLf, {"a", "", "b"}},
        {"\r\n", crOnly, {""}},
    };
    TempDir dir;
    for (const auto& c : cases)
        EXPECT_EQ(ReadLines(dir.write("f.txt", c.bytes), c.breaks), c.expected) << c.bytes;
}

TEST(LineReader, ACrLfSplitAcrossTwoBlocksIsOneLineEnd) {
    // The first block is 1 MiB: put the CR at its last byte and the LF at the start of the next.
    constexpr std::size_t block = std::size_t{1} << 20;
    std::string bytes(block - 1, 'x');
    bytes += "\r\nnext\r\nlast";
    TempDir dir;
    const auto lines = ReadLines(dir.write("big.txt", bytes), LineBreaks::CrOrCrLf);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].size(), block - 1);
    EXPECT_EQ(lines[1], "next");
    EXPECT_EQ(lines[2], "last");
}

TEST(LineReader, ReadsALineLongerThanManyBlocks) {
    std::string bytes = "first\r\n" + std::string(5'000'000, 'y') + "\r\nend";
    TempDir dir;
    const auto lines = ReadLines(dir.write("long.txt", bytes), LineBreaks::CrLfOrLf);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].size(), 5'000'000u);
    EXPECT_EQ(lines[2], "end");
}

TEST(LineReader, DecodesLinesByTheFilesEncoding) {
    struct Case {
        std::string_view bytes;
        bool skipBom;
        bool utf8;
        std::string_view decoded;
    };
    const Case cases[] = {
        {"\xEF\xBB\xBF"
         "caf\xC3\xA9\r\n",
         true, true, "caf\xC3\xA9"},
        {"\xEF\xBB\xBF"
         "caf\xC3\xA9",
         false, false,
         "\xC3\xAF\xC2\xBB\xC2\xBF"
         "caf\xC3\x83\xC2\xA9"},
        {"caf\xE9", true, false, "caf\xC3\xA9"},
    };
    TempDir dir;
    for (const auto& c : cases) {
        LineReader reader(LineBreaks::CrOrCrLf, c.skipBom);
        reader.open(dir.write("f.txt", c.bytes));
        std::string_view line;
        ASSERT_TRUE(reader.next(line));
        EXPECT_EQ(reader.isUtf8(), c.utf8);
        std::string decoded;
        reader.appendDecoded(decoded, line);
        EXPECT_EQ(decoded, c.decoded);
        EXPECT_FALSE(reader.next(line));
    }
}

TEST(LineReader, OpenFailuresCarryTheClassicNumbers) {
    TempDir dir;
    LineReader reader(LineBreaks::CrOrCrLf, false);
    EXPECT_EQ(FailureNumber([&] { reader.open(dir.file("missing.txt")); }), 53);
    EXPECT_EQ(FailureNumber([&] { reader.open(dir.file("nofolder/missing.txt")); }), 76);
    EXPECT_EQ(FailureNumber([&] { reader.open(dir.path().string()); }), 75);
    EXPECT_EQ(FailureNumber([&] { ReadFileBytes(dir.path().string()); }), 75);
    EXPECT_EQ(FailureNumber([&] { ReadFileBytes(dir.file("missing.txt")); }), 53);
}

TEST(ReadFileBytes, ReadsTheWholeFile) {
    TempDir dir;
    EXPECT_EQ(ReadFileBytes(dir.write("a.bin", std::string("a\0\r\n\xFF", 5))),
              std::string("a\0\r\n\xFF", 5));
    EXPECT_EQ(ReadFileBytes(dir.write("empty.bin", "")), "");
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
