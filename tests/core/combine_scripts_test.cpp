#include "core/script/combine_scripts.h"
#include "lib/text_codec.h"
#include "support/file_size_limit.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tes::test {
namespace {

using Texts = std::vector<std::string>;

Messages Failed(const std::string& text) {
    return {Message{MessageKind::Failure, text}};
}

// Each file is added to an empty combination and saved again: what was read and what is written back.
TEST(CombineScripts, AddsEveryLineOfAFileAndTwoEmptyOnes) {
    std::string allBytes;
    for (int b = 1; b < 256; ++b)
        allBytes += b == '\r' ? ' ' : static_cast<char>(b);
    const struct {
        std::string bytes;
        Texts items;
        std::string saved;
    } cases[] = {
        {"a\r\nb\r\nc\r\n", Texts{"a", "b", "c", "", ""}, "a\r\nb\r\nc\r\n\r\n\r\n"},
        {"a\r\nb\r\nlast", Texts{"a", "b", "last", "", ""}, "a\r\nb\r\nlast\r\n\r\n\r\n"},
        {"a\rb\r\n", Texts{"a", "b", "", ""}, "a\r\nb\r\n\r\n\r\n"},
        {"a\nb\nc\n", Texts{"a\nb\nc\n", "", ""}, "a\nb\nc\n\r\n\r\n\r\n"},
        {"", Texts{"", ""}, "\r\n\r\n"},
        {"\t  indented \r\n", Texts{"\t  indented ", "", ""}, "\t  indented \r\n\r\n\r\n"},
        {"caf\xE9\r\n", Texts{"caf\xC3\xA9", "", ""}, "caf\xE9\r\n\r\n\r\n"},
        {allBytes, Texts{Cp1252ToUtf8(allBytes), "", ""}, allBytes + "\r\n\r\n\r\n"},
    };
    TempDir dir;
    for (const auto& c : cases) {
        LineList combination;
        EXPECT_TRUE(AddScriptToCombination(combination, dir.write("in.ms", c.bytes)).empty());
        EXPECT_TRUE(SaveCombination(combination, dir.file("out.ms")).empty());
        EXPECT_EQ(combination.toVector(), c.items) << c.bytes;
        EXPECT_EQ(ReadBytes(dir.file("out.ms")), c.saved) << c.bytes;
    }
}

TEST(CombineScripts, WritesTheScriptsInTheOrderAdded) {
    TempDir dir;
    const std::string first = dir.write("first.ms", "one\r\ntwo");
    const std::string second = dir.write("second.ms", "\tthree\n");
    const std::string added = dir.write("a.ms", "a\r\nb\r\n");
    const std::string old = dir.write("old.ms", "old\r\n");
    std::string longScript;
    for (int i = 0; i < 40000; ++i)
        longScript += "line\r\n";
    const struct {
        const char* name;
        Texts inputs;
        std::string output;
        std::size_t lines;
        std::string saved;
    } cases[] = {
        {"joined",
         {first, second, first},
         dir.file("all.ms"),
         11,
         "one\r\ntwo\r\n\r\n\r\n\tthree\n\r\n\r\n\r\none\r\ntwo\r\n\r\n\r\n"},
        {"over one of the added files", {added}, added, 4, "a\r\nb\r\n\r\n\r\n"},
        {"nothing added empties the file", {}, old, 0, ""},
        {"more than sixteen bits of lines",
         {dir.write("long.ms", longScript)},
         dir.file("out.ms"),
         40002,
         longScript + "\r\n\r\n"},
    };
    for (const auto& c : cases) {
        const CombineResult result = CombineScripts({c.inputs, c.output});
        EXPECT_TRUE(result.messages.empty()) << c.name;
        EXPECT_TRUE(result.written) << c.name;
        EXPECT_EQ(result.combination.size(), c.lines) << c.name;
        EXPECT_EQ(ReadBytes(c.output), c.saved) << c.name;
    }
}

TEST(CombineScripts, AddingWhatIsNoFileIsReported) {
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "folder.ms");
    const std::string plain = dir.write("plain", "x");
    const struct {
        std::string path;
        std::string message;
    } cases[] = {
        {dir.file("folder.ms"), "Unexpected error in btnAddFile \n\n 75 - Path/File access error"},
        {plain + "/a.ms", "Unexpected error in btnAddFile \n\n 76 - Path not found"},
    };
    for (const auto& c : cases) {
        LineList combination;
        EXPECT_EQ(AddScriptToCombination(combination, c.path), Failed(c.message)) << c.path;
        EXPECT_EQ(combination.size(), 0u);
    }
}

TEST(CombineScripts, AFailedSaveKeepsTheListAndWhatIsOnDisk) {
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "folder.ms");
    const std::string plain = dir.write("plain", "x");
    const std::string old = dir.write("old.ms", "old\r\n");
    LineList combination;
    ASSERT_TRUE(
        AddScriptToCombination(combination, dir.write("a.ms", std::string(5000, 'x') + "\r\n")).empty());
    const struct {
        std::string path;
        std::uint64_t sizeLimit;
        std::string message;
    } cases[] = {
        {dir.file("folder.ms"), kNoFileSizeLimit,
         "Unexpected error in btnSaveAs \n\n 75 - Path/File access error\n\nFile: " + dir.file("folder.ms")},
        {plain + "/new.ms", kNoFileSizeLimit,
         "Unexpected error in btnSaveAs \n\n 76 - Path not found\n\nFile: " + plain +
             "/new.ms\nFolder not found: " + plain},
        {old, 1000, "Unexpected error in btnSaveAs \n\n 61 - Disk full\n\nFile: " + old},
    };
    for (const auto& c : cases) {
        if (c.sizeLimit != kNoFileSizeLimit && !FileSizeLimit::kAvailable)
            continue; // a full disk is made by a file size limit, which Windows does not have
        Messages messages;
        {
            FileSizeLimit limit(c.sizeLimit);
            messages = SaveCombination(combination, c.path);
        }
        EXPECT_EQ(messages, Failed(c.message)) << c.path;
        EXPECT_EQ(combination.size(), 3u);
    }
    EXPECT_EQ(ReadBytes(old), "old\r\n");
    EXPECT_EQ(ReadBytes(plain), "x");
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "folder.ms"));
    EXPECT_EQ(dir.entries(), (Texts{"a.ms", "folder.ms", "old.ms", "plain"}));

    // An open handle on the old file does not stop the save on Linux; Windows refuses to replace the
    // file, which the save reports, and the old file stays whole.
    std::ifstream reader(old, std::ios::binary);
#ifdef _WIN32
    EXPECT_EQ(SaveCombination(combination, old),
              Failed("Unexpected error in btnSaveAs \n\n 70 - Permission denied\n\nFile: " + old));
    EXPECT_EQ(ReadBytes(old), "old\r\n");
#else
    EXPECT_TRUE(SaveCombination(combination, old).empty());
    EXPECT_EQ(ReadBytes(old), std::string(5000, 'x') + "\r\n\r\n\r\n");
#endif
    EXPECT_EQ(ReadRest(reader), "old\r\n");
    EXPECT_EQ(dir.entries(), (Texts{"a.ms", "folder.ms", "old.ms", "plain"}));
}

} // namespace
} // namespace tes::test
