#include "core/combine_scripts.h"
#include "form/combiner_commands.h"
#include "form/context.h"
#include "lib/text_codec.h"
#include "lib/text_file.h"
#include "support/combiner_fixture.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tes::test {
namespace {

class CombinerTest : public CombinerFixture {
protected:
    std::vector<std::string> items() const { return ctx.lstMaxScripts.toVector(); }
};

// Each file is added to an empty list and saved again: what was read and what is written back.
TEST_F(CombinerTest, AddsEveryLineOfAFileAndTwoEmptyOnes) {
    using Lines = std::vector<std::string>;
    std::string allBytes;
    for (int b = 1; b < 256; ++b)
        allBytes += b == '\r' ? ' ' : static_cast<char>(b);
    const struct {
        std::string bytes;
        Lines items;
        std::string saved;
    } cases[] = {
        {"a\r\nb\r\nc\r\n", Lines{"a", "b", "c", "", ""}, "a\r\nb\r\nc\r\n\r\n\r\n"},
        {"a\r\nb\r\nlast", Lines{"a", "b", "last", "", ""}, "a\r\nb\r\nlast\r\n\r\n\r\n"},
        {"a\rb\r\n", Lines{"a", "b", "", ""}, "a\r\nb\r\n\r\n\r\n"},
        {"a\nb\nc\n", Lines{"a\nb\nc\n", "", ""}, "a\nb\nc\n\r\n\r\n\r\n"},
        {"", Lines{"", ""}, "\r\n\r\n"},
        {"\t  indented \r\n", Lines{"\t  indented ", "", ""}, "\t  indented \r\n\r\n\r\n"},
        {"caf\xE9\r\n", Lines{"caf\xC3\xA9", "", ""}, "caf\xE9\r\n\r\n\r\n"},
        {allBytes, Lines{Cp1252ToUtf8(allBytes), "", ""}, allBytes + "\r\n\r\n\r\n"},
    };
    for (const auto& c : cases) {
        ctx.lstMaxScripts.clear();
        platform.waitCursorHistory.clear();
        add(dir.write("in.ms", c.bytes));
        saveAs(dir.file("out.ms"));
        EXPECT_EQ(items(), c.items) << c.bytes;
        EXPECT_EQ(ReadBytes(dir.file("out.ms")), c.saved) << c.bytes;
        EXPECT_TRUE(platform.messages.empty());
        EXPECT_EQ(platform.waitCursorHistory, (std::vector<bool>{true, false, true, false}));
    }
}

TEST_F(CombinerTest, AsksForScriptFilesInTheDefaultFolder) {
    add("");
    saveAs("");
    ASSERT_EQ(platform.dialogRequests.size(), 2u);
    const FileDialogRequest& open = platform.dialogRequests[0];
    const FileDialogRequest& save = platform.dialogRequests[1];
    EXPECT_EQ(open.owner, DialogOwner::Combiner);
    EXPECT_EQ(open.title, "Open MAX Script File (MS)");
    EXPECT_EQ(save.title, "Save Compiled MAX Script As... (MS)");
    for (const FileDialogRequest& r : platform.dialogRequests) {
        EXPECT_EQ(r.initialFolder, dir.path().string());
        EXPECT_EQ(r.filter, "MS File (*.ms)|*.ms");
        EXPECT_EQ(r.filterIndex, 1);
        EXPECT_EQ(r.initialFileName, "");
    }
    EXPECT_FALSE(open.save);
    EXPECT_TRUE(save.save);
    // Cancelled: nothing changed, the pointer is normal.
    EXPECT_TRUE(items().empty());
    EXPECT_EQ(platform.waitCursorHistory, (std::vector<bool>{false, false}));
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(CombinerTest, JoinsFilesInTheOrderAdded) {
    const std::string first = dir.write("first.ms", "one\r\ntwo");
    const std::string second = dir.write("second.ms", "\tthree\n");
    add(first);
    add(second);
    add(first);
    saveAs(dir.file("all.ms"));
    EXPECT_EQ(ReadBytes(dir.file("all.ms")), "one\r\ntwo\r\n\r\n\r\n"
                                             "\tthree\n\r\n\r\n\r\n"
                                             "one\r\ntwo\r\n\r\n\r\n");
    EXPECT_EQ(items().size(), 11u); // the list stays for another save
}

TEST_F(CombinerTest, SavesOverOneOfTheAddedFiles) {
    const std::string path = dir.write("a.ms", "a\r\nb\r\n");
    add(path);
    saveAs(path);
    EXPECT_EQ(ReadBytes(path), "a\r\nb\r\n\r\n\r\n");
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(CombinerTest, SavingAnEmptyListEmptiesTheFile) {
    const std::string path = dir.write("old.ms", "old\r\n");
    saveAs(path);
    EXPECT_EQ(ReadBytes(path), "");
}

TEST_F(CombinerTest, AFailedAddKeepsTheLinesAlreadyThere) {
    add(dir.write("a.ms", "a\r\n"));
    platform.waitCursorHistory.clear();
    add(dir.file("missing.ms"));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].starts_with("Unexpected error in btnAddFile \n\n"))
        << platform.messages[0];
    EXPECT_EQ(items(), (std::vector<std::string>{"a", "", ""}));
    EXPECT_EQ(platform.waitCursorHistory, (std::vector<bool>{true, false}));
}

TEST_F(CombinerTest, AFailedSaveLeavesTheOldFileAsItWas) {
    const std::string path = dir.write("old.ms", "old\r\n");
    add(dir.write("a.ms", std::string(5000, 'x') + "\r\n"));
    AtomicTextWriter::failAfterBytesForTesting(100);
    saveAs(path);
    AtomicTextWriter::failAfterBytesForTesting(-1);
    saveAs(dir.file("no such folder/new.ms"));

    ASSERT_EQ(platform.messages.size(), 2u);
    for (const std::string& m : platform.messages)
        EXPECT_TRUE(m.starts_with("Unexpected error in btnSaveAs \n\n")) << m;
    EXPECT_EQ(ReadBytes(path), "old\r\n");
    EXPECT_EQ(items().size(), 3u);
    EXPECT_FALSE(platform.waitCursor);
    // No temporary file is left next to the target.
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
        names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"a.ms", "old.ms"}));
}

TEST_F(CombinerTest, HoldsMoreThanSixteenBitsOfLines) {
    std::string bytes;
    for (int i = 0; i < 40000; ++i)
        bytes += "line\r\n";
    add(dir.write("long.ms", bytes));
    EXPECT_EQ(items().size(), 40002u);
    saveAs(dir.file("out.ms"));
    EXPECT_EQ(ReadBytes(dir.file("out.ms")), bytes + "\r\n\r\n");
}

} // namespace
} // namespace tes::test
