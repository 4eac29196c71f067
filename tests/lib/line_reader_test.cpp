#include "lib/line_reader.h"
#include "lib/text_codec.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
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

// Files whose last line ends where a buffer sized for the file, or a block, would end: reading a
// word behind it stays in readable memory (the sanitizer build checks it).
TEST(LineReader, EveryLineHasReadablePaddingBehindIt) {
    const std::string files[] = {
        std::string(5000, 'x'),
        std::string(4999, 'x') + "\r",
        "a\r\n" + std::string((std::size_t{1} << 20) - 3, 'y'),
    };
    TempDir dir;
    for (const std::string& bytes : files) {
        LineReader reader(LineBreaks::CrLfOrLf, false);
        reader.open(dir.write("padded.txt", bytes));
        std::string_view line;
        while (reader.next(line)) {
            const volatile char* behind = line.data() + line.size(); // volatile: the reads stay
            for (std::size_t i = 0; i < kReadPadding; ++i)
                (void)behind[i];
        }
    }
}

} // namespace
} // namespace tes
