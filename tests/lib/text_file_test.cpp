#include "lib/failure.h"
#include "lib/text_codec.h"
#include "lib/text_file.h"
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

// A block of plain ASCII after lines with an accented letter, one of which runs over the first
// block's end with the letter before it, and accented lines again later: every line decodes as it
// would on its own.
TEST(LineReader, DecodesEachLineWhateverItsBlockHolds) {
    const std::size_t block = std::size_t{1} << 20;
    std::vector<std::string> written;
    std::string bytes;
    while (bytes.size() < 2 * block + block / 2) {
        std::string line = "7,1234.567890,12.5,987.654321";
        if (bytes.size() + 400 > block && bytes.size() < block)
            line = "caf\xE9 " + line;
        else if (bytes.size() > 2 * block && written.size() % 1000 == 0)
            line += " caf\xE9";
        written.push_back(line);
        bytes += line + "\r\n";
    }
    TempDir dir;
    LineReader reader(LineBreaks::CrLfOrLf, true);
    reader.open(dir.write("blocks.txt", bytes));
    std::string_view line;
    std::size_t row = 0;
    while (reader.next(line)) {
        ASSERT_LT(row, written.size());
        std::string decoded;
        reader.appendDecoded(decoded, line);
        ASSERT_EQ(decoded, Cp1252ToUtf8(written[row])) << "line " << row;
        ++row;
    }
    EXPECT_EQ(row, written.size());
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
