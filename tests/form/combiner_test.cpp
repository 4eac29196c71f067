#include "form/combiner_commands.h"
#include "form/combiner_state.h"
#include "lib/atomic_file.h"
#include "support/combiner_fixture.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tes::test {
namespace {

class CombinerTest : public CombinerFixture {
protected:
    std::vector<std::string> items() const { return combiner.lstMaxScripts.toVector(); }
};

// Add File and Save As work under the wait pointer and show nothing when they succeed.
TEST_F(CombinerTest, AddsAndSavesUnderTheWaitPointer) {
    add(dir.write("in.ms", "a\r\nb\r\n"));
    saveAs(dir.file("out.ms"));
    EXPECT_EQ(items(), (std::vector<std::string>{"a", "b", "", ""})); // the list stays for another save
    EXPECT_EQ(ReadBytes(dir.file("out.ms")), "a\r\nb\r\n\r\n\r\n");
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(platform.waitCursorHistory, (std::vector<bool>{true, false, true, false}));
    EXPECT_EQ(combiner.status, "Wrote " + dir.file("out.ms"));
    saveAs(dir.file("no such folder/new.ms"));
    EXPECT_EQ(combiner.status, "") << "a failed save does not say the last one";
}

TEST_F(CombinerTest, AsksForScriptFilesInTheDefaultFolder) {
    add("");
    saveAs("");
    ASSERT_EQ(platform.dialogRequests.size(), 2u);
    const FileDialogRequest& open = platform.dialogRequests[0];
    const FileDialogRequest& save = platform.dialogRequests[1];
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

// With an Output folder set, the scripts to join are there.
TEST_F(CombinerTest, AsksInTheOutputFolderWhenOneIsSet) {
    const std::string output = "/data/scripts";
    CombinerState state{platform, folder, output};
    btnAddFile_Click(state);
    btnSaveAs_Click(state);
    EXPECT_EQ(platform.dialogRequests.size(), 2u);
    for (const FileDialogRequest& r : platform.dialogRequests)
        EXPECT_EQ(r.initialFolder, output);
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
    combiner.fileByteLimit = 100; // Save As fails as on a full disk
    saveAs(path);
    combiner.fileByteLimit = kNoByteLimit;
    saveAs(dir.file("no such folder/new.ms"));

    EXPECT_EQ(platform.messages,
              (std::vector<std::string>{"Unexpected error in btnSaveAs \n\n 61 - Disk full\n\nFile: " + path,
                                        "Unexpected error in btnSaveAs \n\n 76 - Path not found\n\nFile: " +
                                            dir.file("no such folder/new.ms") +
                                            "\nFolder not found: " + dir.file("no such folder")}));
    EXPECT_EQ(ReadBytes(path), "old\r\n");
    EXPECT_EQ(items().size(), 3u);
    EXPECT_FALSE(platform.waitCursor);
    // No temporary file is left next to the target.
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"a.ms", "old.ms"}));
}

} // namespace
} // namespace tes::test
