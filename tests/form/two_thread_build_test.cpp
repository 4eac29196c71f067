// A long list is built on two threads; the script, the messages and the file must be exactly those of
// a build on one thread, whatever the records and wherever a failure or a cancel falls.
#include "form/process_command.h"
#include "script_fixture.h"

#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <vector>

namespace tes::test {
namespace {

using Texts = std::vector<std::string>;

struct Outcome {
    Texts script;
    Texts messages;
    std::string file;
    Texts entries;
};

Outcome Build(const std::function<void(ScriptProject&)>& arrange, std::uint64_t twoThreadsFrom) {
    ScriptProject p;
    p.ctx.tuning.twoThreadsFrom = twoThreadsFrom;
    p.dir.write("Valley_MainVeg_05.ms", "earlier script\r\n");
    p.ctx.form.list(ListId::List2).append("the last script");
    arrange(p);
    BuildScript(p.ctx);
    return {p.script(), p.platform.messages, ReadBytes(p.scriptPath()), p.folderEntries()};
}

// Kind 5 every third row, with values of every shape the reader meets, and kind 12 between them.
void MixedRecords(ScriptProject& p, int rows) {
    for (int i = 0; i < rows; ++i) {
        const std::string n = std::to_string(i);
        if (i % 3 == 0)
            p.addRecord("5," + n + ".25,-" + n + ".5," + std::to_string(3 * i) + ".125");
        else if (i % 3 == 1)
            p.addRecord("12,1,2,3");
        else
            p.addRecord("5, " + n + ",1e2,&H1F");
    }
}

TEST(TwoThreadBuild, WritesWhatOneThreadWrites) {
    const struct {
        const char* name;
        std::function<void(ScriptProject&)> arrange;
    } cases[] = {
        {"objects on both threads", [](ScriptProject& p) { MixedRecords(p, 3000); }},
        {"scaled and rotated",
         [](ScriptProject& p) {
             p.ctx.form.setCheck(CheckBox::chkUseObjectScale, kUnchecked);
             p.set(TextField::txtGridSize, "500");
             p.ctx.form.setCheck(CheckBox::chkRotateObjects, kChecked);
             p.set(TextField::txtRotationAngle, "45");
             MixedRecords(p, 3000);
         }},
        {"first object among the later rows",
         [](ScriptProject& p) {
             for (int i = 0; i < 2500; ++i)
                 p.addRecord("12,1,2,3");
             for (int i = 0; i < 500; ++i)
                 p.addRecord("5,1," + std::to_string(i) + ",2");
         }},
        {"no object at all",
         [](ScriptProject& p) {
             for (int i = 0; i < 3000; ++i)
                 p.addRecord("12,1,2,3");
         }},
        {"a failure among the later rows",
         [](ScriptProject& p) {
             p.set(TextField::txtVerticalScale, "1e300");
             for (int i = 0; i < 3000; ++i)
                 p.addRecord(i == 2500 ? "5,0,1e300,0" : "5,1,0,2");
         }},
        {"a failure among the first rows",
         [](ScriptProject& p) {
             p.set(TextField::txtVerticalScale, "1e300");
             for (int i = 0; i < 3000; ++i)
                 p.addRecord(i == 100 ? "5,0,1e300,0" : "5,1,0,2");
         }},
        {"failures among the first and the later rows: the first one counts",
         [](ScriptProject& p) {
             p.set(TextField::txtVerticalScale, "1e300");
             for (int i = 0; i < 3000; ++i)
                 p.addRecord(i == 700 || i == 2900 ? "5,0,1e300,0" : "5,1,0,2");
         }},
        {"a rotation angle that cannot be read, first object among the later rows",
         [](ScriptProject& p) {
             p.ctx.form.setCheck(CheckBox::chkRotateObjects, kChecked);
             p.set(TextField::txtRotationAngle, "1e999");
             for (int i = 0; i < 3000; ++i)
                 p.addRecord(i < 2000 ? "12,1,2,3" : "5,1,0,2");
         }},
    };
    for (const auto& c : cases) {
        const Outcome one = Build(c.arrange, ~std::uint64_t{0});
        const Outcome two = Build(c.arrange, 0);
        EXPECT_EQ(two.script, one.script) << c.name;
        EXPECT_EQ(two.messages, one.messages) << c.name;
        EXPECT_EQ(two.file, one.file) << c.name;
        EXPECT_EQ(two.entries, one.entries) << c.name;
        EXPECT_GT(one.script.size(), 1u) << c.name;
        // The cases whose name says so fail, once; the others do not.
        const bool fails = std::string_view(c.name).find("fail") != std::string_view::npos ||
                           std::string_view(c.name).find("cannot") != std::string_view::npos;
        EXPECT_EQ(one.messages.size(), fails ? 1u : 0u) << c.name;
    }
}

TEST(TwoThreadBuild, ACancelLeavesTheListAndTheFileAsTheyWere) {
    // The first two reports come from the builder's own rows, a later one while it waits for the worker
    // or the file.
    for (int cancelAt : {1, 2, 3}) {
        ScriptProject p;
        p.ctx.tuning.twoThreadsFrom = 0;
        p.dir.write("Valley_MainVeg_05.ms", "earlier script\r\n");
        p.ctx.form.list(ListId::List2).append("the last script");
        MixedRecords(p, 200000);
        p.platform.cancelAtReport = cancelAt;
        BuildScript(p.ctx);
        EXPECT_EQ(p.script(), Texts{"the last script"}) << cancelAt;
        EXPECT_EQ(ReadBytes(p.scriptPath()), "earlier script\r\n") << cancelAt;
        EXPECT_EQ(p.folderEntries(), Texts{"Valley_MainVeg_05.ms"}) << cancelAt;
        EXPECT_TRUE(p.platform.messages.empty()) << cancelAt;
    }
}

} // namespace
} // namespace tes::test
