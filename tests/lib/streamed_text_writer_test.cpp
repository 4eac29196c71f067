#include "lib/failure.h"
#include "lib/streamed_text_writer.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tes {
namespace {

using test::ReadBytes;
using test::TempDir;

std::vector<std::string> FolderEntries(const TempDir& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        names.push_back(entry.path().filename().string());
    return names;
}

// Many chunks' worth of lines, accented ones and one longer than a chunk among them: the file holds
// the same bytes as one written line by line.
TEST(StreamedTextWriter, WritesWhatTheLineByLineWriterWrites) {
    std::vector<std::string> lines;
    for (int i = 0; i < 200000; ++i)
        lines.push_back(i % 5000 == 0 ? "caf\xC3\xA9 " + std::to_string(i)
                                      : "$Tree" + std::to_string(i) + ".pos");
    lines.push_back(std::string(3'000'000, 'x'));
    lines.push_back("");
    lines.push_back("end \xE2\x82\xAC");
    TempDir dir;
    const std::string expectedPath = dir.file("expected.ms");
    {
        AtomicTextWriter expected(expectedPath);
        for (const auto& line : lines)
            expected.writeLine(line);
        expected.commit();
    }
    const std::string target = dir.write("out.ms", "old");
    {
        StreamedTextWriter writer(target);
        for (const auto& line : lines) {
            if (line.find('\xC3') == std::string::npos && line.find('\xE2') == std::string::npos)
                writer.writeAsciiLine(line);
            else
                writer.writeLine(line);
        }
        EXPECT_EQ(ReadBytes(target), "old"); // untouched until committed
        writer.commit();
    }
    EXPECT_EQ(ReadBytes(target), ReadBytes(expectedPath));
}

// Whatever happens to the file, the target keeps its old content and no temporary file is left.
TEST(StreamedTextWriter, LeavesTheTargetAsItWasWhenTheFileFails) {
    const struct {
        const char* name;
        bool commit;
        std::uint64_t byteLimit; // a full disk after this many bytes
        bool folderAsTarget;
        int failure; // the number commit() throws, or 0
    } cases[] = {
        {"not committed", false, kNoByteLimit, false, 0},
        {"disk full at once", true, 10, false, 61},
        {"disk full after chunks", true, 5'000'000, false, 61},
        {"a folder in the target's place", true, kNoByteLimit, true, 75},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const std::string target = c.folderAsTarget ? dir.file("out.ms") : dir.write("out.ms", "old");
        if (c.folderAsTarget)
            std::filesystem::create_directory(target);
        int failure = 0;
        {
            StreamedTextWriter writer(target, c.byteLimit);
            for (int i = 0; i < 400000; ++i)
                writer.writeAsciiLine("copy $Tree isSelected:on name:\"Tree" + std::to_string(i) + "\"");
            try {
                if (c.commit)
                    writer.commit();
            } catch (const Failure& f) {
                failure = f.number();
            }
        }
        EXPECT_EQ(failure, c.failure) << c.name;
        if (!c.folderAsTarget) {
            EXPECT_EQ(ReadBytes(target), "old") << c.name;
        }
        EXPECT_EQ(FolderEntries(dir), std::vector<std::string>{"out.ms"}) << c.name;
    }
}

} // namespace
} // namespace tes
